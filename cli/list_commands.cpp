#include "cli/list_commands.h"

#include <optional>
#include <vector>

#include "cli/arguments.h"
#include "cli/csv_writer.h"
#include "cli/db_session.h"
#include "cli/json_writer.h"
#include "cli/text_encoding.h"
#include "forms/field_text.h"
#include "lists/field_display_text.h"
#include "lists/run_folder.h"
#include "recorddb/record_database.h"
#include "settings/settings_store.h"

namespace cli {
namespace {

constexpr char kUsage[] = "list export RUNDIR LIST [--format csv|json]";

using Row = std::vector<std::string>;

struct Table {
  Row columns;
  std::vector<Row> rows;
};

// The list's own copy of its form, from the settings file of the run folder; nothing when the
// settings file holds none.
std::optional<std::vector<forms::FieldDefinition>> listForm(const base::TextValue& runDirectory,
                                                            const base::TextValue& listName) {
  settings::SettingsStore store;
  store.load(lists::settingsFilePath(runDirectory));
  store.selectSection(lists::kListFormsSection);
  const base::TextValue text = store.readText(listName);
  if (text.empty()) return std::nullopt;
  return forms::parseFieldSpecText(text, forms::kListCopyAttributes);
}

// The display texts of the current record, in UTF-8; false when a read failed.
bool readRow(const std::vector<forms::FieldDefinition>& fields, Row& row) {
  row.clear();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    row.push_back(toUtf8(lists::currentFieldDisplayText(static_cast<int>(i + 1), fields[i].kind)));
    if (recorddb::lastError() != recorddb::kDbOk) return false;
  }
  return true;
}

// The live records of the current database; false when the engine failed.
bool readLiveRows(const std::vector<forms::FieldDefinition>& fields, std::vector<Row>& rows) {
  const int count = recorddb::recordCount();
  if (recorddb::lastError() != recorddb::kDbOk) return false;
  Row row;
  for (int number = 1; number <= count; ++number) {
    if (!recorddb::gotoRecord(number)) return false;
    const bool deleted = recorddb::currentRecordDeleted();
    if (recorddb::lastError() != recorddb::kDbOk) return false;
    if (deleted) continue;
    if (!readRow(fields, row)) return false;
    rows.push_back(row);
  }
  return true;
}

std::string csvText(const Table& table) {
  std::string text(kUtf8ByteOrderMark);
  text += csvRow(table.columns);
  for (const Row& row : table.rows) text += csvRow(row);
  return text;
}

void writeTexts(JsonWriter& json, const Row& texts) {
  json.beginArray();
  for (const std::string& text : texts) json.string(text);
  json.endArray();
}

std::string jsonText(const Table& table) {
  JsonWriter json;
  json.beginObject();
  json.key("columns");
  writeTexts(json, table.columns);
  json.key("rows").beginArray();
  for (const Row& row : table.rows) writeTexts(json, row);
  json.endArray();
  json.endObject();
  return json.finish();
}

}  // namespace

int listExport(std::span<const std::string> args, CommandOutput& output) {
  Arguments a(args, {"--format"}, {});
  if (!a.ok()) return usageError(output, a.error());
  const std::string format = a.value("--format").value_or("csv");
  if (a.positional().size() != 2 || (format != "csv" && format != "json")) return usageError(output, kUsage);
  const base::TextValue runDirectory = toPathText(a.positional()[0]);
  const base::TextValue listName = toSystemText(a.positional()[1]);

  const auto fields = listForm(runDirectory, listName);
  if (!fields) {
    output.err += "error: no list " + a.positional()[1] + " in " + toUtf8(lists::settingsFilePath(runDirectory)) + "\n";
    return kFailure;
  }
  DbSession db(toUtf8(lists::listDatabasePath(runDirectory, listName)), DbSession::Purpose::Read);
  if (!db.ok()) return engineFailure(output);
  if (db.layout().fields.size() < fields->size()) {
    output.err += "error: the list's database has " + std::to_string(db.layout().fields.size()) +
                  " fields, its form " + std::to_string(fields->size()) + "\n";
    return kFailure;
  }

  Table table;
  for (const forms::FieldDefinition& field : *fields) table.columns.push_back(toUtf8(field.name));
  if (!readLiveRows(*fields, table.rows)) return engineFailure(output);
  output.out += format == "json" ? jsonText(table) : csvText(table);
  return kSuccess;
}

}  // namespace cli
