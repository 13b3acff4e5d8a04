// A run folder whose name GBK cannot hold: the settings file, its bytes values, the data folder,
// a new list's database and the tree data file are made in that very folder, under their names.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>
#include <vector>

#include "forms/form_library.h"
#include "lists/list_creation.h"
#include "lists/run_folder.h"
#include "lists/tree_file.h"
#include "platform/file.h"
#include "platform/paths.h"
#include "platform/text_codec.h"
#include "settings/settings_store.h"
#include "tests/support/scratch_dir.h"

namespace lists {
namespace {

namespace fs = std::filesystem;

std::set<fs::path> entriesOf(const fs::path& folder) {
  std::set<fs::path> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

TEST(RunFolderPathTest, FilesLandInAFolderNamedWithCharactersGbkHasNot) {
  testing_support::ScratchDir scratch;
  const base::TextValue user = scratch.file(platform::pathTextFromUtf16(u"ユーザー 사용자 \U0001F600"));
  const base::TextValue run = platform::joinPath(user, "run");
  ASSERT_EQ(platform::createDirectory(user), platform::kFileOk);
  ASSERT_EQ(platform::createDirectory(run), platform::kFileOk);

  std::optional<forms::FormDefinition> listForm;
  {
    settings::SettingsStore store;
    ASSERT_TRUE(store.open(settingsFilePath(run)));
    forms::FormLibrary library;
    library.load(store);
    ASSERT_TRUE(library.seedIfEmpty(store));
    listForm = createListDatabase(run, library.forms().front());
    ASSERT_TRUE(listForm);
    writeListFormCopy(store, *listForm);
    std::vector<ui::TreeItemInfo> items;
    appendListTreeItems(items, *listForm);
    ASSERT_EQ(saveTreeItems(items, treeDataFilePath(run)), platform::kFileOk);
    store.selectSection("主界面");
    EXPECT_TRUE(store.writeText("树型框.索引", "1"));
    EXPECT_TRUE(store.writeBytes("列宽", "\x01\x02"));
  }

  // The folders as the file system names them, from the UTF-8 names.
  const fs::path scratchFolder(platform::gbkToUtf16(scratch.path()));
  const fs::path userFolder = scratchFolder / fs::path(u8"ユーザー 사용자 😀");
  const fs::path runFolder = userFolder / "run";
  EXPECT_EQ(entriesOf(scratchFolder), std::set<fs::path>{userFolder.filename()});  // no "?" folder beside it
  EXPECT_EQ(entriesOf(userFolder), std::set<fs::path>{fs::path("run")});
  EXPECT_TRUE(fs::is_regular_file(runFolder / fs::path(u8"砚川·格簿录入台.ini")));
  EXPECT_TRUE(fs::is_directory(runFolder / "inibin"));
  const fs::path dataFolder = runFolder / fs::path(u8"程序数据");
  EXPECT_TRUE(fs::is_regular_file(dataFolder / fs::path(u8"树型框数据.AI")));
  const fs::path database = dataFolder / fs::path(platform::gbkToUtf16(listForm->name + kListDatabaseExtension));
  EXPECT_TRUE(fs::is_regular_file(database)) << database;

  // Read back through the path texts.
  EXPECT_TRUE(platform::pathExists(listDatabasePath(run, listForm->name)));
  settings::SettingsStore reread;
  reread.load(settingsFilePath(run));
  reread.selectSection("主界面");
  EXPECT_EQ(reread.readText("树型框.索引"), "1");
  EXPECT_EQ(reread.readBytes("列宽"), "\x01\x02");
  std::string tree;
  ASSERT_EQ(platform::readWholeFile(treeDataFilePath(run), tree), platform::kFileOk);
  EXPECT_FALSE(decodeTreeFile(tree).records.empty());
}

}  // namespace
}  // namespace lists
