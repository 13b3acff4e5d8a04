#pragma once
// The record database engine as the rest of the system uses it: a process-wide registry of open
// databases with one current database, a current record per database, typed field reads and
// writes, appending, delete-marking, packing and finding by record ID. Every operation sets the
// calling thread's last error (error_codes.h). Failures are return values: false, 0 or an empty
// value. Callers serialise their use of the registry (it has no lock of its own).

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "base/text_value.h"
#include "recorddb/error_codes.h"
#include "recorddb/field_value.h"

namespace recorddb {

// Field type codes of the database file.
enum FieldType : std::int32_t {
  kTypeByte = 1,
  kTypeShort = 2,
  kTypeInteger = 3,
  kTypeLong = 4,
  kTypeSingle = 5,
  kTypeDouble = 6,
  kTypeLogical = 7,
  kTypeDateTime = 8,
  kTypeSubroutine = 9,
  kTypeText = 10,
  kTypeBytes = 11,
  kTypeMemo = 12,
};

// The most fields a database has: creating refuses more (kDbTooManyFields), opening takes a layout
// of more for damage.
inline constexpr int kMaxFieldCount = 4096;

// The longest field name, in bytes (a Chinese character takes 2).
inline constexpr std::size_t kMaxFieldNameBytes = 16;

// What keeps a text from naming a field of a new database.
enum class FieldNameFault {
  None,
  Empty,
  TooLong,           // more than kMaxFieldNameBytes bytes
  BadCharacter,      // not letters, digits, "_" and Chinese characters, or a digit or "." first
};
FieldNameFault fieldNameFault(std::string_view name);
// Whether two names would name the same field (ASCII letters compared regardless of case).
bool sameFieldName(std::string_view a, std::string_view b);

// A field of a database to create: name, type code, declared length (text fields: 1..1024).
struct FieldSpec {
  base::TextValue name;
  std::int32_t type = kTypeText;
  std::int32_t declaredLength = 0;
};

// What other processes may do while a database is open.
enum ShareMode : int {
  kShareDenyNone = 1,   // read and write
  kShareDenyRead = 2,   // write, not read
  kShareDenyWrite = 3,  // read, not write (what the program uses)
  kShareExclusive = 4,  // neither (also any other value)
};

// A field, by its 1-based position or by its name (compared ignoring ASCII case).
class FieldRef {
 public:
  FieldRef(int position) : position_(position) {}  // NOLINT: positions read naturally
  FieldRef(const char* name) : name_(name) {}      // NOLINT
  FieldRef(base::TextValue name) : name_(std::move(name)) {}  // NOLINT
  bool byName() const { return position_ == 0 && name_.has_value(); }
  int position() const { return position_; }
  const base::TextValue& name() const { return *name_; }

 private:
  int position_ = 0;
  std::optional<base::TextValue> name_;
};

bool createDatabase(const base::TextValue& path, const std::vector<FieldSpec>& fields);
bool openDatabase(const base::TextValue& path, const base::TextValue& alias = {}, bool readOnly = false,
                  int shareMode = kShareDenyNone, const base::TextValue& password = {});
bool isDatabaseOpen(const base::TextValue& path);
bool setCurrentDatabase(const base::TextValue& alias);
// An empty alias closes the current database; a name that finds nothing does nothing.
void closeDatabase(const base::TextValue& alias = {});
// Closes every open database (at process end, and between tests).
void closeAllDatabases();

int fieldCount();
base::TextValue fieldName(const FieldRef& field);
int recordCount();
bool gotoRecord(int recordNumber);
int currentRecordNumber();
int currentRecordId();
// Whether the current record is delete-marked (its stored ID is negative); false on failure.
bool currentRecordDeleted();
// Fails with kDbRecordIdsExhausted, changing nothing, when the new record's ID would be the
// largest int32 (the ID after it could not be stored) or beyond.
bool appendRecord();
// How many more records appendRecord can add before the IDs run out; 0 on failure.
std::int64_t recordIdsLeft();
FieldValue readField(const FieldRef& field);
// The stored text of a text field of the current record without a copy: valid until the next
// operation of the engine. Nothing for other types or when it cannot be read (readField tells why).
std::optional<std::string_view> readTextView(const FieldRef& field);
// Writes `value`, converting between numeric kinds; an Empty value writes the field's empty value.
bool writeField(const FieldRef& field, const FieldValue& value = {});
bool deleteRecord();
bool packDatabase();
bool gotoRecordId(int recordId);

// Several fields of one record written as one change. While a scope is open on the current record
// of the current database, that record's lock is held (taken once), writeField to it changes a copy
// in memory (readField sees it), and commit() writes the changed bytes to the file in one write.
// Another process sees the record before or after the whole change, never half of it. A memo or
// bytes value goes to the auxiliary file at once; the record takes its chain with the rest. Scopes
// nest (the outermost commit writes); a scope begun on another record writes the open one first.
class RecordWriteScope {
 public:
  // Begins on the current record; sets the last error (no current database or record: nothing
  // begins, and writes go to the file as they come).
  RecordWriteScope();
  // Commits unless commit() ran; a failure there is not reported: callers that must know commit.
  ~RecordWriteScope();
  RecordWriteScope(const RecordWriteScope&) = delete;
  RecordWriteScope& operator=(const RecordWriteScope&) = delete;

  bool active() const { return database_ != 0; }
  // Ends the scope; the outermost one writes the record. False (with the last error) when the
  // write failed: each field then holds its old or its new value, the other records are untouched.
  bool commit();

 private:
  int end();

  std::uint64_t database_ = 0;  // the serial of the open database; 0: none
};

// How long a lock or open that meets a sharing or lock violation is retried (0 by default).
void setLockWaitTime(int milliseconds);
int lockWaitTime();

// The layout of the current database, for inspection tools.
struct FieldLayout {
  base::TextValue name;
  std::int32_t type;
  std::int32_t offset;
  std::int32_t declaredLength;
};
struct DatabaseLayout {
  std::int32_t version;
  std::int32_t slotCount;
  std::int32_t nextId;
  std::int32_t recordLength;
  std::int32_t dataStart;
  std::vector<FieldLayout> fields;
};
std::optional<DatabaseLayout> currentDatabaseLayout();

// Caller errors that cannot go on (reading a field with no current database, or a field that does
// not exist) are reported to this handler with their message, and then the program ends. The
// program shows its runtime error report there; tests record the message and throw.
using ProgramErrorHandler = std::function<void(const base::TextValue& message)>;
void setProgramErrorHandler(ProgramErrorHandler handler);

}  // namespace recorddb
