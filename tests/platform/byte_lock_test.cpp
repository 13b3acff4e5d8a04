// Exclusive byte-range locks between openers of one file, in one process and in two.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>

#include "platform/file.h"
#include "platform/file_error.h"
#include "tests/platform/file_child_roles.h"
#include "tests/support/scratch_dir.h"

namespace {

using platform::File;
using platform::FileAccess;
using platform::kFileLockViolation;
using platform::OpenMode;
using platform::ShareMode;

constexpr std::uint64_t kTwoGiB = std::uint64_t{1} << 31;

class ByteLockTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(platform::writeWholeFile(path_, "0123456789"), 0);
    ASSERT_EQ(openShared(first_), 0);
    ASSERT_EQ(openShared(second_), 0);
  }

  int openShared(File& file) {
    return file.open(path_, FileAccess::ReadWrite, ShareMode::DenyNone, OpenMode::OpenExisting);
  }

  testing_support::ScratchDir scratch_;
  base::TextValue path_ = scratch_.file("程序数据.lck");
  File first_;
  File second_;
};

TEST_F(ByteLockTest, OverlappingRangesExcludeEachOtherAndNeighboursDoNot) {
  ASSERT_EQ(first_.lock(100, 10), 0);  // beyond the end of the file
  EXPECT_EQ(second_.lock(109, 5), kFileLockViolation);
  EXPECT_EQ(second_.lock(95, 6), kFileLockViolation);
  EXPECT_EQ(second_.lock(0, 1000), kFileLockViolation);
  EXPECT_EQ(second_.lock(110, 5), 0);
  EXPECT_EQ(second_.lock(90, 10), 0);
}

TEST_F(ByteLockTest, OneOpenerCannotLockARangeTwice) {
  ASSERT_EQ(first_.lock(10, 10), 0);
  EXPECT_EQ(first_.lock(15, 1), kFileLockViolation);
  EXPECT_EQ(first_.lock(20, 1), 0);
}

TEST_F(ByteLockTest, UnlockTakesExactlyALockedRange) {
  ASSERT_EQ(first_.lock(10, 10), 0);
  EXPECT_EQ(first_.unlock(10, 5), kFileLockViolation);
  EXPECT_EQ(first_.unlock(30, 1), kFileLockViolation);
  EXPECT_EQ(second_.unlock(10, 10), kFileLockViolation);
  EXPECT_EQ(second_.lock(12, 1), kFileLockViolation);  // a failed unlock frees nothing
  ASSERT_EQ(first_.unlock(10, 10), 0);
  EXPECT_EQ(second_.lock(12, 1), 0);
}

TEST_F(ByteLockTest, ClosingOrMovingTheFileGivesItsLocksBackOrKeepsThem) {
  ASSERT_EQ(first_.lock(0, 4), 0);
  File moved = std::move(first_);
  EXPECT_EQ(second_.lock(0, 1), kFileLockViolation);
  EXPECT_EQ(moved.unlock(0, 4), 0);
  ASSERT_EQ(moved.lock(0, 4), 0);
  moved.close();
  EXPECT_EQ(second_.lock(0, 4), 0);
}

TEST_F(ByteLockTest, RangesBeyondTwoGibibytesLockAndStayApartFromShareModes) {
  ASSERT_EQ(first_.lock(kTwoGiB + 16, 8), 0);
  ASSERT_EQ(first_.lock(0x7FFFFFF0, 0x20), 0);  // across the 2 GiB border
  EXPECT_EQ(second_.lock(kTwoGiB + 20, 1), kFileLockViolation);
  EXPECT_EQ(second_.lock(kTwoGiB + 3, 1), kFileLockViolation);
  EXPECT_EQ(second_.lock(kTwoGiB * 3, 1), 0);
  // Share modes still work beside a lock over a terabyte.
  File third;
  ASSERT_EQ(openShared(third), 0);
  ASSERT_EQ(third.lock(kTwoGiB * 4, kTwoGiB << 9), 0);
  File reader;
  EXPECT_EQ(reader.open(path_, FileAccess::Read, ShareMode::DenyNone, OpenMode::OpenExisting), 0);
  File writerDenier;
  EXPECT_EQ(writerDenier.open(path_, FileAccess::Read, ShareMode::DenyWrite, OpenMode::OpenExisting),
            platform::kFileSharingViolation);
}

TEST_F(ByteLockTest, AnotherProcessIsRefusedUntilTheRangeIsUnlocked) {
  ASSERT_EQ(first_.lock(100, 10), 0);
  ASSERT_EQ(first_.lock(kTwoGiB * 3, 4), 0);
  EXPECT_EQ(platform_tests::lockInChild(path_, 105, 1), kFileLockViolation);
  EXPECT_EQ(platform_tests::lockInChild(path_, kTwoGiB * 3 + 2, 10), kFileLockViolation);
  EXPECT_EQ(platform_tests::lockInChild(path_, 110, 10), 0);
  ASSERT_EQ(first_.unlock(100, 10), 0);
  ASSERT_EQ(first_.unlock(kTwoGiB * 3, 4), 0);
  EXPECT_EQ(platform_tests::lockInChild(path_, 105, 1), 0);
  EXPECT_EQ(platform_tests::lockInChild(path_, kTwoGiB * 3 + 2, 10), 0);
}

TEST_F(ByteLockTest, AClosedFileCannotLock) {
  File closed;
  EXPECT_EQ(closed.lock(0, 1), platform::kFileInvalidHandle);
  EXPECT_EQ(closed.unlock(0, 1), platform::kFileInvalidHandle);
}

// The platform's answers that mean "this file cannot be locked" are one outcome of their own, which
// the record database counts as a lock taken; the others keep their file error.
TEST(LockErrorTest, UnsupportedLocksHaveTheirOwnOutcome) {
#ifdef _WIN32
  constexpr int kErrorInvalidFunction = 1;
  constexpr int kErrorNotSupported = 50;
  constexpr int kErrorLockViolation = 33;
  constexpr int kErrorAccessDenied = 5;
  EXPECT_EQ(platform::lockErrorFromNative(kErrorNotSupported), platform::kFileNotSupported);
  EXPECT_EQ(platform::lockErrorFromNative(kErrorInvalidFunction), platform::kFileNotSupported);
  EXPECT_EQ(platform::lockErrorFromNative(kErrorLockViolation), platform::kFileLockViolation);
  EXPECT_EQ(platform::lockErrorFromNative(kErrorAccessDenied), platform::kFileAccessDenied);
  EXPECT_EQ(platform::fileErrorFromNative(kErrorNotSupported), platform::kFileUnspecified);
#else
  for (int unsupported : {ENOTSUP, EOPNOTSUPP, ENOLCK, EINVAL, ENOSYS}) {
    EXPECT_EQ(platform::lockErrorFromNative(unsupported), platform::kFileNotSupported) << unsupported;
  }
  EXPECT_EQ(platform::lockErrorFromNative(EIO), platform::kFileHardwareIo);
  EXPECT_EQ(platform::lockErrorFromNative(EACCES), platform::kFileAccessDenied);
  EXPECT_EQ(platform::fileErrorFromNative(EINVAL), platform::kFileUnspecified);
#endif
}

}  // namespace
