// The lock table with bytes the platform cannot lock.

#include "recorddb/lock_table.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "recorddb/error_codes.h"
#include "tests/support/scratch_dir.h"

namespace recorddb {
namespace {

#ifndef _WIN32
// POSIX keeps the top of the offset range for its share-mode markers and cannot lock bytes there.
constexpr std::uint64_t kUnlockableOffset = 0x7FFFFFFFFFFFFF80;

TEST(LockTableTest, AByteThePlatformCannotLockCountsAsTakenAndIsReleasedWithoutUnlocking) {
  testing_support::ScratchDir scratch;
  const base::TextValue path = scratch.file("t.EDB");
  ASSERT_EQ(platform::writeWholeFile(path, "0123456789"), platform::kFileOk);
  platform::File file;
  ASSERT_EQ(file.open(path, platform::FileAccess::ReadWrite, platform::ShareMode::DenyNone,
                      platform::OpenMode::OpenExisting),
            platform::kFileOk);
  ASSERT_EQ(file.lock(kUnlockableOffset, 1), platform::kFileNotSupported);

  LockTable locks(false);
  EXPECT_EQ(locks.lockByte(file, kUnlockableOffset), kDbOk);
  EXPECT_EQ(locks.lockByte(file, kUnlockableOffset), kDbOk);
  EXPECT_EQ(locks.unlockByte(file, kUnlockableOffset), kDbOk);
  EXPECT_EQ(locks.unlockByte(file, kUnlockableOffset), kDbOk);
  EXPECT_EQ(locks.unlockByte(file, kUnlockableOffset), kDbUnlockFailed);  // no longer held
}
#endif

}  // namespace
}  // namespace recorddb
