#include "lists/run_folder.h"

#include "platform/paths.h"

namespace lists {

base::TextValue settingsFilePath(const base::TextValue& runDirectory) {
  return platform::joinPath(runDirectory, kSettingsFileName);
}

base::TextValue dataFolder(const base::TextValue& runDirectory) {
  return platform::joinPath(runDirectory, kDataFolderName);
}

base::TextValue treeDataFilePath(const base::TextValue& runDirectory) {
  return platform::joinPath(dataFolder(runDirectory), kTreeDataFileName);
}

base::TextValue listDatabasePath(const base::TextValue& runDirectory, const base::TextValue& listName) {
  return platform::joinPath(dataFolder(runDirectory), listName + kListDatabaseExtension);
}

}  // namespace lists
