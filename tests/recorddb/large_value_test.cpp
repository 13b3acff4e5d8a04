// Values far larger than the program ever writes: a 10 MB memo and a bytes value of a megabyte go
// to the auxiliary file and come back whole, in every share mode, before and after a reopen;
// replacing and clearing them gives their blocks back; and chains laid out in any order are freed
// in one walk.

#include <gtest/gtest.h>

#include "recorddb/format.h"
#include "recorddb/record_database.h"
#include "tests/recorddb/aux_chains.h"
#include "tests/recorddb/recorddb_fixture.h"

namespace recorddb {
namespace {

constexpr std::size_t kTenMegabytes = 10 * 1024 * 1024;

// Every byte value but 0 (a memo ends at its first 0 byte), GBK or not, in a pattern that no block
// boundary repeats: a block put in the wrong place or a part left out changes the value.
std::string memoValue(std::size_t size, unsigned salt) {
  std::string value(size, '\0');
  std::uint32_t state = 2463534242u + salt;
  for (char& c : value) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    c = static_cast<char>(state % 255 + 1);
  }
  return value;
}

class LargeValueTest : public RecordDbTest, public testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    RecordDbTest::SetUp();
    ASSERT_TRUE(createDatabase(path("big"), {{"名称", kTypeText, 20}, {"备注", kTypeMemo, 0}, {"数据", kTypeBytes, 0}}));
    open();
  }
  void open() { ASSERT_TRUE(openDatabase(path("big"), "", false, GetParam())) << lastErrorText(); }

  std::int32_t auxBlockCount() const { return format::readInt32(fileBytes("big.EDT").data() + 16); }

  std::string chainProblem() {
    const std::optional<DatabaseLayout> layout = currentDatabaseLayout();
    EXPECT_TRUE(layout.has_value());
    closeDatabase();
    const std::string problem = layout ? auxProblem(fileBytes("big.EDB"), fileBytes("big.EDT"), *layout) : "no layout";
    open();
    return problem;
  }
};

TEST_P(LargeValueTest, TenMegabyteValuesComeBackWholeAndGiveTheirBlocksBack) {
  const std::string memo = memoValue(kTenMegabytes, 1);
  std::string bytes = memoValue(1024 * 1024 + 1, 2);
  bytes[4096] = '\0';  // a bytes value keeps its 0 bytes
  ASSERT_TRUE(appendRecord());
  ASSERT_TRUE(writeField(1, FieldValue::text("前")));
  ASSERT_TRUE(writeField(2, FieldValue::text(memo))) << lastErrorText();
  ASSERT_TRUE(writeField(3, FieldValue::bytes(bytes))) << lastErrorText();
  ASSERT_TRUE(appendRecord());
  ASSERT_TRUE(writeField(2, FieldValue::text("后")));

  const auto blocksOf = [](std::size_t size) { return static_cast<std::int32_t>((size + 499) / 500); };
  EXPECT_EQ(auxBlockCount(), 1 + blocksOf(memo.size()) + blocksOf(bytes.size()) + 1);
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass == 0 ? "as written" : "after a reopen");
    ASSERT_TRUE(gotoRecord(1));
    const FieldValue readMemo = readField(2);
    EXPECT_EQ(lastError(), kDbOk) << lastErrorText();
    EXPECT_EQ(readMemo.asText().size(), memo.size());
    EXPECT_TRUE(readMemo.asText() == memo);
    const FieldValue readBytes = readField(3);
    EXPECT_EQ(readBytes.asText().size(), bytes.size());
    EXPECT_TRUE(readBytes.asText() == bytes);
    EXPECT_EQ(readField(1).asText(), "前");
    ASSERT_TRUE(gotoRecord(2));
    EXPECT_EQ(readField(2).asText(), "后");
    if (pass == 0) EXPECT_EQ(chainProblem(), "");  // closes and opens again
  }

  // A short value over the memo keeps its first block and frees the others for the bytes value to
  // take again; clearing both values leaves only the second record's block in use, at the end.
  ASSERT_TRUE(gotoRecord(1));
  ASSERT_TRUE(writeField(2, FieldValue::text("短")));
  EXPECT_EQ(readField(2).asText(), "短");
  ASSERT_TRUE(writeField(3, FieldValue::bytes(bytes + bytes.substr(0, 600))));
  EXPECT_TRUE(readField(3).asText() == bytes + bytes.substr(0, 600));
  ASSERT_TRUE(writeField(2));
  ASSERT_TRUE(writeField(3));
  EXPECT_EQ(readField(2).asText(), "");
  EXPECT_EQ(readField(3).asText(), "");
  ASSERT_TRUE(gotoRecord(2));
  EXPECT_EQ(readField(2).asText(), "后");
  EXPECT_EQ(chainProblem(), "");
}

// Small values cleared one by one put their blocks on the free list in the reverse order, so a
// large value written next takes them from the highest block down. Freeing that chain when a block
// in use follows it frees it all and cuts nothing; freeing that last block too then shortens the
// file by it alone (the others are not at the head of the free list in file order).
TEST_P(LargeValueTest, AChainRunningDownTheFileIsFreedInOneWalk) {
  constexpr int kSmall = 1000;
  for (int i = 0; i < kSmall; ++i) {
    ASSERT_TRUE(appendRecord());
    ASSERT_TRUE(writeField(2, FieldValue::text("值" + std::to_string(i))));
  }
  ASSERT_TRUE(appendRecord());
  ASSERT_TRUE(writeField(2, FieldValue::text("末")));  // block kSmall + 1, the file's last
  for (int i = 1; i <= kSmall; ++i) {
    ASSERT_TRUE(gotoRecord(i));
    ASSERT_TRUE(writeField(2));
  }
  const std::string memo = memoValue(kSmall * 500, 3);
  ASSERT_TRUE(gotoRecord(1));
  ASSERT_TRUE(writeField(2, FieldValue::text(memo)));
  EXPECT_EQ(auxBlockCount(), kSmall + 2);
  EXPECT_TRUE(readField(2).asText() == memo);
  EXPECT_EQ(chainProblem(), "");

  ASSERT_TRUE(gotoRecord(1));
  ASSERT_TRUE(writeField(2));
  EXPECT_EQ(auxBlockCount(), kSmall + 2);
  EXPECT_EQ(chainProblem(), "");
  ASSERT_TRUE(gotoRecord(kSmall + 1));
  EXPECT_EQ(readField(2).asText(), "末");
  ASSERT_TRUE(writeField(2));
  EXPECT_EQ(auxBlockCount(), kSmall + 1);
  EXPECT_EQ(chainProblem(), "");
}

INSTANTIATE_TEST_SUITE_P(ShareModes, LargeValueTest, testing::Values(kShareDenyWrite, kShareDenyNone),
                         [](const testing::TestParamInfo<int>& info) {
                           return info.param == kShareDenyWrite ? std::string("OthersRead") : std::string("OthersWrite");
                         });

}  // namespace
}  // namespace recorddb
