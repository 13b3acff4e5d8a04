// The run folder's layout and the names of list files: the first free name, and base names of GBK
// paths whose double-byte characters may end in the byte of "\".

#include <gtest/gtest.h>

#include "lists/list_files.h"
#include "lists/run_folder.h"
#include "platform/file.h"
#include "platform/paths.h"
#include "tests/support/scratch_dir.h"

namespace lists {
namespace {

using platform::joinPath;

void touch(const base::TextValue& path) { ASSERT_EQ(platform::writeWholeFile(path, "x"), platform::kFileOk) << path; }

TEST(RunFolderTest, FilesLiveInTheRunFolderAndItsDataFolder) {
  const base::TextValue run = joinPath("运行", "目录");
  const base::TextValue data = joinPath(run, "程序数据");
  EXPECT_EQ(settingsFilePath(run), joinPath(run, "砚川·格簿录入台.ini"));
  EXPECT_EQ(dataFolder(run), data);
  EXPECT_EQ(treeDataFilePath(run), joinPath(data, "树型框数据.AI"));
  EXPECT_EQ(listDatabasePath(run, "示例表单1"), joinPath(data, "示例表单1.edb"));
}

TEST(FileBaseNameTest, TakesTheNameWithoutItsLastExtension) {
  EXPECT_EQ(fileBaseName("C:\\程序\\程序数据\\示例表单.edb"), "示例表单");
  EXPECT_EQ(fileBaseName("/程序/程序数据/示例表单.edb"), "示例表单");
  EXPECT_EQ(fileBaseName("a\\b/c.d"), "c");
  EXPECT_EQ(fileBaseName("a.b.edb"), "a.b");
  EXPECT_EQ(fileBaseName("名称"), "名称");
  EXPECT_EQ(fileBaseName("目录.x\\名称"), "名称");  // a dot of a folder is no extension
  EXPECT_EQ(fileBaseName(".edb"), "");
  EXPECT_EQ(fileBaseName("目录\\"), "");
  EXPECT_EQ(fileBaseName(""), "");
}

TEST(FileBaseNameTest, TheSecondByteOfACharacterIsNoSeparator) {
  // 擻 and 亅 end in 0x5C, the byte of "\".
  ASSERT_EQ(std::string("擻").back(), '\\');
  EXPECT_EQ(fileBaseName("擻亅.edb"), "擻亅");
  EXPECT_EQ(fileBaseName("目录\\擻.edb"), "擻");
  EXPECT_EQ(fileBaseName("擻\\擻亅"), "擻亅");
  EXPECT_EQ(fileBaseName("\x81"), "\x81");  // a lead byte at the end
}

TEST(UniqueFilePathTest, CountsUpFromTheBareName) {
  testing_support::ScratchDir dir;
  const base::TextValue folder = dir.path();
  const base::TextValue first = uniqueFilePath(folder, "示例表单.edb");
  EXPECT_EQ(first, joinPath(folder, "示例表单.edb"));
  touch(first);
  const base::TextValue second = uniqueFilePath(folder, "示例表单.edb");
  EXPECT_EQ(second, joinPath(folder, "示例表单1.edb"));
  touch(second);
  EXPECT_EQ(uniqueFilePath(folder, "示例表单.edb"), joinPath(folder, "示例表单2.edb"));
  // A gap is filled.
  ASSERT_EQ(platform::deleteFile(first), platform::kFileOk);
  EXPECT_EQ(uniqueFilePath(folder, "示例表单.edb"), first);

  EXPECT_EQ(uniqueFilePath(folder, "a.b.edb"), joinPath(folder, "a.b.edb"));
  EXPECT_EQ(fileBaseName(uniqueFilePath(folder, "a.b.edb")), "a.b");
  touch(joinPath(folder, "无扩展"));
  EXPECT_EQ(uniqueFilePath(folder, "无扩展"), joinPath(folder, "无扩展1"));
  EXPECT_EQ(uniqueFilePath(folder, "擻.edb"), joinPath(folder, "擻.edb"));
}

TEST(UniqueFilePathTest, MakesTheMissingFolders) {
  testing_support::ScratchDir dir;
  const base::TextValue folder = joinPath(joinPath(dir.path(), "程序数据"), "擻亅");
  EXPECT_EQ(uniqueFilePath(folder, "表.edb"), joinPath(folder, "表.edb"));
  EXPECT_TRUE(platform::isDirectory(folder));

  // A file in the way stops the making, and still gives a path.
  touch(dir.file("文件"));
  const base::TextValue blocked = joinPath(dir.file("文件"), "下层");
  EXPECT_EQ(uniqueFilePath(blocked, "表.edb"), joinPath(blocked, "表.edb"));
  EXPECT_FALSE(platform::isDirectory(blocked));
}

}  // namespace
}  // namespace lists
