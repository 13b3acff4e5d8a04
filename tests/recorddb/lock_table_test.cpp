// The lock table with bytes the platform cannot lock.

#include "recorddb/lock_table.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/file_operations.h"
#include "recorddb/error_codes.h"
#include "recorddb/record_database.h"
#include "tests/recorddb/recorddb_fixture.h"
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

// A file system that takes no byte locks at all: every lock the engine takes (record and header
// locks, the whole-database lock of a pack, the auxiliary file's lock) counts as taken, nothing is
// unlocked, and every operation works.
class NoLocksTest : public RecordDbTest, public testing::WithParamInterface<int> {};

TEST_P(NoLocksTest, EveryOperationWorksOnAFileSystemWithoutByteLocks) {
  platform::FileOperations noLocks = platform::nativeFileOperations();
  int unlocks = 0;
  noLocks.lockRange = [](platform::FileHandle, std::uint64_t, std::uint64_t) { return platform::kFileNotSupported; };
  noLocks.unlockRange = [&unlocks](platform::FileHandle, std::uint64_t, std::uint64_t) {
    ++unlocks;
    return platform::kFileLockViolation;
  };
  const platform::ScopedFileOperations scope(noLocks);
  ASSERT_TRUE(createDatabase(path("t"), {{"名称", kTypeText, 10}, {"备注", kTypeMemo, 0}})) << lastErrorText();
  ASSERT_TRUE(openDatabase(path("t"), "表", false, GetParam())) << lastErrorText();
  for (int i = 1; i <= 3; ++i) {
    ASSERT_TRUE(appendRecord()) << lastErrorText();
    ASSERT_TRUE(writeField(1, FieldValue::text("名" + std::to_string(i)))) << lastErrorText();
    ASSERT_TRUE(writeField(2, FieldValue::text(std::string(300, static_cast<char>('a' + i))))) << lastErrorText();
  }
  ASSERT_TRUE(gotoRecordId(2));
  ASSERT_TRUE(deleteRecord()) << lastErrorText();
  ASSERT_TRUE(packDatabase()) << lastErrorText();
  EXPECT_EQ(recordCount(), 2);
  ASSERT_TRUE(gotoRecordId(3));
  EXPECT_EQ(readField(1), FieldValue::text("名3"));
  EXPECT_EQ(readField(2), FieldValue::text(std::string(300, 'd')));
  EXPECT_EQ(lastError(), kDbOk);
  EXPECT_EQ(unlocks, 0);
}

INSTANTIATE_TEST_SUITE_P(ShareModes, NoLocksTest,
                         testing::Values(kShareDenyNone, kShareDenyRead, kShareDenyWrite, kShareExclusive));

}  // namespace
}  // namespace recorddb
