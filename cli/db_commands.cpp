#include "cli/db_commands.h"

#include <limits>
#include <vector>

#include "cli/arguments.h"
#include "cli/db_session.h"
#include "cli/db_values.h"
#include "cli/json_writer.h"
#include "cli/text_encoding.h"
#include "cli/value_text.h"
#include "platform/paths.h"
#include "recorddb/db_paths.h"
#include "recorddb/record_database.h"

namespace cli {
namespace {

// A field of `db create`: NAME:TYPE[:LENGTH].
std::optional<recorddb::FieldSpec> parseFieldSpec(const std::string& utf8) {
  const std::size_t first = utf8.find(':');  // field names cannot hold ":"
  if (first == 0 || first == std::string::npos) return std::nullopt;
  const std::size_t second = utf8.find(':', first + 1);
  const std::string type = utf8.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
  const std::string length = second == std::string::npos ? "0" : utf8.substr(second + 1);
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  std::optional<std::int64_t> typeCode = parseWholeNumber(type, -kMax, kMax);
  std::optional<std::int64_t> declaredLength = parseWholeNumber(length, -kMax, kMax);
  if (!typeCode || !declaredLength) return std::nullopt;
  return recorddb::FieldSpec{toSystemText(utf8.substr(0, first)), static_cast<std::int32_t>(*typeCode),
                             static_cast<std::int32_t>(*declaredLength)};
}

void writeRecord(JsonWriter& json, int id, bool deleted, const std::vector<recorddb::FieldValue>& values) {
  json.beginObject();
  json.key("id").number(std::int64_t{id});
  json.key("deleted").boolean(deleted);
  json.key("values").beginArray();
  for (const recorddb::FieldValue& value : values) writeFieldValue(json, value);
  json.endArray();
  json.endObject();
}

// Reads every field of the current record; false when a read failed.
bool readRecord(int fieldCount, std::vector<recorddb::FieldValue>& values) {
  values.clear();
  for (int position = 1; position <= fieldCount; ++position) {
    values.push_back(recorddb::readField(position));
    if (recorddb::lastError() != recorddb::kDbOk) return false;
  }
  return true;
}

// Makes the record with `id` current; false with a message when it fails or does not exist.
bool findRecord(int id, CommandOutput& output) {
  if (recorddb::gotoRecordId(id)) return true;
  if (recorddb::lastError() != recorddb::kDbOk) {
    engineFailure(output);
  } else {
    output.err += "error: no record with ID " + std::to_string(id) + "\n";
  }
  return false;
}

}  // namespace

int dbCreate(std::span<const std::string> args, CommandOutput& output) {
  constexpr char kUsage[] = "db create PATH NAME:TYPE[:LENGTH] ...";
  Arguments a(args, {}, {});
  if (!a.ok()) return usageError(output, a.error());
  if (a.positional().size() < 2) return usageError(output, kUsage);
  std::vector<recorddb::FieldSpec> fields;
  for (std::size_t i = 1; i < a.positional().size(); ++i) {
    std::optional<recorddb::FieldSpec> field = parseFieldSpec(a.positional()[i]);
    if (!field) return usageError(output, "not NAME:TYPE[:LENGTH]: " + a.positional()[i]);
    fields.push_back(std::move(*field));
  }
  const base::TextValue path = toPathText(a.positional()[0]);
  if (platform::pathExists(recorddb::databasePathFor(path))) {
    output.err += "error: the database file already exists: " + a.positional()[0] + "\n";
    return kFailure;
  }
  if (!recorddb::createDatabase(path, fields)) return engineFailure(output);
  return kSuccess;
}

int dbInfo(std::span<const std::string> args, CommandOutput& output) {
  Arguments a(args, {}, {});
  if (!a.ok()) return usageError(output, a.error());
  if (a.positional().size() != 1) return usageError(output, "db info PATH");
  DbSession db(a.positional()[0], DbSession::Purpose::Read);
  if (!db.ok()) return engineFailure(output);
  const recorddb::DatabaseLayout& layout = db.layout();
  JsonWriter json;
  json.beginObject();
  json.key("version").number(std::int64_t{layout.version});
  json.key("slotCount").number(std::int64_t{layout.slotCount});
  json.key("nextId").number(std::int64_t{layout.nextId});
  json.key("recordLength").number(std::int64_t{layout.recordLength});
  json.key("dataStart").number(std::int64_t{layout.dataStart});
  json.key("fields").beginArray();
  for (const recorddb::FieldLayout& field : layout.fields) {
    json.beginObject();
    json.key("name").string(toUtf8(field.name));
    json.key("type").number(std::int64_t{field.type});
    json.key("offset").number(std::int64_t{field.offset});
    json.key("length").number(std::int64_t{field.declaredLength});
    json.endObject();
  }
  json.endArray();
  json.endObject();
  output.out += json.finish();
  return kSuccess;
}

int dbDump(std::span<const std::string> args, CommandOutput& output) {
  Arguments a(args, {}, {"--deleted"});
  if (!a.ok()) return usageError(output, a.error());
  if (a.positional().size() != 1) return usageError(output, "db dump PATH [--deleted]");
  const bool withDeleted = a.has("--deleted");
  DbSession db(a.positional()[0], DbSession::Purpose::Read);
  if (!db.ok()) return engineFailure(output);
  const int fieldCount = static_cast<int>(db.layout().fields.size());
  const int count = recorddb::recordCount();
  if (recorddb::lastError() != recorddb::kDbOk) return engineFailure(output);

  JsonWriter json;
  json.beginArray();
  std::vector<recorddb::FieldValue> values;
  for (int number = 1; number <= count; ++number) {
    if (!recorddb::gotoRecord(number)) return engineFailure(output);
    const int id = recorddb::currentRecordId();
    if (recorddb::lastError() != recorddb::kDbOk) return engineFailure(output);
    const bool deleted = recorddb::currentRecordDeleted();
    if (recorddb::lastError() != recorddb::kDbOk) return engineFailure(output);
    if (deleted && !withDeleted) continue;
    if (!readRecord(fieldCount, values)) return engineFailure(output);
    writeRecord(json, id, deleted, values);
  }
  json.endArray();
  output.out += json.finish();
  return kSuccess;
}

int dbAppend(std::span<const std::string> args, CommandOutput& output) {
  Arguments a(args, {}, {});
  if (!a.ok()) return usageError(output, a.error());
  if (a.positional().empty()) return usageError(output, "db append PATH [N=VALUE ...]");
  DbSession db(a.positional()[0], DbSession::Purpose::Write);
  if (!db.ok()) return engineFailure(output);
  std::string error;
  auto assignments = parseAssignments(std::span(a.positional()).subspan(1), db.layout(), error);
  if (!assignments) return usageError(output, error);
  if (!recorddb::appendRecord()) return engineFailure(output);
  const int id = recorddb::currentRecordId();
  if (recorddb::lastError() != recorddb::kDbOk || !writeAssignments(*assignments)) return engineFailure(output);
  output.out += std::to_string(id) + "\n";
  return kSuccess;
}

int dbSet(std::span<const std::string> args, CommandOutput& output) {
  constexpr char kUsage[] = "db set PATH ID N=VALUE ...";
  Arguments a(args, {}, {});
  if (!a.ok()) return usageError(output, a.error());
  if (a.positional().size() < 3) return usageError(output, kUsage);
  std::optional<int> id = parseRecordId(a.positional()[1]);
  if (!id) return usageError(output, "not a record ID: " + a.positional()[1]);
  DbSession db(a.positional()[0], DbSession::Purpose::Write);
  if (!db.ok()) return engineFailure(output);
  std::string error;
  auto assignments = parseAssignments(std::span(a.positional()).subspan(2), db.layout(), error);
  if (!assignments) return usageError(output, error);
  if (!findRecord(*id, output)) return kFailure;
  if (!writeAssignments(*assignments)) return engineFailure(output);
  return kSuccess;
}

int dbDelete(std::span<const std::string> args, CommandOutput& output) {
  Arguments a(args, {}, {});
  if (!a.ok()) return usageError(output, a.error());
  if (a.positional().size() < 2) return usageError(output, "db delete PATH ID ...");
  std::vector<int> ids;
  for (std::size_t i = 1; i < a.positional().size(); ++i) {
    std::optional<int> id = parseRecordId(a.positional()[i]);
    if (!id) return usageError(output, "not a record ID: " + a.positional()[i]);
    ids.push_back(*id);
  }
  DbSession db(a.positional()[0], DbSession::Purpose::Write);
  if (!db.ok()) return engineFailure(output);
  // Every ID is looked up before any record is marked, so a wrong ID marks none.
  for (int id : ids) {
    if (!findRecord(id, output)) return kFailure;
  }
  for (int id : ids) {
    if (!findRecord(id, output)) return kFailure;
    if (!recorddb::deleteRecord()) return engineFailure(output);
  }
  return kSuccess;
}

int dbPack(std::span<const std::string> args, CommandOutput& output) {
  Arguments a(args, {}, {});
  if (!a.ok()) return usageError(output, a.error());
  if (a.positional().size() != 1) return usageError(output, "db pack PATH");
  DbSession db(a.positional()[0], DbSession::Purpose::Write);
  if (!db.ok()) return engineFailure(output);
  if (!recorddb::packDatabase()) return engineFailure(output);
  return kSuccess;
}

}  // namespace cli
