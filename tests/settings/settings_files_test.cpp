// The store on real files: the settings file itself and the files of bytes values.

#include <gtest/gtest.h>

#include "platform/file.h"
#include "platform/paths.h"
#include "settings/settings_store.h"
#include "tests/support/scratch_dir.h"

namespace settings {
namespace {

std::string fileBytes(const base::TextValue& path) {
  std::string bytes;
  EXPECT_EQ(platform::readWholeFile(path, bytes), platform::kFileOk);
  return bytes;
}

TEST(SettingsFile, OpeningCreatesTheFileAndEveryChangeReachesItAtOnce) {
  testing_support::ScratchDir dir;
  const base::TextValue folder = dir.file("程序数据");
  ASSERT_EQ(platform::createDirectory(folder), platform::kFileOk);
  const base::TextValue path = platform::joinPath(folder, "砚川·格簿录入台.ini");
  {
    SettingsStore store;
    ASSERT_TRUE(store.open(path));
    EXPECT_TRUE(platform::pathExists(path));
    EXPECT_EQ(fileBytes(path), "");
    store.selectSection("表单库");
    store.writeText("1_名称", "示例表单");
    store.writeNumber("数量", 1);
    EXPECT_EQ(fileBytes(path), "[表单库]\r\n数量=1\r\n1_名称=示例表单");
    store.writeText("1_名称", "x");
    EXPECT_EQ(fileBytes(path), "[表单库]\r\n数量=1\r\n1_名称=x");
  }
  SettingsStore reopened;
  ASSERT_TRUE(reopened.open(path));
  reopened.selectSection("表单库");
  EXPECT_EQ(reopened.readNumber("数量", 0), 1);
  EXPECT_EQ(reopened.path(), platform::fullPath(path));
}

TEST(SettingsFile, ASecondWriterIsRefusedButStillReads) {
  testing_support::ScratchDir dir;
  const base::TextValue path = dir.file("s.ini");
  SettingsStore first;
  ASSERT_TRUE(first.open(path));
  first.selectSection("S");
  first.writeText("K", "v");

  SettingsStore second;
  EXPECT_FALSE(second.open(path));
  second.selectSection("S");
  EXPECT_EQ(second.readText("K"), "v");
  // The second store works on memory only; the file keeps the first store's bytes.
  EXPECT_TRUE(second.writeText("K", "changed"));
  EXPECT_EQ(fileBytes(path), "[S]\r\nK=v");
}

TEST(SettingsFile, ReadingOnlyLeavesAMissingFileMissing) {
  testing_support::ScratchDir dir;
  SettingsStore store;
  store.load(dir.file("none.ini"));
  store.selectSection("S");
  EXPECT_EQ(store.readText("K", "d"), "d");
  EXPECT_FALSE(platform::pathExists(dir.file("none.ini")));
}

TEST(SettingsBytes, LiveInFilesOfTheirOwnBesideTheSettings) {
  testing_support::ScratchDir dir;
  SettingsStore store;
  ASSERT_TRUE(store.open(dir.file("s.ini")));
  store.selectSection("主界面");
  EXPECT_EQ(store.readBytes("树型框", "default"), "default");
  const std::string bytes("\x00\x01\xFF\r\n", 5);
  EXPECT_TRUE(store.writeBytes("树型框", bytes));
  const base::TextValue valueFile = platform::joinPath(dir.file("inibin"), "主界面-树型框.ibn");
  EXPECT_EQ(fileBytes(valueFile), bytes);
  EXPECT_EQ(store.readBytes("树型框"), bytes);
  EXPECT_EQ(store.content(), "");  // nothing goes to the settings text

  // An empty value file reads as the default.
  EXPECT_TRUE(store.writeBytes("空", ""));
  EXPECT_EQ(store.readBytes("空", "d"), "d");
}

TEST(SettingsBytes, AKeyCannotNameAFileOutsideTheBytesFolder) {
  testing_support::ScratchDir dir;
  SettingsStore store;
  ASSERT_TRUE(store.open(dir.file("s.ini")));
  store.selectSection("..");
  EXPECT_TRUE(store.writeBytes("../../escape", "x"));
  EXPECT_TRUE(store.writeBytes("a\\b:c", "y"));
  EXPECT_FALSE(platform::pathExists(dir.file("escape.ibn")));
  EXPECT_EQ(fileBytes(platform::joinPath(dir.file("inibin"), "..-.._.._escape.ibn")), "x");
  EXPECT_EQ(store.readBytes("../../escape"), "x");
  EXPECT_EQ(store.readBytes("a\\b:c"), "y");
}

}  // namespace
}  // namespace settings
