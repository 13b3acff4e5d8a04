#include <vector>

#include "cli/arguments.h"
#include "cli/csv_reader.h"
#include "cli/db_commands.h"
#include "cli/db_session.h"
#include "cli/text_encoding.h"
#include "platform/file.h"

namespace cli {
namespace {

constexpr char kUsage[] = "db import PATH FILE.csv";

// The records of the CSV rows after the header, their values parsed by the fields' types; nothing
// (and `error` set) at the first wrong row.
std::optional<std::vector<std::vector<Assignment>>> recordsOf(const std::vector<CsvRow>& rows,
                                                              const recorddb::DatabaseLayout& layout,
                                                              std::string& error) {
  std::vector<std::vector<Assignment>> records;
  if (rows.empty()) return records;
  const CsvRow& header = rows.front();
  for (std::size_t r = 1; r < rows.size(); ++r) {
    const CsvRow& row = rows[r];
    if (row.size() != header.size()) {
      error = "row " + std::to_string(r + 1) + " has " + std::to_string(row.size()) + " fields, the first row " +
              std::to_string(header.size());
      return std::nullopt;
    }
    std::vector<Assignment> record;
    for (std::size_t f = 0; f < row.size(); ++f) {
      std::optional<Assignment> assignment = parseAssignment(layout, header[f], row[f], error);
      if (!assignment) {
        error = "row " + std::to_string(r + 1) + ": " + error;
        return std::nullopt;
      }
      record.push_back(std::move(*assignment));
    }
    records.push_back(std::move(record));
  }
  return records;
}

int contentFailure(CommandOutput& output, const std::string& file, const std::string& error) {
  output.err += "error: " + file + ": " + error + "\n";
  return kFailure;
}

}  // namespace

int dbImport(std::span<const std::string> args, CommandOutput& output) {
  Arguments a(args, {}, {});
  if (!a.ok()) return usageError(output, a.error());
  if (a.positional().size() != 2) return usageError(output, kUsage);
  std::string text;
  const int read = platform::readWholeFile(toPathText(a.positional()[1]), text);
  if (read != platform::kFileOk) return fileFailure(output, "read", a.positional()[1], read);
  std::string error;
  const std::optional<std::vector<CsvRow>> rows = parseCsv(text, error);
  if (!rows) return contentFailure(output, a.positional()[1], error);

  DbSession db(a.positional()[0], DbSession::Purpose::Write);
  if (!db.ok()) return engineFailure(output);
  const auto records = recordsOf(*rows, db.layout(), error);
  if (!records) return contentFailure(output, a.positional()[1], error);
  // All rows or none: a database whose record IDs run out before the last row takes no row.
  const std::int64_t left = recorddb::recordIdsLeft();
  if (recorddb::lastError() != recorddb::kDbOk) return engineFailure(output);
  if (left < static_cast<std::int64_t>(records->size())) {
    return contentFailure(output, a.positional()[1],
                          std::to_string(records->size()) + " rows, but the database takes only " +
                              std::to_string(left) + " more records before its record IDs run out");
  }
  for (const std::vector<Assignment>& record : *records) {
    if (!recorddb::appendRecord()) return engineFailure(output);
    const int id = recorddb::currentRecordId();
    if (recorddb::lastError() != recorddb::kDbOk || !writeAssignments(record)) return engineFailure(output);
    output.out += std::to_string(id) + "\n";
  }
  return kSuccess;
}

}  // namespace cli
