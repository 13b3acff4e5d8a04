// Record IDs at the top of their range, and headers that name an ID below the ones in the file:
// appending gives every new record an ID above all others, never the largest int32 (the ID after
// it could not be stored), and refuses with its own error, the file unchanged, once none is left.

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/paths.h"
#include "recorddb/format.h"
#include "recorddb/record_database.h"
#include "tests/recorddb/recorddb_fixture.h"

namespace recorddb {
namespace {

constexpr std::int32_t kLargest = INT32_MAX;
constexpr std::size_t kDataStart = 116 + 72;  // one field
constexpr std::size_t kRecordLength = 4 + 10;

class RecordIdLimitTest : public RecordDbTest, public testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    RecordDbTest::SetUp();
    ASSERT_TRUE(createDatabase(path("ids"), {{"名称", kTypeText, 10}}));
  }
  void open() { ASSERT_TRUE(openDatabase(path("ids"), "", false, GetParam())) << lastErrorText(); }

  // The closed database with `count` records, the last one's stored ID `lastId`, the header's next
  // ID `nextId`.
  void lay(int count, std::int32_t lastId, std::int32_t nextId) {
    open();
    for (int i = 1; i <= count; ++i) {
      ASSERT_TRUE(appendRecord());
      ASSERT_TRUE(writeField(1, FieldValue::text("记录" + std::to_string(i))));
    }
    closeDatabase();
    std::string bytes = fileBytes("ids.EDB");
    format::writeInt32(bytes.data() + 20, nextId);
    if (count > 0) format::writeInt32(bytes.data() + kDataStart + (count - 1) * kRecordLength, lastId);
    putFileBytes("ids.EDB", bytes);
  }
  std::int32_t storedNextId() const { return format::readInt32(fileBytes("ids.EDB").data() + 20); }

  // Appending fails with its own error and changes nothing in the file.
  void expectNoMoreRecords() {
    const std::string before = fileBytes("ids.EDB");
    const int count = recordCount();
    EXPECT_EQ(recordIdsLeft(), 0);
    EXPECT_FALSE(appendRecord());
    EXPECT_EQ(lastError(), kDbRecordIdsExhausted);
    EXPECT_EQ(lastErrorText(), "记录编号已经用完，不能再追加记录");
    EXPECT_EQ(recordCount(), count);
    EXPECT_EQ(fileBytes("ids.EDB"), before);
  }
};

TEST_P(RecordIdLimitTest, TheLastIdsBelowTheLargestAreGivenAndThenAppendingIsRefused) {
  lay(1, 1, kLargest - 2);
  open();
  EXPECT_EQ(recordIdsLeft(), 2);
  ASSERT_TRUE(appendRecord());
  EXPECT_EQ(currentRecordId(), kLargest - 2);
  ASSERT_TRUE(appendRecord());
  EXPECT_EQ(currentRecordId(), kLargest - 1);
  ASSERT_TRUE(writeField(1, FieldValue::text("最后")));
  EXPECT_EQ(storedNextId(), kLargest);
  expectNoMoreRecords();
  // The records before are all there and found by their IDs, also after a reopen.
  closeDatabase();
  open();
  expectNoMoreRecords();
  EXPECT_EQ(recordCount(), 3);
  ASSERT_TRUE(gotoRecordId(kLargest - 1));
  EXPECT_EQ(readField(1).asText(), "最后");
  ASSERT_TRUE(gotoRecordId(1));
  EXPECT_EQ(readField(1).asText(), "记录1");
}

// A record that already has the largest ID (live, delete-marked, or the one negative number
// without a positive partner) leaves no ID for another, whatever the header says.
TEST_P(RecordIdLimitTest, ARecordWithTheLargestIdTakesNoRecordAfterIt) {
  for (std::int32_t lastId : {kLargest, -kLargest, INT32_MIN}) {
    SCOPED_TRACE(lastId);
    lay(2, lastId, 3);
    open();
    expectNoMoreRecords();
    closeAllDatabases();
    ASSERT_EQ(platform::deleteFile(path("ids.EDB")), platform::kFileOk);
    ASSERT_TRUE(createDatabase(path("ids"), {{"名称", kTypeText, 10}}));
  }
}

// A header whose next ID lies below the last record's (or at it) does not make an ID twice: the new
// record gets the one above the last, finding by ID finds it, and the header is right again.
TEST_P(RecordIdLimitTest, AHeaderBehindTheRecordsGivesTheIdAboveTheLast) {
  lay(3, 1000, 2);
  open();
  EXPECT_EQ(recordIdsLeft(), kLargest - 1001);
  ASSERT_TRUE(appendRecord());
  EXPECT_EQ(currentRecordId(), 1001);
  ASSERT_TRUE(writeField(1, FieldValue::text("新")));
  EXPECT_EQ(storedNextId(), 1002);
  ASSERT_TRUE(gotoRecordId(1001));
  EXPECT_EQ(readField(1).asText(), "新");
  ASSERT_TRUE(gotoRecordId(2));
  EXPECT_EQ(readField(1).asText(), "记录2");
  EXPECT_FALSE(gotoRecordId(3));
}

INSTANTIATE_TEST_SUITE_P(ShareModes, RecordIdLimitTest, testing::Values(kShareDenyWrite, kShareDenyNone),
                         [](const testing::TestParamInfo<int>& info) {
                           return info.param == kShareDenyWrite ? std::string("OthersRead") : std::string("OthersWrite");
                         });

}  // namespace
}  // namespace recorddb
