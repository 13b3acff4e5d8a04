// Opening, reading and writing files, and the errors they give.

#include "platform/file.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/paths.h"
#include "tests/support/scratch_dir.h"

namespace {

using platform::File;
using platform::FileAccess;
using platform::OpenMode;
using platform::ShareMode;

class FileTest : public testing::Test {
 protected:
  int open(File& file, FileAccess access, OpenMode mode) {
    return file.open(path_, access, ShareMode::DenyNone, mode);
  }

  std::string content() {
    std::string bytes;
    EXPECT_EQ(platform::readWholeFile(path_, bytes), 0);
    return bytes;
  }

  testing_support::ScratchDir scratch_;
  base::TextValue path_ = scratch_.file("程序数据.dat");
};

TEST_F(FileTest, OpenModesCreateTruncateOrKeepAsNamed) {
  File file;
  EXPECT_EQ(open(file, FileAccess::Read, OpenMode::OpenExisting), platform::kFileNotFound);
  EXPECT_FALSE(file.isOpen());
  ASSERT_EQ(open(file, FileAccess::Write, OpenMode::OpenOrCreate), 0);
  EXPECT_TRUE(file.isOpen());
  ASSERT_EQ(file.writeAt(0, "abc", 3), 0);
  file.close();
  EXPECT_FALSE(file.isOpen());

  ASSERT_EQ(open(file, FileAccess::ReadWrite, OpenMode::OpenOrCreate), 0);
  file.close();
  EXPECT_EQ(content(), "abc");
  EXPECT_EQ(open(file, FileAccess::ReadWrite, OpenMode::CreateNew), platform::kFileAccessDenied);
  ASSERT_EQ(open(file, FileAccess::Write, OpenMode::CreateAlways), 0);
  file.close();
  EXPECT_EQ(content(), "");
}

TEST_F(FileTest, MissingFilesAndFoldersGiveTheirOwnErrors) {
  File file;
  base::TextValue missingFolder = scratch_.file("缺少");
  EXPECT_EQ(file.open(platform::joinPath(missingFolder, "a.dat"), FileAccess::Read, ShareMode::DenyNone,
                      OpenMode::OpenOrCreate),
            platform::kFileBadPath);
  EXPECT_EQ(file.open(scratch_.path(), FileAccess::ReadWrite, ShareMode::DenyNone, OpenMode::OpenExisting),
            platform::kFileAccessDenied);  // a folder is no file
  std::string bytes = "left over";
  EXPECT_EQ(platform::readWholeFile(path_, bytes), platform::kFileNotFound);
  EXPECT_EQ(bytes, "");
}

TEST_F(FileTest, PositionedIoReadsWhatWasWrittenAndStopsAtTheEnd) {
  File file;
  ASSERT_EQ(open(file, FileAccess::ReadWrite, OpenMode::CreateNew), 0);
  ASSERT_EQ(file.writeAt(4, "world", 5), 0);
  ASSERT_EQ(file.writeAt(0, "hi", 2), 0);
  std::uint64_t length = 0;
  ASSERT_EQ(file.length(length), 0);
  EXPECT_EQ(length, 9u);

  char buffer[16] = {};
  std::size_t bytesRead = 99;
  ASSERT_EQ(file.readAt(0, buffer, 9, bytesRead), 0);
  EXPECT_EQ(std::string(buffer, bytesRead), std::string("hi\0\0world", 9));  // the gap reads as zeros
  ASSERT_EQ(file.readAt(6, buffer, sizeof buffer, bytesRead), 0);
  EXPECT_EQ(std::string(buffer, bytesRead), "rld");
  EXPECT_EQ(file.readAt(9, buffer, 1, bytesRead), platform::kFileEndOfFile);
  EXPECT_EQ(bytesRead, 0u);
  EXPECT_EQ(file.readAt(1000, buffer, 4, bytesRead), platform::kFileEndOfFile);
  EXPECT_EQ(bytesRead, 0u);
}

TEST_F(FileTest, SetLengthCutsAndGrows) {
  File file;
  ASSERT_EQ(open(file, FileAccess::ReadWrite, OpenMode::CreateNew), 0);
  ASSERT_EQ(file.writeAt(0, "abcdef", 6), 0);
  ASSERT_EQ(file.setLength(2), 0);
  ASSERT_EQ(file.setLength(4), 0);
  ASSERT_EQ(file.writeAt(4, "!", 1), 0);
  ASSERT_EQ(file.flush(), 0);
  file.close();
  EXPECT_EQ(content(), std::string("ab\0\0!", 5));
}

TEST_F(FileTest, AccessLimitsWhatTheFileMayDo) {
  ASSERT_EQ(platform::writeWholeFile(path_, "data"), 0);
  File reader;
  ASSERT_EQ(open(reader, FileAccess::Read, OpenMode::OpenExisting), 0);
  EXPECT_EQ(reader.writeAt(0, "x", 1), platform::kFileAccessDenied);
  EXPECT_EQ(reader.setLength(0), platform::kFileAccessDenied);
  EXPECT_EQ(reader.flush(), platform::kFileAccessDenied);
  File writer;
  ASSERT_EQ(open(writer, FileAccess::Write, OpenMode::OpenExisting), 0);
  char byte = 0;
  std::size_t bytesRead = 0;
  EXPECT_EQ(writer.readAt(0, &byte, 1, bytesRead), platform::kFileAccessDenied);
  EXPECT_EQ(content(), "data");
}

TEST_F(FileTest, AClosedFileRefusesEverything) {
  File file;
  char byte = 0;
  std::size_t bytesRead = 0;
  std::uint64_t length = 0;
  EXPECT_EQ(file.readAt(0, &byte, 1, bytesRead), platform::kFileInvalidHandle);
  EXPECT_EQ(file.writeAt(0, &byte, 1), platform::kFileInvalidHandle);
  EXPECT_EQ(file.length(length), platform::kFileInvalidHandle);
  EXPECT_EQ(file.setLength(0), platform::kFileInvalidHandle);
  EXPECT_EQ(file.flush(), platform::kFileInvalidHandle);
}

TEST_F(FileTest, MovingAFileHandsItsHandleOver) {
  File first;
  ASSERT_EQ(open(first, FileAccess::ReadWrite, OpenMode::CreateNew), 0);
  File second(std::move(first));
  EXPECT_FALSE(first.isOpen());
  ASSERT_EQ(second.writeAt(0, "x", 1), 0);
  File third;
  third = std::move(second);
  EXPECT_FALSE(second.isOpen());
  ASSERT_EQ(third.writeAt(1, "y", 1), 0);
  third.close();
  EXPECT_EQ(content(), "xy");
}

TEST_F(FileTest, WholeFilesKeepEveryByte) {
  std::string bytes("line\r\nnext\n\0\xFF程序", 17);
  ASSERT_EQ(platform::writeWholeFile(path_, bytes), 0);
  EXPECT_EQ(content(), bytes);
  ASSERT_EQ(platform::writeWholeFile(path_, "short"), 0);
  EXPECT_EQ(content(), "short");
  ASSERT_EQ(platform::writeWholeFile(path_, ""), 0);
  EXPECT_EQ(content(), "");
}

}  // namespace
