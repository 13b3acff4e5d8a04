// Paths: joining and splitting GBK paths, and files and folders with Chinese names on disk.

#include "platform/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "platform/file.h"
#include "platform/text_codec.h"
#include "tests/support/scratch_dir.h"

namespace {

using platform::kPathSeparator;

const base::TextValue kSeparator(1, kPathSeparator);

// The names in `folder` as the file system stores them, in UTF-16.
std::set<std::u16string> namesOnDisk(const base::TextValue& folder) {
  std::set<std::u16string> names;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(platform::gbkToUtf16(folder)))) {
    names.insert(entry.path().filename().u16string());
  }
  return names;
}

TEST(PathTextTest, JoinAddsOneSeparator) {
  EXPECT_EQ(platform::joinPath("a", "b"), "a" + kSeparator + "b");
  EXPECT_EQ(platform::joinPath("a" + kSeparator, "b"), "a" + kSeparator + "b");
  EXPECT_EQ(platform::joinPath("", "b"), "b");
  // The second byte of 擻 is "\": the folder does not end with a separator.
  EXPECT_EQ(platform::joinPath("擻", "b"), "擻" + kSeparator + "b");
}

TEST(PathTextTest, ParentIsThePartBeforeTheLastSeparator) {
  EXPECT_EQ(platform::parentDirectory("a" + kSeparator + "b" + kSeparator + "c.txt"), "a" + kSeparator + "b");
  EXPECT_EQ(platform::parentDirectory("c.txt"), "");
  EXPECT_EQ(platform::parentDirectory("程序" + kSeparator + "擻亅乕"), "程序");
  EXPECT_EQ(platform::parentDirectory("擻" + kSeparator + "擻"), "擻");
}

TEST(PathTextTest, FullPathResolvesRelativeParts) {
  testing_support::ScratchDir scratch;
  base::TextValue dotted = platform::joinPath(scratch.file("a"), platform::joinPath("..", "程序数据"));
  EXPECT_EQ(platform::fullPath(dotted), platform::fullPath(scratch.file("程序数据")));
  base::TextValue currentDirectory = platform::pathTextFromUtf16(std::filesystem::current_path().u16string());
  EXPECT_EQ(platform::fullPath("程序数据"), platform::joinPath(currentDirectory, "程序数据"));
}

// 俠 (82 62) and 侭 (82 42) differ in a second byte that looks like a letter.
TEST(PathTextTest, SamePathIgnoresLetterCaseWhereTheFileSystemDoes) {
  EXPECT_TRUE(platform::samePath("程序数据" + kSeparator + "a.EDB", "程序数据" + kSeparator + "a.EDB"));
#ifdef _WIN32
  EXPECT_TRUE(platform::samePath("C:\\Data\\a.EDB", "c:\\data\\A.edb"));
#else
  EXPECT_FALSE(platform::samePath("/data/a.EDB", "/data/a.edb"));
#endif
  EXPECT_FALSE(platform::samePath("俠客.EDB", "侭客.EDB"));
  EXPECT_FALSE(platform::samePath("a.EDB", "a.EDB2"));
}

TEST(PathTextTest, TheExecutableLivesInTheRunDirectory) {
  base::TextValue executable = platform::executablePath();
  EXPECT_NE(executable.find("platform_tests"), std::string::npos) << executable;
  EXPECT_TRUE(platform::pathExists(executable));
  EXPECT_FALSE(platform::isDirectory(executable));
  EXPECT_EQ(platform::runDirectory(), platform::parentDirectory(executable));
  EXPECT_TRUE(platform::isDirectory(platform::runDirectory()));
}

TEST(PathDiskTest, ChineseFoldersAndFilesAreCreatedFoundMovedAndDeleted) {
  testing_support::ScratchDir scratch;
  base::TextValue folder = scratch.file("程序数据");
  ASSERT_EQ(platform::createDirectory(folder), 0);
  EXPECT_EQ(platform::createDirectory(folder), 0);
  EXPECT_TRUE(platform::isDirectory(folder));

  base::TextValue file = platform::joinPath(folder, "格簿.dat");
  ASSERT_EQ(platform::writeWholeFile(file, "x"), 0);
  EXPECT_TRUE(platform::pathExists(file));
  EXPECT_FALSE(platform::isDirectory(file));
  EXPECT_EQ(namesOnDisk(scratch.path()), std::set<std::u16string>{u"程序数据"});
  EXPECT_EQ(namesOnDisk(folder), std::set<std::u16string>{u"格簿.dat"});

  base::TextValue moved = platform::joinPath(folder, "擻亅乕.dat");
  ASSERT_EQ(platform::moveFile(file, moved), 0);
  EXPECT_FALSE(platform::pathExists(file));
  EXPECT_EQ(namesOnDisk(folder), std::set<std::u16string>{u"擻亅乕.dat"});

  ASSERT_EQ(platform::deleteFile(moved), 0);
  EXPECT_FALSE(platform::pathExists(moved));
  EXPECT_TRUE(namesOnDisk(folder).empty());
}

TEST(PathDiskTest, MoveNeverReplacesAFile) {
  testing_support::ScratchDir scratch;
  base::TextValue from = scratch.file("甲");
  base::TextValue to = scratch.file("乙");
  ASSERT_EQ(platform::writeWholeFile(from, "from"), 0);
  ASSERT_EQ(platform::writeWholeFile(to, "to"), 0);
  EXPECT_EQ(platform::moveFile(from, to), platform::kFileAccessDenied);
  std::string content;
  ASSERT_EQ(platform::readWholeFile(from, content), 0);
  EXPECT_EQ(content, "from");
  ASSERT_EQ(platform::readWholeFile(to, content), 0);
  EXPECT_EQ(content, "to");
}

TEST(PathDiskTest, ReplaceTakesThePlaceOfAnExistingFileOrMakesANewOne) {
  testing_support::ScratchDir scratch;
  base::TextValue from = scratch.file("树型框数据.tmp");
  base::TextValue to = scratch.file("树型框数据.AI");
  ASSERT_EQ(platform::writeWholeFile(from, "new"), 0);
  ASSERT_EQ(platform::writeWholeFile(to, "old content"), 0);
  ASSERT_EQ(platform::replaceFile(from, to), 0);
  EXPECT_FALSE(platform::pathExists(from));
  std::string content;
  ASSERT_EQ(platform::readWholeFile(to, content), 0);
  EXPECT_EQ(content, "new");

  ASSERT_EQ(platform::writeWholeFile(from, "again"), 0);
  ASSERT_EQ(platform::deleteFile(to), 0);
  ASSERT_EQ(platform::replaceFile(from, to), 0);
  ASSERT_EQ(platform::readWholeFile(to, content), 0);
  EXPECT_EQ(content, "again");

  // A folder in the way, or no source: nothing changes.
  ASSERT_EQ(platform::writeWholeFile(from, "x"), 0);
  ASSERT_EQ(platform::createDirectory(scratch.file("目录")), 0);
  EXPECT_NE(platform::replaceFile(from, scratch.file("目录")), 0);
  EXPECT_TRUE(platform::pathExists(from));
  EXPECT_EQ(platform::replaceFile(scratch.file("无"), to), platform::kFileNotFound);
  ASSERT_EQ(platform::readWholeFile(to, content), 0);
  EXPECT_EQ(content, "again");
}

TEST(PathDiskTest, MissingFilesAndFoldersGiveTheirOwnErrors) {
  testing_support::ScratchDir scratch;
  base::TextValue missing = scratch.file("无");
  base::TextValue inMissingFolder = platform::joinPath(missing, "文件");
  base::TextValue present = scratch.file("有");
  ASSERT_EQ(platform::writeWholeFile(present, "x"), 0);

  EXPECT_FALSE(platform::pathExists(missing));
  EXPECT_FALSE(platform::isDirectory(missing));
  EXPECT_EQ(platform::deleteFile(missing), platform::kFileNotFound);
  EXPECT_EQ(platform::deleteFile(inMissingFolder), platform::kFileBadPath);
  EXPECT_EQ(platform::moveFile(missing, scratch.file("别处")), platform::kFileNotFound);
  EXPECT_EQ(platform::moveFile(present, inMissingFolder), platform::kFileBadPath);
  EXPECT_EQ(platform::createDirectory(inMissingFolder), platform::kFileBadPath);
  EXPECT_EQ(platform::createDirectory(present), platform::kFileAccessDenied);
  EXPECT_EQ(platform::deleteFile(scratch.path()), platform::kFileAccessDenied);  // a folder is no file
}

}  // namespace
