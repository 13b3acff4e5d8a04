// Share modes between two openers of one file, in one process and in two, as Windows has them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file.h"
#include "tests/platform/file_child_roles.h"
#include "tests/platform/share_table.h"
#include "tests/support/scratch_dir.h"

namespace {

using platform::File;
using platform::FileAccess;
using platform::OpenMode;
using platform::ShareMode;
using platform_tests::checkTable;
using platform_tests::Opener;

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
