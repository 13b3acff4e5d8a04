// Memo and bytes values in the auxiliary file: block chains, reuse, the free list, shrinking.

#include <gtest/gtest.h>

#include "recorddb/format.h"
#include "recorddb/record_database.h"
#include "tests/recorddb/aux_chains.h"
#include "tests/recorddb/recorddb_fixture.h"

namespace recorddb {
namespace {

class AuxTest : public RecordDbTest {
 protected:
  void SetUp() override {
    RecordDbTest::SetUp();
    ASSERT_TRUE(createDatabase(path("m"), {{"备注", kTypeMemo, 0}, {"数据", kTypeBytes, 0}}));
    ASSERT_TRUE(openDatabase(path("m"), "", false, kShareDenyWrite));
    ASSERT_TRUE(appendRecord());
  }

  std::string aux() const { return fileBytes("m.EDT"); }
  std::int32_t headerWord(std::size_t offset) const { return format::readInt32(aux().data() + offset); }
  format::BlockHead block(std::int32_t n) const {
    return format::BlockHead::decode(aux().data() + static_cast<std::size_t>(n) * 512);
  }
  // The record's slot of field `field` (its first block number).
  std::int32_t slotOf(int field) const {
    const std::string database = fileBytes("m.EDB");
    const std::size_t dataStart = 116 + 2 * 72;
    return format::readInt32(database.data() + dataStart + 4 + static_cast<std::size_t>(field - 1) * 4);
  }

  static std::string text(std::size_t size) {
    std::string value(size, 'x');
    for (std::size_t i = 0; i < size; ++i) value[i] = static_cast<char>('a' + i % 26);
    return value;
  }
};

TEST_F(AuxTest, ValuesTakeBlocksOfFiveHundredBytes) {
  for (std::size_t size : {1u, 499u, 500u, 501u, 1000u, 1001u}) {
    ASSERT_TRUE(writeField(1, FieldValue::text(text(size)))) << size;
    EXPECT_EQ(readField(1), FieldValue::text(text(size))) << size;
    const auto blocks = static_cast<std::int32_t>((size + 499) / 500);
    EXPECT_EQ(headerWord(16), 1 + blocks) << size;
    EXPECT_EQ(aux().size(), static_cast<std::size_t>(1 + blocks) * 512) << size;
  }
}

TEST_F(AuxTest, AChainIsLinkedBothWaysAndShrinksWhenRewritten) {
  ASSERT_TRUE(writeField(1, FieldValue::text(text(1200))));
  const std::int32_t first = slotOf(1);
  ASSERT_EQ(first, 1);
  EXPECT_EQ(block(1).used, 500);
  EXPECT_EQ(block(1).next, 2);
  EXPECT_EQ(block(2).previous, 1);
  EXPECT_EQ(block(2).used, 500);
  EXPECT_EQ(block(3).previous, 2);
  EXPECT_EQ(block(3).used, 200);
  EXPECT_EQ(block(3).next, 0);

  ASSERT_TRUE(writeField(1, FieldValue::text("ten bytes!")));
  EXPECT_EQ(slotOf(1), 1);  // the first block is reused
  EXPECT_EQ(block(1).used, 10);
  EXPECT_EQ(block(1).next, 0);
  EXPECT_EQ(headerWord(16), 2);  // the freed blocks were the last ones: the file shrank
  EXPECT_EQ(headerWord(20), 0);
  EXPECT_EQ(aux().size(), 2u * 512);
  EXPECT_EQ(readField(1), FieldValue::text("ten bytes!"));

  ASSERT_TRUE(writeField(1, FieldValue::text("")));
  EXPECT_EQ(slotOf(1), 0);
  EXPECT_EQ(aux().size(), 512u);
}

TEST_F(AuxTest, FreedBlocksInTheMiddleAreReusedFromTheFreeList) {
  ASSERT_TRUE(writeField(1, FieldValue::text(text(1000))));  // blocks 1, 2
  ASSERT_TRUE(writeField(2, FieldValue::bytes(std::string(600, '\x7F'))));  // blocks 3, 4
  ASSERT_TRUE(writeField(1, FieldValue::text("")));  // frees 1, 2
  EXPECT_EQ(headerWord(20), 2);
  EXPECT_EQ(headerWord(24), 1);
  EXPECT_EQ(block(1).used, 0);
  EXPECT_EQ(block(1).next, 2);
  EXPECT_EQ(aux().size(), 5u * 512);

  ASSERT_TRUE(writeField(1, FieldValue::text(text(700))));  // takes both free blocks
  EXPECT_EQ(headerWord(20), 0);
  EXPECT_EQ(headerWord(16), 5);
  EXPECT_EQ(readField(1), FieldValue::text(text(700)));
  EXPECT_EQ(readField(2), FieldValue::bytes(std::string(600, '\x7F')));
}

TEST_F(AuxTest, PackingFreesTheValuesOfDeletedRecords) {
  ASSERT_TRUE(writeField(1, FieldValue::text(text(800))));
  ASSERT_TRUE(appendRecord());
  ASSERT_TRUE(writeField(1, FieldValue::text(text(300))));
  ASSERT_TRUE(gotoRecord(1));
  ASSERT_TRUE(deleteRecord());
  ASSERT_TRUE(packDatabase());
  EXPECT_EQ(recordCount(), 1);
  EXPECT_EQ(readField(1), FieldValue::text(text(300)));
  EXPECT_EQ(headerWord(20), 2);
  // A memo read stops at a NUL inside the value; bytes keep everything.
  ASSERT_TRUE(writeField(1, FieldValue::text(std::string("ab\0cd", 5))));
  EXPECT_EQ(readField(1), FieldValue::text("ab"));
  ASSERT_TRUE(writeField(2, FieldValue::bytes(std::string("ab\0cd", 5))));
  EXPECT_EQ(readField(2), FieldValue::bytes(std::string("ab\0cd", 5)));
}

TEST_F(AuxTest, DamagedChainsFailInsteadOfRunningWild) {
  ASSERT_TRUE(writeField(1, FieldValue::text(text(1200))));
  closeDatabase();
  const std::string good = aux();
  struct Damage {
    std::size_t offset;
    std::int32_t value;
  };
  for (const Damage& d : {Damage{512 * 3 + 4, 1},        // the last block points back to the first
                          Damage{512 * 2 + 4, 2},        // a block points to itself
                          Damage{512 * 1 + 4, 99},       // a block outside the file
                          Damage{512 * 2 + 8, 501}}) {   // more used bytes than a block holds
    std::string damaged = good;
    format::writeInt32(damaged.data() + d.offset, d.value);
    putFileBytes("m.EDT", damaged);
    for (int mode : {kShareDenyNone, kShareDenyWrite}) {
      ASSERT_TRUE(openDatabase(path("m"), "", false, mode));
      EXPECT_EQ(readField(1), FieldValue::text("")) << d.offset;
      EXPECT_EQ(lastError(), kDbAuxAccessFailed) << d.offset;
      EXPECT_FALSE(writeField(1, FieldValue::text(text(2000)))) << d.offset;
      EXPECT_EQ(lastError(), kDbAuxAccessFailed) << d.offset;
      closeDatabase();
    }
  }
}

// A header that counts fewer blocks than the file holds (a cut that never happened, or damage):
// a chain reaching past the count is rewritten without its new value or the header being cut off,
// and blocks are never given out twice.
TEST_F(AuxTest, BlocksPastTheHeadersCountAreTakenIntoIt) {
  ASSERT_TRUE(writeField(1, FieldValue::text(text(1200))));  // blocks 1, 2, 3
  closeDatabase();
  std::string damaged = aux();
  format::writeInt32(damaged.data() + 16, 2);
  putFileBytes("m.EDT", damaged);

  ASSERT_TRUE(openDatabase(path("m"), "", false, kShareDenyWrite));
  ASSERT_TRUE(gotoRecord(1));
  ASSERT_TRUE(writeField(1, FieldValue::text("short"))) << lastErrorText();
  EXPECT_EQ(readField(1), FieldValue::text("short"));
  ASSERT_TRUE(appendRecord());
  ASSERT_TRUE(writeField(2, FieldValue::bytes(std::string(1100, '\x01')))) << lastErrorText();
  const std::optional<DatabaseLayout> layout = currentDatabaseLayout();
  ASSERT_TRUE(layout.has_value());
  closeDatabase();
  EXPECT_EQ(auxProblem(fileBytes("m.EDB"), aux(), *layout), "");

  ASSERT_TRUE(openDatabase(path("m"), "", false, kShareDenyWrite));
  EXPECT_EQ(readField(1), FieldValue::text("short"));
  ASSERT_TRUE(gotoRecord(2));
  EXPECT_EQ(readField(2), FieldValue::bytes(std::string(1100, '\x01')));
}

}  // namespace
}  // namespace recorddb
