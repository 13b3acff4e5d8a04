// Files held in memory behind the file operations table: File, the path operations and the
// whole-file helpers work on them as on the disk, with the same share modes, locks and errors.

#include "platform/memory_files.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file.h"
#include "platform/paths.h"
#include "tests/platform/share_table.h"

namespace {

using platform::File;
using platform::FileAccess;
using platform::OpenMode;
using platform::ShareMode;

class MemoryFilesTest : public testing::Test {
 protected:
  void SetUp() override { memory_.put(path_, "0123456789"); }

  int open(File& file, FileAccess access = FileAccess::ReadWrite, ShareMode share = ShareMode::DenyNone,
           OpenMode mode = OpenMode::OpenExisting) {
    return file.open(path_, access, share, mode);
  }

  std::string read(File& file, std::uint64_t offset, std::size_t size, int expected = platform::kFileOk) {
    std::string buffer(size, '?');
    std::size_t got = 99;
    EXPECT_EQ(file.readAt(offset, buffer.data(), size, got), expected);
    return buffer.substr(0, got);
  }

  platform::MemoryFiles memory_;
  platform::ScopedFileOperations scope_{memory_.operations()};
  const base::TextValue folder_ = "/mem";
  const base::TextValue path_ = platform::joinPath(folder_, "程序数据.dat");
};

TEST_F(MemoryFilesTest, PutFilesAreReadAndWrittenThroughFileAndTheWholeFileHelpers) {
  std::string content;
  ASSERT_EQ(platform::readWholeFile(path_, content), 0);
  EXPECT_EQ(content, "0123456789");
  EXPECT_TRUE(platform::isDirectory(folder_));
  ASSERT_EQ(platform::writeWholeFile(path_, "new"), 0);
  EXPECT_EQ(memory_.bytes(path_), "new");
  EXPECT_EQ(memory_.bytes(path_ + "x"), std::nullopt);
  EXPECT_EQ(memory_.openHandles(), 0u);

  memory_.clear();
  EXPECT_FALSE(platform::pathExists(path_));
  EXPECT_FALSE(platform::pathExists(folder_));
}

TEST_F(MemoryFilesTest, OpenModesCreateTruncateOrKeepAsNamed) {
  File file;
  const base::TextValue other = platform::joinPath(folder_, "b");
  EXPECT_EQ(file.open(other, FileAccess::Read, ShareMode::DenyNone, OpenMode::OpenExisting), platform::kFileNotFound);
  ASSERT_EQ(file.open(other, FileAccess::Write, ShareMode::DenyNone, OpenMode::CreateNew), 0);
  EXPECT_EQ(memory_.openHandles(), 1u);
  file.close();
  EXPECT_EQ(memory_.openHandles(), 0u);
  EXPECT_EQ(memory_.bytes(other), "");
  EXPECT_EQ(open(file, FileAccess::ReadWrite, ShareMode::DenyNone, OpenMode::CreateNew), platform::kFileAccessDenied);
  ASSERT_EQ(open(file, FileAccess::ReadWrite, ShareMode::DenyNone, OpenMode::OpenOrCreate), 0);
  file.close();
  EXPECT_EQ(memory_.bytes(path_), "0123456789");
  ASSERT_EQ(open(file, FileAccess::Write, ShareMode::DenyNone, OpenMode::CreateAlways), 0);
  EXPECT_EQ(memory_.bytes(path_), "");

  const base::TextValue inMissingFolder = platform::joinPath(platform::joinPath(folder_, "无"), "a");
  EXPECT_EQ(file.open(inMissingFolder, FileAccess::Read, ShareMode::DenyNone, OpenMode::OpenOrCreate),
            platform::kFileBadPath);
  EXPECT_EQ(file.open(inMissingFolder, FileAccess::Read, ShareMode::DenyNone, OpenMode::OpenExisting),
            platform::kFileBadPath);
  EXPECT_EQ(file.open(folder_, FileAccess::Read, ShareMode::DenyNone, OpenMode::OpenOrCreate),
            platform::kFileAccessDenied);  // a folder is no file
}

TEST_F(MemoryFilesTest, ReadsStopShortAtTheEndAndWritesGrowTheFile) {
  File file;
  ASSERT_EQ(open(file), 0);
  EXPECT_EQ(read(file, 6, 10), "6789");
  EXPECT_EQ(read(file, 10, 1, platform::kFileEndOfFile), "");
  EXPECT_EQ(read(file, 1000, 4, platform::kFileEndOfFile), "");
  EXPECT_EQ(read(file, 10, 0), "");

  ASSERT_EQ(file.writeAt(12, "ab", 2), 0);
  EXPECT_EQ(memory_.bytes(path_), std::string("0123456789\0\0ab", 14));  // the gap reads as zeros
  std::uint64_t length = 0;
  ASSERT_EQ(file.length(length), 0);
  EXPECT_EQ(length, 14u);
  ASSERT_EQ(file.writeAt(1, "XY", 2), 0);
  EXPECT_EQ(read(file, 0, 4), "0XY3");

  EXPECT_EQ(file.writeAt(std::uint64_t{1} << 63, "x", 1), platform::kFileBadSeek);
  EXPECT_EQ(read(file, ~std::uint64_t{0} - 1, 4, platform::kFileBadSeek), "");
}

TEST_F(MemoryFilesTest, SetLengthCutsAndGrowsAndTheSizeLimitActsAsAFullDisk) {
  File file;
  ASSERT_EQ(open(file), 0);
  ASSERT_EQ(file.setLength(2), 0);
  ASSERT_EQ(file.setLength(4), 0);
  ASSERT_EQ(file.flush(), 0);
  EXPECT_EQ(memory_.bytes(path_), std::string("01\0\0", 4));

  memory_.setSizeLimit(8);
  EXPECT_EQ(file.writeAt(6, "abc", 3), platform::kFileDiskFull);
  EXPECT_EQ(file.setLength(9), platform::kFileDiskFull);
  ASSERT_EQ(file.writeAt(6, "ab", 2), 0);
  EXPECT_EQ(memory_.bytes(path_), std::string("01\0\0\0\0ab", 8));
}

TEST_F(MemoryFilesTest, HandlesShareAsTheWindowsTableSays) {
  platform_tests::checkTable(path_, [&](const platform_tests::Opener& second) {
    File file;
    return open(file, second.access, second.share);
  });
}

TEST_F(MemoryFilesTest, ARefusedOpenLeavesTheFileAloneAndClosingLetsOthersIn) {
  File holder;
  ASSERT_EQ(open(holder, FileAccess::Read, ShareMode::DenyWrite), 0);
  File second;
  EXPECT_EQ(open(second, FileAccess::ReadWrite, ShareMode::DenyNone, OpenMode::CreateAlways),
            platform::kFileSharingViolation);
  EXPECT_EQ(memory_.bytes(path_), "0123456789");
  EXPECT_EQ(memory_.openHandles(), 1u);
  holder.close();
  EXPECT_EQ(open(second, FileAccess::ReadWrite, ShareMode::DenyAll), 0);
  // Share modes hold per file: another file is free.
  File elsewhere;
  EXPECT_EQ(elsewhere.open(path_ + ".2", FileAccess::ReadWrite, ShareMode::DenyAll, OpenMode::CreateNew), 0);
}

TEST_F(MemoryFilesTest, LockedRangesExcludeOtherHandlesUntilUnlockedOrClosed) {
  File first;
  File second;
  ASSERT_EQ(open(first), 0);
  ASSERT_EQ(open(second), 0);
  ASSERT_EQ(first.lock(100, 10), 0);  // beyond the end of the file
  EXPECT_EQ(second.lock(109, 5), platform::kFileLockViolation);
  EXPECT_EQ(second.lock(95, 6), platform::kFileLockViolation);
  EXPECT_EQ(second.lock(0, 0x7FFFFFFF), platform::kFileLockViolation);
  EXPECT_EQ(second.lock(110, 5), 0);
  EXPECT_EQ(second.lock(90, 10), 0);
  EXPECT_EQ(second.unlock(100, 10), platform::kFileLockViolation);  // not this handle's range

  EXPECT_EQ(first.unlock(100, 5), platform::kFileLockViolation);
  ASSERT_EQ(first.unlock(100, 10), 0);
  EXPECT_EQ(second.lock(100, 10), 0);
  second.close();
  EXPECT_EQ(first.lock(0, 1000), 0);

  // Locks hold per file.
  File other;
  ASSERT_EQ(other.open(path_ + ".2", FileAccess::ReadWrite, ShareMode::DenyNone, OpenMode::CreateNew), 0);
  EXPECT_EQ(other.lock(0, 1000), 0);
}

TEST_F(MemoryFilesTest, FoldersAreMadeWhereTheirParentIs) {
  const base::TextValue sub = platform::joinPath(folder_, "子目录");
  ASSERT_EQ(platform::createDirectory(sub), 0);
  EXPECT_EQ(platform::createDirectory(sub), 0);
  EXPECT_TRUE(platform::isDirectory(sub));
  EXPECT_EQ(platform::createDirectory(platform::joinPath(platform::joinPath(sub, "无"), "a")), platform::kFileBadPath);
  EXPECT_EQ(platform::createDirectory(path_), platform::kFileAccessDenied);
  EXPECT_TRUE(platform::pathExists(path_));
  EXPECT_FALSE(platform::isDirectory(path_));
  EXPECT_EQ(platform::deleteFile(sub), platform::kFileAccessDenied);  // a folder is no file
}

TEST_F(MemoryFilesTest, MoveNeverReplacesAndReplaceTakesThePlaceOfAFile) {
  const base::TextValue to = platform::joinPath(folder_, "乙");
  const base::TextValue missing = platform::joinPath(folder_, "无");
  memory_.put(to, "to");
  EXPECT_EQ(platform::moveFile(path_, to), platform::kFileAccessDenied);
  EXPECT_EQ(memory_.bytes(to), "to");
  EXPECT_EQ(platform::moveFile(missing, path_ + ".x"), platform::kFileNotFound);
  EXPECT_EQ(platform::moveFile(path_, platform::joinPath(missing, "a")), platform::kFileBadPath);
  ASSERT_EQ(platform::replaceFile(path_, to), 0);
  EXPECT_FALSE(platform::pathExists(path_));
  EXPECT_EQ(memory_.bytes(to), "0123456789");
  ASSERT_EQ(platform::moveFile(to, path_), 0);
  EXPECT_EQ(memory_.bytes(path_), "0123456789");
  EXPECT_EQ(platform::replaceFile(missing, path_), platform::kFileNotFound);
  EXPECT_NE(platform::replaceFile(path_, folder_), 0);  // a folder in the way
  EXPECT_EQ(memory_.bytes(path_), "0123456789");

  // A folder moves with what it holds.
  const base::TextValue moved = platform::joinPath(folder_, "移");
  ASSERT_EQ(platform::createDirectory(platform::joinPath(folder_, "源")), 0);
  memory_.put(platform::joinPath(platform::joinPath(folder_, "源"), "f"), "f");
  ASSERT_EQ(platform::moveFile(platform::joinPath(folder_, "源"), moved), 0);
  EXPECT_TRUE(platform::isDirectory(moved));
  EXPECT_EQ(memory_.bytes(platform::joinPath(moved, "f")), "f");
  EXPECT_FALSE(platform::pathExists(platform::joinPath(folder_, "源")));
}

TEST_F(MemoryFilesTest, AFileDeletedOrReplacedWhileOpenStaysWithItsHandles) {
  File file;
  ASSERT_EQ(open(file), 0);
  const base::TextValue next = platform::joinPath(folder_, "next");
  memory_.put(next, "next");
  ASSERT_EQ(platform::replaceFile(next, path_), 0);
  EXPECT_EQ(read(file, 0, 4), "0123");
  ASSERT_EQ(platform::deleteFile(path_), 0);
  EXPECT_EQ(platform::deleteFile(path_), platform::kFileNotFound);
  EXPECT_EQ(platform::deleteFile(platform::joinPath(path_, "a")), platform::kFileBadPath);
  ASSERT_EQ(file.writeAt(0, "w", 1), 0);
  EXPECT_EQ(read(file, 0, 2), "w1");
  EXPECT_FALSE(platform::pathExists(path_));
}

}  // namespace
