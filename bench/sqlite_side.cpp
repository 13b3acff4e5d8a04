#include "bench/sqlite_side.h"

#include "recorddb/record_database.h"

namespace bench {
namespace {

std::string columnName(int position) { return "f" + std::to_string(position); }

// The record ID is the rowid, declared so that VACUUM keeps it.
std::string createTableSql() {
  std::string sql = "CREATE TABLE t(id INTEGER PRIMARY KEY";
  for (int position = 1; position <= kColumnCount; ++position) {
    const bool integer = sampleColumns()[position - 1].type == recorddb::kTypeInteger;
    sql += ", " + columnName(position) + (integer ? " INTEGER" : " TEXT");
  }
  return sql + ")";
}

// The IDs are given out as the engine gives them: 1, 2, 3, ...
std::string insertSql() {
  std::string columns, parameters;
  for (int position = 1; position <= kColumnCount; ++position) {
    columns += (position > 1 ? ", " : "") + columnName(position);
    parameters += position > 1 ? ", ?" : "?";
  }
  return "INSERT INTO t(" + columns + ") VALUES(" + parameters + ")";
}

// Binds a value of the sample columns (text or integer) to parameter `index` (1-based).
int bindValue(sqlite3_stmt* statement, int index, const recorddb::FieldValue& value) {
  if (value.kind() == recorddb::ValueKind::Text) {
    return sqlite3_bind_text(statement, index, value.asText().data(), static_cast<int>(value.asText().size()),
                             SQLITE_STATIC);
  }
  return sqlite3_bind_int64(statement, index, value.asInteger());
}

// Column `index` (0-based) of the current row as the owned value the engine would give for the
// sample column at `position`.
recorddb::FieldValue columnValue(sqlite3_stmt* statement, int index, int position) {
  if (sampleColumns()[position - 1].type == recorddb::kTypeInteger) {
    return recorddb::FieldValue::integer(sqlite3_column_int(statement, index));
  }
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, index));
  return recorddb::FieldValue::text(std::string(text ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(statement, index))));
}

// Steps a statement that returns no row, then resets it for the next use.
bool stepDone(sqlite3_stmt* statement) {
  const bool done = sqlite3_step(statement) == SQLITE_DONE;
  sqlite3_reset(statement);
  return done;
}

}  // namespace

SqliteSide::SqliteSide(const std::string& path) : connection_(openConnection(path, error_)) {
  if (!connection_) return;
  execute(connection_.get(), "PRAGMA journal_mode=WAL; PRAGMA synchronous=OFF; " + createTableSql(), error_);
}

std::nullopt_t SqliteSide::fail(const char* step) {
  if (error_.empty()) error_ = std::string(step) + ": " + sqlite3_errmsg(connection_.get());
  return std::nullopt;
}

std::optional<std::uint64_t> SqliteSide::append(const std::vector<SampleRecord>& records) {
  Statement insert = prepare(connection_.get(), insertSql(), error_);
  if (!insert) return std::nullopt;
  for (const SampleRecord& record : records) {
    for (int position = 1; position <= kColumnCount; ++position) {
      if (bindValue(insert.get(), position, record[position - 1]) != SQLITE_OK) return fail("bind");
    }
    if (!stepDone(insert.get())) return fail("insert");
  }
  return 0;
}

std::optional<std::uint64_t> SqliteSide::scan() {
  Statement select = prepare(connection_.get(), "SELECT * FROM t", error_);
  if (!select) return std::nullopt;
  Digest digest;
  int result;
  while ((result = sqlite3_step(select.get())) == SQLITE_ROW) {
    digest.add(sqlite3_column_int64(select.get(), 0));
    for (int position = 1; position <= kColumnCount; ++position) {
      digest.add(columnValue(select.get(), position, position));
    }
  }
  if (result != SQLITE_DONE) return fail("select");
  return digest.value();
}

std::optional<std::uint64_t> SqliteSide::find(std::span<const int> ids, int position) {
  Statement select =
      prepare(connection_.get(), "SELECT " + columnName(position) + " FROM t WHERE rowid = ?", error_);
  if (!select) return std::nullopt;
  Digest digest;
  for (int id : ids) {
    sqlite3_bind_int(select.get(), 1, id);
    if (sqlite3_step(select.get()) != SQLITE_ROW) return fail("select by rowid");
    digest.add(columnValue(select.get(), 0, position));
    sqlite3_reset(select.get());
  }
  return digest.value();
}

std::optional<std::uint64_t> SqliteSide::update(std::span<const int> ids, std::span<const std::int32_t> values) {
  Statement change =
      prepare(connection_.get(), "UPDATE t SET " + columnName(kPingColumn) + " = ? WHERE rowid = ?", error_);
  if (!change) return std::nullopt;
  for (std::size_t i = 0; i < ids.size(); ++i) {
    const std::string text = pingText(values[i]);
    sqlite3_bind_text(change.get(), 1, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int(change.get(), 2, ids[i]);
    if (!stepDone(change.get())) return fail("update");
  }
  return 0;
}

std::optional<std::uint64_t> SqliteSide::pack() {
  if (!execute(connection_.get(), "DELETE FROM t WHERE rowid % 2 = 0; VACUUM", error_)) return std::nullopt;
  Statement count = prepare(connection_.get(), "SELECT count(*) FROM t", error_);
  if (!count || sqlite3_step(count.get()) != SQLITE_ROW) return fail("count");
  return static_cast<std::uint64_t>(sqlite3_column_int64(count.get(), 0));
}

}  // namespace bench
