#pragma once
// Owned SQLite connections and prepared statements.

#include <sqlite3.h>

#include <memory>
#include <string>

namespace bench {

struct ConnectionCloser {
  void operator()(sqlite3* connection) const { sqlite3_close_v2(connection); }
};
struct StatementFinalizer {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

using Connection = std::unique_ptr<sqlite3, ConnectionCloser>;
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// Opens (creating) the database at `path` (UTF-8); null with `error` set on failure.
Connection openConnection(const std::string& path, std::string& error);

// Prepares `sql`; null with `error` set on failure.
Statement prepare(sqlite3* connection, const std::string& sql, std::string& error);

// Runs statements that return no rows; false with `error` set on failure.
bool execute(sqlite3* connection, const std::string& sql, std::string& error);

}  // namespace bench
