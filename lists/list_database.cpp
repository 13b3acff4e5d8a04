#include "lists/list_database.h"

#include "lists/run_folder.h"
#include "recorddb/record_database.h"

namespace lists {

bool openListDatabase(const base::TextValue& runDirectory, const base::TextValue& listName) {
  const base::TextValue path = listDatabasePath(runDirectory, listName);
  if (recorddb::isDatabaseOpen(path)) return recorddb::setCurrentDatabase(listName);
  if (recorddb::openDatabase(path, listName, false, recorddb::kShareDenyWrite)) return true;
  if (recorddb::lastError() != recorddb::kDbBadAlias) return false;
  return recorddb::openDatabase(path, {}, false, recorddb::kShareDenyWrite);
}

void closeListDatabase(const base::TextValue& runDirectory, const base::TextValue& listName) {
  if (recorddb::isDatabaseOpen(listDatabasePath(runDirectory, listName))) recorddb::closeDatabase(listName);
}

}  // namespace lists
