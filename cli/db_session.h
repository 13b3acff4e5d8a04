#pragma once
// What the db commands share: the database a command opens for its duration, the engine's error
// as the command reports it, field designators and N=VALUE assignments.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command.h"
#include "recorddb/field_value.h"
#include "recorddb/record_database.h"

namespace cli {

// A database opened by one command and closed again when the object goes. Reading commands open
// it read-only sharing everything; writing commands open it read/write with share mode 3, as the
// program does, so a list the program has open (or any other writer) makes the open fail.
class DbSession {
 public:
  enum class Purpose { Read, Write };
  DbSession(std::string_view utf8Path, Purpose purpose);
  ~DbSession();
  DbSession(const DbSession&) = delete;
  DbSession& operator=(const DbSession&) = delete;

  // Whether the database is open and current; when not, the engine's last error says why.
  bool ok() const { return layout_.has_value(); }
  const recorddb::DatabaseLayout& layout() const { return *layout_; }

 private:
  std::optional<recorddb::DatabaseLayout> layout_;
};

// "error <code>: <message>" of the calling thread's last engine error (the message in UTF-8).
std::string engineErrorText();

// Adds engineErrorText() as a line to stderr and returns kFailure.
int engineFailure(CommandOutput& output);

// The 1-based position of the field that a designator (a position or a name, letter case
// ignored) names; nothing when the database has no such field.
std::optional<int> fieldPosition(const recorddb::DatabaseLayout& layout, std::string_view utf8Designator);

struct Assignment {
  int position;
  recorddb::FieldValue value;
};

// The N=VALUE arguments with their values parsed by the fields' types. On a wrong argument the
// result is nothing and `error` says what is wrong.
std::optional<std::vector<Assignment>> parseAssignments(std::span<const std::string> args,
                                                        const recorddb::DatabaseLayout& layout,
                                                        std::string& error);

// One field's value: the field a designator names and a VALUE text parsed by the field's type.
std::optional<Assignment> parseAssignment(const recorddb::DatabaseLayout& layout, std::string_view designator,
                                          std::string_view valueText, std::string& error);

// Writes the values into the current record; false at the first failed write.
bool writeAssignments(const std::vector<Assignment>& assignments);

// A record ID argument: a whole number from 1 up.
std::optional<int> parseRecordId(std::string_view utf8);

}  // namespace cli
