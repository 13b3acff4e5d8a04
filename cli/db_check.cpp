// db check: what a database file pair holds that the engine cannot read or that breaks its rules.

#include <algorithm>
#include <string>

#include "cli/arguments.h"
#include "cli/db_commands.h"
#include "cli/db_session.h"
#include "cli/text_encoding.h"
#include "recorddb/record_database.h"

namespace cli {
namespace {

// Facts about the database first, then the problems found (the first kShownProblems of them).
class CheckReport {
 public:
  static constexpr std::size_t kShownProblems = 50;

  void note(const std::string& line) { notes_ += line + "\n"; }
  void problem(const std::string& line) {
    if (++count_ <= kShownProblems) problems_ += line + "\n";
  }
  std::size_t count() const { return count_; }

  std::string text() const {
    std::string text = notes_ + problems_;
    if (count_ > kShownProblems) text += "... " + std::to_string(count_ - kShownProblems) + " more\n";
    return text + "problems: " + std::to_string(count_) + "\n";
  }

 private:
  std::string notes_;
  std::string problems_;
  std::size_t count_ = 0;
};

// Every record's ID is readable, grows from slot to slot and lies below the next ID; every field
// reads.
void checkRecords(const recorddb::DatabaseLayout& layout, CheckReport& report) {
  const int count = recorddb::recordCount();
  if (recorddb::lastError() != recorddb::kDbOk) {
    report.problem("record count: " + engineErrorText());
    return;
  }
  int deletedCount = 0;
  int previousId = 0;
  for (int number = 1; number <= count; ++number) {
    const std::string record = "record " + std::to_string(number);
    const int id = recorddb::gotoRecord(number) ? recorddb::currentRecordId() : 0;
    if (recorddb::lastError() != recorddb::kDbOk) {
      report.problem(record + ": " + engineErrorText());
      continue;
    }
    if (id == 0) {
      report.problem(record + ": ID 0");
    } else if (id <= previousId) {
      report.problem(record + ": ID " + std::to_string(id) + " after ID " + std::to_string(previousId));
    } else if (id >= layout.nextId) {
      report.problem(record + ": ID " + std::to_string(id) + " not below the next ID " + std::to_string(layout.nextId));
    }
    previousId = std::max(previousId, id);
    if (recorddb::currentRecordDeleted()) ++deletedCount;
    for (std::size_t i = 0; i < layout.fields.size(); ++i) {
      recorddb::readField(static_cast<int>(i + 1));
      if (recorddb::lastError() != recorddb::kDbOk) {
        report.problem(record + " (ID " + std::to_string(id) + "), field " + std::to_string(i + 1) + " (" +
                       toUtf8(layout.fields[i].name) + "): " + engineErrorText());
      }
    }
  }
  report.note("records: " + std::to_string(count) + " (" + std::to_string(deletedCount) + " delete-marked)");
}

}  // namespace

int dbCheck(std::span<const std::string> args, CommandOutput& output) {
  Arguments a(args, {}, {});
  if (!a.ok()) return usageError(output, a.error());
  if (a.positional().size() != 1) return usageError(output, "db check PATH");
  CheckReport report;
  DbSession db(a.positional()[0], DbSession::Purpose::Read);
  if (!db.ok()) {
    report.problem("open: " + engineErrorText());
  } else {
    report.note("fields: " + std::to_string(db.layout().fields.size()) + ", next ID: " +
                std::to_string(db.layout().nextId));
    checkRecords(db.layout(), report);
  }
  output.out += report.text();
  return report.count() == 0 ? kSuccess : kFailure;
}

}  // namespace cli
