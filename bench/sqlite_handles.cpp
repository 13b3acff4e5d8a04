#include "bench/sqlite_handles.h"

namespace bench {

Connection openConnection(const std::string& path, std::string& error) {
  sqlite3* raw = nullptr;
  const int result = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  Connection connection(raw);  // owned even when opening failed
  if (result != SQLITE_OK) {
    error = std::string("sqlite open: ") + (raw ? sqlite3_errmsg(raw) : sqlite3_errstr(result));
    return nullptr;
  }
  return connection;
}

Statement prepare(sqlite3* connection, const std::string& sql, std::string& error) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(connection, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
    error = "sqlite prepare: " + std::string(sqlite3_errmsg(connection));
    sqlite3_finalize(raw);
    return nullptr;
  }
  return Statement(raw);
}

bool execute(sqlite3* connection, const std::string& sql, std::string& error) {
  if (sqlite3_exec(connection, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK) return true;
  error = "sqlite: " + std::string(sqlite3_errmsg(connection));
  return false;
}

}  // namespace bench
