// The engine's operations on the process-wide registry. Each sets the calling thread's last error.

#include "recorddb/record_database.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "platform/paths.h"
#include "platform/text_codec.h"
#include "recorddb/database_files.h"
#include "recorddb/db_paths.h"
#include "recorddb/field_codec.h"
#include "recorddb/format.h"
#include "recorddb/lock_wait.h"
#include "recorddb/registry.h"

namespace recorddb {
namespace {

ProgramErrorHandler& programErrorHandler() {
  static ProgramErrorHandler handler;
  return handler;
}

[[noreturn]] void reportProgramError(const base::TextValue& message) {
  if (programErrorHandler()) programErrorHandler()(message);
  std::string text = platform::gbkToUtf8(message);
  std::fprintf(stderr, "program error: %s\n", text.c_str());
  std::exit(1);
}

// Sets the last error and gives `result`.
template <typename T>
T fail(int code, T result) {
  setLastError(code);
  return result;
}

bool succeed(int code) {
  setLastError(code);
  return code == kDbOk;
}

DatabaseRegistry& registry() { return DatabaseRegistry::instance(); }

// The start of every operation on the current database: the last error is reset, and without a
// current database it becomes `missing` and the result is null.
OpenDatabase* beginOperation(int missing = kDbNoCurrentDatabase) {
  setLastError(kDbOk);
  OpenDatabase* database = registry().current();
  if (!database) setLastError(missing);
  return database;
}

platform::ShareMode platformShare(int shareMode) {
  switch (shareMode) {
    case kShareDenyNone: return platform::ShareMode::DenyNone;
    case kShareDenyRead: return platform::ShareMode::DenyRead;
    case kShareDenyWrite: return platform::ShareMode::DenyWrite;
    default: return platform::ShareMode::DenyAll;
  }
}

base::TextValue resolvedPath(const base::TextValue& path) { return platform::fullPath(databasePathFor(path)); }

// The field's index, or -1.
int fieldIndex(const OpenDatabase& database, const FieldRef& field) {
  const auto& fields = database.fields();
  if (!field.byName()) {
    const int position = field.position();
    return position >= 1 && position <= static_cast<int>(fields.size()) ? position - 1 : -1;
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (equalsIgnoringCase(fields[i].name, field.name())) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

void setProgramErrorHandler(ProgramErrorHandler handler) { programErrorHandler() = std::move(handler); }

void setLockWaitTime(int milliseconds) { setLockWait(milliseconds); }
int lockWaitTime() { return lockWait(); }

static_assert(kMaxFieldNameBytes == format::kMaxFieldNameLength);

FieldNameFault fieldNameFault(std::string_view name) {
  if (name.empty()) return FieldNameFault::Empty;
  if (name.size() > kMaxFieldNameBytes) return FieldNameFault::TooLong;
  return format::isValidName(name) ? FieldNameFault::None : FieldNameFault::BadCharacter;
}

bool sameFieldName(std::string_view a, std::string_view b) { return equalsIgnoringCase(a, b); }

bool createDatabase(const base::TextValue& path, const std::vector<FieldSpec>& fields) {
  setLastError(kDbOk);
  return succeed(createDatabaseFiles(path, fields));
}

bool openDatabase(const base::TextValue& path, const base::TextValue& alias, bool readOnly, int shareMode,
                  const base::TextValue& /*password*/) {
  setLastError(kDbOk);
  if (path.empty()) return fail(kDbFileNotFound, false);
  const base::TextValue fullPath = resolvedPath(path);
  if (registry().findByPath(fullPath) >= 0) return fail(kDbAlreadyOpen, false);
  if (!alias.empty() && !format::isValidName(alias)) return fail(kDbBadAlias, false);
  OpenedFiles files;
  if (int result = openDatabaseFiles(fullPath, readOnly, platformShare(shareMode), files)) return fail(result, false);
  auto database = std::make_unique<OpenDatabase>(std::move(files), fullPath, alias, shareMode);
  // A pack that stopped half-way may have left stale copies of records; a failure here leaves
  // them (and its marker) for the next opening, and the database opens as it is.
  if (!readOnly) (void)database->finishInterruptedPack();
  registry().add(std::move(database));
  return true;
}

bool isDatabaseOpen(const base::TextValue& path) {
  setLastError(kDbOk);
  return !path.empty() && registry().findByPath(resolvedPath(path)) >= 0;
}

bool setCurrentDatabase(const base::TextValue& alias) {
  setLastError(kDbOk);
  int index = registry().find(alias);
  if (index < 0) return fail(kDbNotOpen, false);
  registry().makeCurrent(index);
  return true;
}

void closeDatabase(const base::TextValue& alias) {
  setLastError(kDbOk);
  DatabaseRegistry& databases = registry();
  if (alias.empty()) {
    if (databases.current()) databases.close(databases.currentIndex());
    return;
  }
  int index = databases.find(alias);
  if (index >= 0) databases.close(index);
}

void closeAllDatabases() {
  setLastError(kDbOk);
  registry().closeAll();
}

int fieldCount() {
  OpenDatabase* database = beginOperation();
  if (!database) return 0;
  return static_cast<int>(database->fields().size());
}

base::TextValue fieldName(const FieldRef& field) {
  OpenDatabase* database = beginOperation();
  if (!database) return base::TextValue();
  int index = fieldIndex(*database, field);
  return index < 0 ? base::TextValue() : database->fields()[static_cast<std::size_t>(index)].name;
}

int recordCount() {
  OpenDatabase* database = beginOperation();
  if (!database) return 0;
  std::int32_t count = 0;
  int result = database->slotCount(count);
  return result == kDbOk ? count : fail(result, 0);
}

bool gotoRecord(int recordNumber) {
  OpenDatabase* database = beginOperation();
  if (!database) return false;
  std::int32_t count = 0;
  if (int result = database->slotCount(count)) return fail(result, false);
  const std::int64_t wanted = std::min<std::int64_t>(static_cast<std::int64_t>(recordNumber) - 1, count - 1);
  database->setCurrentRecord(static_cast<std::int32_t>(std::max<std::int64_t>(wanted, 0)));
  return true;
}

int currentRecordNumber() {
  OpenDatabase* database = beginOperation();
  if (!database) return 0;
  return database->currentRecord() + 1;
}

int currentRecordId() {
  OpenDatabase* database = beginOperation();
  if (!database) return 0;
  std::int32_t id = 0;
  if (int result = database->currentStoredId(id)) return fail(result, 0);
  // Only damage stores the one ID without an absolute value; no append ever writes it.
  if (id == INT32_MIN) return fail(kDbReadRecordFailed, 0);
  return id < 0 ? -id : id;
}

bool currentRecordDeleted() {
  OpenDatabase* database = beginOperation();
  if (!database) return false;
  std::int32_t id = 0;
  if (int result = database->currentStoredId(id)) return fail(result, false);
  return id < 0;
}

bool appendRecord() {
  OpenDatabase* database = beginOperation();
  if (!database) return false;
  return succeed(database->append());
}

std::int64_t recordIdsLeft() {
  OpenDatabase* database = beginOperation();
  if (!database) return 0;
  std::int64_t left = 0;
  int result = database->recordIdsLeft(left);
  return result == kDbOk ? left : fail(result, std::int64_t{0});
}

FieldValue readField(const FieldRef& field) {
  OpenDatabase* database = beginOperation(kDbOk);  // without one, a caller error follows
  if (!database) reportProgramError("未指定当前数据库或者指定数据库未打开");
  int index = fieldIndex(*database, field);
  if (index < 0) reportProgramError("指定字段不存在");
  FieldValue value;
  int result = database->readField(static_cast<std::size_t>(index), value);
  setLastError(result);
  if (result != kDbOk) return emptyValue(database->fields()[static_cast<std::size_t>(index)].type);
  return value;  // moved, not copied: this runs for every field of every record shown
}

std::optional<std::string_view> readTextView(const FieldRef& field) {
  OpenDatabase* database = beginOperation();
  if (!database) return std::nullopt;
  const int index = fieldIndex(*database, field);
  if (index < 0) return fail(kDbNoSuchField, std::optional<std::string_view>());
  std::string_view text;
  const int result = database->readTextView(static_cast<std::size_t>(index), text);
  if (result != kDbOk) return fail(result, std::optional<std::string_view>());
  return text;
}

bool writeField(const FieldRef& field, const FieldValue& value) {
  OpenDatabase* database = beginOperation(kDbNotOpen);
  if (!database) return false;
  int index = fieldIndex(*database, field);
  if (index < 0) return fail(kDbNoSuchField, false);
  return succeed(database->writeField(static_cast<std::size_t>(index), value));
}

bool deleteRecord() {
  OpenDatabase* database = beginOperation();
  if (!database) return false;
  return succeed(database->deleteCurrent());
}

bool packDatabase() {
  OpenDatabase* database = beginOperation();
  if (!database) return false;
  return succeed(database->pack());
}

bool gotoRecordId(int recordId) {
  OpenDatabase* database = beginOperation();
  if (!database) return false;
  if (recordId <= 0) return false;
  bool found = false;
  if (int result = database->findId(recordId, found)) return fail(result, false);
  return found;
}

RecordWriteScope::RecordWriteScope() {
  OpenDatabase* database = beginOperation();
  if (!database) return;
  if (int result = database->beginRecordWrite()) {
    setLastError(result);
    return;
  }
  database_ = database->serial();
}

// Leaves the last error alone: it may tell of the write that made the caller leave the scope.
RecordWriteScope::~RecordWriteScope() { (void)end(); }

bool RecordWriteScope::commit() { return succeed(end()); }

int RecordWriteScope::end() {
  if (database_ == 0) return kDbOk;
  OpenDatabase* database = registry().findBySerial(database_);
  database_ = 0;
  if (!database) return kDbOk;  // closed meanwhile: closing wrote the record
  return database->endRecordWrite();
}

std::optional<DatabaseLayout> currentDatabaseLayout() {
  OpenDatabase* database = beginOperation();
  if (!database) return std::optional<DatabaseLayout>();
  DatabaseLayout layout;
  layout.version = database->header().version;
  if (int result = database->slotCount(layout.slotCount)) return fail(result, std::optional<DatabaseLayout>());
  if (int result = database->nextId(layout.nextId)) return fail(result, std::optional<DatabaseLayout>());
  layout.recordLength = database->header().recordLength;
  layout.dataStart = database->dataStart();
  for (const format::FieldDescriptor& field : database->fields()) {
    layout.fields.push_back({field.name, field.type, field.offset, field.declaredLength});
  }
  return layout;
}

}  // namespace recorddb
