// Share modes between two openers of one file, in one process and in two, as Windows has them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file.h"
#include "tests/platform/file_child_roles.h"
#include "tests/support/scratch_dir.h"

namespace {

using platform::File;
using platform::FileAccess;
using platform::OpenMode;
using platform::ShareMode;

struct Opener {
  FileAccess access;
  ShareMode share;
};

const char* accessName(FileAccess access) {
  static const char* const names[] = {"Read", "Write", "ReadWrite"};
  return names[static_cast<int>(access)];
}

const char* shareName(ShareMode share) {
  static const char* const names[] = {"DenyNone", "DenyRead", "DenyWrite", "DenyAll"};
  return names[static_cast<int>(share)];
}

std::string describe(const Opener& first, const Opener& second) {
  return std::string(accessName(first.access)) + "/" + shareName(first.share) + " then " +
         accessName(second.access) + "/" + shareName(second.share);
}

// Every opener, in the order of the table's rows and columns.
std::vector<Opener> allOpeners() {
  std::vector<Opener> openers;
  for (FileAccess access : {FileAccess::Read, FileAccess::Write, FileAccess::ReadWrite}) {
    for (ShareMode share :
         {ShareMode::DenyNone, ShareMode::DenyRead, ShareMode::DenyWrite, ShareMode::DenyAll}) {
      openers.push_back({access, share});
    }
  }
  return openers;
}

// Windows's table: row = the opener holding the file, column = the second opener; "+" where the
// second open succeeds, "-" where it fails with a sharing violation. Columns are grouped by the
// second opener's access (Read, Write, ReadWrite), each with DenyNone, DenyRead, DenyWrite, DenyAll.
const char* const kWindowsShareTable[] = {
    "+-+- +-+- +-+-",  // Read      DenyNone
    "---- +-+- ----",  // Read      DenyRead
    "+-+- ---- ----",  // Read      DenyWrite
    "---- ---- ----",  // Read      DenyAll
    "++-- ++-- ++--",  // Write     DenyNone
    "---- ++-- ----",  // Write     DenyRead
    "++-- ---- ----",  // Write     DenyWrite
    "---- ---- ----",  // Write     DenyAll
    "+--- +--- +---",  // ReadWrite DenyNone
    "---- +--- ----",  // ReadWrite DenyRead
    "+--- ---- ----",  // ReadWrite DenyWrite
    "---- ---- ----",  // ReadWrite DenyAll
};

int expectedResult(std::size_t row, std::size_t column) {
  char cell = kWindowsShareTable[row][column + column / 4];  // skip the blanks between groups
  return cell == '+' ? platform::kFileOk : platform::kFileSharingViolation;
}

// Calls `secondOpen` for every pair of openers while the first holds the file, and compares.
template <typename SecondOpen>
void checkTable(const base::TextValue& path, SecondOpen secondOpen) {
  std::vector<Opener> openers = allOpeners();
  for (std::size_t row = 0; row < openers.size(); ++row) {
    File holder;
    ASSERT_EQ(holder.open(path, openers[row].access, openers[row].share, OpenMode::OpenExisting), 0);
    for (std::size_t column = 0; column < openers.size(); ++column) {
      EXPECT_EQ(secondOpen(openers[column]), expectedResult(row, column))
          << describe(openers[row], openers[column]);
    }
  }
}

class ShareModeTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(platform::writeWholeFile(path_, "content"), 0); }

  testing_support::ScratchDir scratch_;
  base::TextValue path_ = scratch_.file("程序数据.dat");
};

TEST_F(ShareModeTest, TwoOpenersInOneProcessFollowTheWindowsTable) {
  checkTable(path_, [&](const Opener& second) {
    File file;
    return file.open(path_, second.access, second.share, OpenMode::OpenExisting);
  });
}

TEST_F(ShareModeTest, TwoProcessesFollowTheWindowsTable) {
  checkTable(path_, [&](const Opener& second) {
    return platform_tests::openInChild(path_, second.access, second.share);
  });
}

TEST_F(ShareModeTest, ClosingTheHolderLetsOthersIn) {
  File holder;
  ASSERT_EQ(holder.open(path_, FileAccess::Read, ShareMode::DenyAll, OpenMode::OpenExisting), 0);
  EXPECT_EQ(platform_tests::openInChild(path_, FileAccess::Read, ShareMode::DenyNone),
            platform::kFileSharingViolation);
  holder.close();
  EXPECT_EQ(platform_tests::openInChild(path_, FileAccess::Read, ShareMode::DenyNone), 0);
  File second;
  EXPECT_EQ(second.open(path_, FileAccess::ReadWrite, ShareMode::DenyAll, OpenMode::OpenExisting), 0);
}

TEST_F(ShareModeTest, RefusedOpensLeaveTheFileAlone) {
  File holder;
  ASSERT_EQ(holder.open(path_, FileAccess::Read, ShareMode::DenyWrite, OpenMode::OpenExisting), 0);
  File second;
  EXPECT_EQ(second.open(path_, FileAccess::ReadWrite, ShareMode::DenyNone, OpenMode::CreateAlways),
            platform::kFileSharingViolation);
  EXPECT_FALSE(second.isOpen());
  std::uint64_t length = 0;
  ASSERT_EQ(holder.length(length), 0);
  EXPECT_EQ(length, 7u);
}

}  // namespace
