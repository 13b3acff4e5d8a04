#pragma once
// Where the program keeps its files in the run folder (the executable's folder): the settings file
// beside the executable, and the data folder with the lists' databases and the tree data file.

#include "base/text_value.h"

namespace lists {

// The settings file, in the run folder.
inline constexpr char kSettingsFileName[] = "砚川·格簿录入台.ini";
// The folder of the lists' databases and of the tree data file, in the run folder.
inline constexpr char kDataFolderName[] = "程序数据";
// The tree of lists, saved as a whole, in the data folder.
inline constexpr char kTreeDataFileName[] = "树型框数据.AI";
// The settings section that keeps each list's own copy of its form, under the list's name.
inline constexpr char kListFormsSection[] = "使用表单库";
// A list's database file is named after the list with this extension.
inline constexpr char kListDatabaseExtension[] = ".edb";

base::TextValue settingsFilePath(const base::TextValue& runDirectory);
base::TextValue dataFolder(const base::TextValue& runDirectory);
base::TextValue treeDataFilePath(const base::TextValue& runDirectory);
// The database file of the list named `listName`.
base::TextValue listDatabasePath(const base::TextValue& runDirectory, const base::TextValue& listName);

}  // namespace lists
