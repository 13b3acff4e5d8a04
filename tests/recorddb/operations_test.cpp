// The engine's operations, run with every share mode: 1 reads through the file with locks, 3 and
// 4 keep what they read in memory.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "recorddb/record_database.h"
#include "tests/recorddb/recorddb_fixture.h"

namespace recorddb {
namespace {

class OperationsTest : public RecordDbTest, public testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    RecordDbTest::SetUp();
    ASSERT_TRUE(createDatabase(path("t"), {{"名称", kTypeText, 10},
                                          {"数量", kTypeInteger, 0},
                                          {"单价", kTypeSingle, 0},
                                          {"完成", kTypeLogical, 0},
                                          {"时间", kTypeDateTime, 0},
                                          {"备注", kTypeMemo, 0},
                                          {"大数", kTypeLong, 0},
                                          {"小数", kTypeShort, 0},
                                          {"字节", kTypeByte, 0},
                                          {"倍精度", kTypeDouble, 0},
                                          {"子程序", kTypeSubroutine, 0},
                                          {"字节集", kTypeBytes, 0}}));
    ASSERT_TRUE(openDatabase(path("t"), "表", false, GetParam())) << lastErrorText();
  }
};

TEST_P(OperationsTest, ANewDatabaseHasNoRecords) {
  EXPECT_EQ(fieldCount(), 12);
  EXPECT_EQ(recordCount(), 0);
  EXPECT_EQ(currentRecordNumber(), 1);
  EXPECT_EQ(currentRecordId(), 0);
  EXPECT_EQ(lastError(), kDbSeekFailed);
  EXPECT_EQ(lastErrorText(), "文件指针定位失败");
  EXPECT_EQ(readField(1), FieldValue::text(""));
  EXPECT_EQ(lastError(), kDbSeekFailed);
  EXPECT_FALSE(writeField(1, FieldValue::text("x")));
  EXPECT_EQ(lastError(), kDbNoCurrentRecord);
  EXPECT_FALSE(deleteRecord());
  EXPECT_EQ(lastError(), kDbNoCurrentRecord);
}

TEST_P(OperationsTest, AppendedRecordsGetIdsInOrder) {
  for (int expected = 1; expected <= 3; ++expected) {
    ASSERT_TRUE(appendRecord());
    EXPECT_EQ(recordCount(), expected);
    EXPECT_EQ(currentRecordNumber(), expected);
    EXPECT_EQ(currentRecordId(), expected);
  }
  // A fresh record holds empty values.
  EXPECT_EQ(readField("名称"), FieldValue::text(""));
  EXPECT_EQ(readField(2), FieldValue::integer(0));
  EXPECT_EQ(readField(4), FieldValue::logical(false));
  EXPECT_EQ(readField(6), FieldValue::text(""));
  EXPECT_TRUE(gotoRecord(0));
  EXPECT_EQ(currentRecordNumber(), 1);
  EXPECT_TRUE(gotoRecord(1));
  EXPECT_EQ(currentRecordNumber(), 1);
  EXPECT_TRUE(gotoRecord(99));
  EXPECT_EQ(currentRecordNumber(), 3);
  EXPECT_TRUE(gotoRecord(-5));
  EXPECT_EQ(currentRecordNumber(), 1);
}

TEST_P(OperationsTest, EveryTypeRoundTrips) {
  ASSERT_TRUE(appendRecord());
  const FieldValue values[] = {
      FieldValue::text("中文abc"), FieldValue::integer(-123456), FieldValue::single(1.5f),
      FieldValue::logical(true), FieldValue::dateTime(43079.5), FieldValue::text(std::string(600, 'm')),
      FieldValue::longInteger(-9000000000LL), FieldValue::shortInteger(-300), FieldValue::byte(200),
      FieldValue::doubleFloat(3.25), FieldValue::subroutine(0xDEADBEEF), FieldValue::bytes(std::string("\0\1\2", 3)),
  };
  for (int i = 0; i < 12; ++i) ASSERT_TRUE(writeField(i + 1, values[i])) << i << " " << lastErrorText();
  for (int i = 0; i < 12; ++i) EXPECT_EQ(readField(i + 1), values[i]) << i;
  // A text field read without a copy gives what readField gives; other types give nothing.
  EXPECT_EQ(readTextView(1), std::optional<std::string_view>("中文abc"));
  EXPECT_EQ(readTextView("名称"), std::optional<std::string_view>("中文abc"));
  EXPECT_EQ(readTextView(2), std::nullopt);
  EXPECT_EQ(lastError(), kDbValueKindMismatch);
  {
    RecordWriteScope change;
    ASSERT_TRUE(writeField(1, FieldValue::text("改")));
    EXPECT_EQ(readTextView(1), std::optional<std::string_view>("改"));  // the change being written
  }
  EXPECT_EQ(readTextView(1), std::optional<std::string_view>("改"));
  // Names are found ignoring ASCII case; positions outside give the caller error.
  EXPECT_EQ(fieldName(3), "单价");
  EXPECT_EQ(fieldName(13), "");
  EXPECT_THROW(readField(13), ProgramError);
  EXPECT_THROW(readField("没有"), ProgramError);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text, "运行时出错!\r\n\r\n错误信息：指定字段不存在");
  EXPECT_FALSE(writeField(0, FieldValue::integer(1)));
  EXPECT_EQ(lastError(), kDbNoSuchField);
}

TEST_P(OperationsTest, NumbersConvertAndOtherKindsAreRefused) {
  ASSERT_TRUE(appendRecord());
  ASSERT_TRUE(writeField(3, FieldValue::integer(7)));
  EXPECT_EQ(readField(3), FieldValue::single(7.0f));
  ASSERT_TRUE(writeField(2, FieldValue::doubleFloat(-2.9)));
  EXPECT_EQ(readField(2), FieldValue::integer(-2));
  ASSERT_TRUE(writeField(9, FieldValue::integer(300)));  // low-order bits
  EXPECT_EQ(readField(9), FieldValue::byte(44));
  ASSERT_TRUE(writeField(7, FieldValue::byte(255)));  // bytes widen unsigned
  EXPECT_EQ(readField(7), FieldValue::longInteger(255));
  ASSERT_TRUE(writeField(7, FieldValue::shortInteger(-1)));
  EXPECT_EQ(readField(7), FieldValue::longInteger(-1));
  ASSERT_TRUE(writeField(2, FieldValue::doubleFloat(1e300)));  // saturates instead of misbehaving
  ASSERT_TRUE(writeField(2, FieldValue::integer(5)));

  EXPECT_FALSE(writeField(2, FieldValue::text("12")));
  EXPECT_EQ(lastError(), kDbValueKindMismatch);
  EXPECT_EQ(lastErrorText(), "所提供数据的类型与字段类型不匹配");
  EXPECT_EQ(readField(2), FieldValue::integer(5));
  EXPECT_FALSE(writeField(5, FieldValue::doubleFloat(1.0)));  // date-time is not numeric
  EXPECT_FALSE(writeField(4, FieldValue::integer(1)));
  EXPECT_TRUE(writeField(6, FieldValue::text("memo")));
  // An omitted value writes the empty value.
  EXPECT_TRUE(writeField(6));
  EXPECT_EQ(readField(6), FieldValue::text(""));
  EXPECT_TRUE(writeField(2));
  EXPECT_EQ(readField(2), FieldValue::integer(0));
}

TEST_P(OperationsTest, TextIsCutToTheFieldAtACharacterBoundary) {
  ASSERT_TRUE(appendRecord());
  ASSERT_TRUE(writeField(1, FieldValue::text("0123456789AB")));
  EXPECT_EQ(readField(1), FieldValue::text("0123456789"));
  ASSERT_TRUE(writeField(1, FieldValue::text("123456789中")));  // the last character would be halved
  EXPECT_EQ(readField(1), FieldValue::text("123456789"));
  ASSERT_TRUE(writeField(1, FieldValue::text("短")));
  EXPECT_EQ(readField(1), FieldValue::text("短"));
}

TEST_P(OperationsTest, DateTimesAreClampedWhenRead) {
  ASSERT_TRUE(appendRecord());
  ASSERT_TRUE(writeField(5, FieldValue::dateTime(1e9)));
  EXPECT_EQ(readField(5), FieldValue::dateTime(2958465.0));
  ASSERT_TRUE(writeField(5, FieldValue::dateTime(std::nan(""))));
  EXPECT_EQ(readField(5), FieldValue::dateTime(-657434.0));
}

TEST_P(OperationsTest, DeleteMarksAndPackRemoves) {
  for (int i = 1; i <= 3; ++i) {
    ASSERT_TRUE(appendRecord());
    ASSERT_TRUE(writeField(1, FieldValue::text("r" + std::to_string(i))));
    ASSERT_TRUE(writeField(6, FieldValue::text(std::string(700, static_cast<char>('a' + i)))));
  }
  ASSERT_TRUE(gotoRecord(2));
  ASSERT_TRUE(deleteRecord());
  EXPECT_TRUE(currentRecordDeleted());
  ASSERT_TRUE(deleteRecord());  // twice stays deleted
  EXPECT_EQ(currentRecordId(), 2);
  EXPECT_EQ(recordCount(), 3);
  EXPECT_TRUE(gotoRecordId(2));
  EXPECT_EQ(currentRecordNumber(), 2);
  EXPECT_EQ(readField(1), FieldValue::text("r2"));  // still readable

  ASSERT_TRUE(gotoRecord(3));
  ASSERT_TRUE(packDatabase()) << lastErrorText();
  EXPECT_EQ(currentRecordNumber(), 1);
  EXPECT_EQ(recordCount(), 2);
  EXPECT_FALSE(gotoRecordId(2));
  EXPECT_EQ(lastError(), kDbOk);
  ASSERT_TRUE(gotoRecordId(3));
  EXPECT_EQ(currentRecordNumber(), 2);
  EXPECT_EQ(readField(1), FieldValue::text("r3"));
  EXPECT_EQ(readField(6), FieldValue::text(std::string(700, 'd')));
  ASSERT_TRUE(appendRecord());
  EXPECT_EQ(currentRecordId(), 4);
  // Packing with nothing deleted changes nothing.
  ASSERT_TRUE(packDatabase());
  EXPECT_EQ(recordCount(), 3);
}

TEST_P(OperationsTest, FindByIdUsesTheOrderOfIds) {
  for (int i = 0; i < 50; ++i) ASSERT_TRUE(appendRecord());
  for (int id : {5, 10, 11, 30}) {
    ASSERT_TRUE(gotoRecordId(id));
    ASSERT_TRUE(deleteRecord());
  }
  ASSERT_TRUE(packDatabase());
  for (int id = 1; id <= 50; ++id) {
    const bool removed = id == 5 || id == 10 || id == 11 || id == 30;
    EXPECT_EQ(gotoRecordId(id), !removed) << id;
    if (!removed) {
      EXPECT_EQ(currentRecordId(), id);
    }
  }
  EXPECT_FALSE(gotoRecordId(0));
  EXPECT_FALSE(gotoRecordId(-1));
  EXPECT_FALSE(gotoRecordId(51));
}

TEST_P(OperationsTest, ReopeningSeesWhatWasWritten) {
  ASSERT_TRUE(appendRecord());
  ASSERT_TRUE(writeField(1, FieldValue::text("保存")));
  ASSERT_TRUE(writeField(6, FieldValue::text("备注内容")));
  closeDatabase();
  ASSERT_TRUE(openDatabase(path("t"), "", true, kShareDenyNone));
  EXPECT_EQ(recordCount(), 1);
  EXPECT_EQ(readField(1), FieldValue::text("保存"));
  EXPECT_EQ(readField(6), FieldValue::text("备注内容"));
}

TEST_P(OperationsTest, ManyRecordsStayExactThroughWritesAppendsAndPacks) {
  std::vector<std::string> expected;  // the 名称 of every record, in slot order
  auto append = [&](int count) {
    for (int i = 0; i < count; ++i) {
      ASSERT_TRUE(appendRecord());
      expected.push_back("n" + std::to_string(expected.size()));
      ASSERT_TRUE(writeField(1, FieldValue::text(expected.back())));
    }
  };
  auto verify = [&](const char* stage) {
    ASSERT_EQ(recordCount(), static_cast<int>(expected.size())) << stage;
    for (std::size_t slot = 0; slot < expected.size(); ++slot) {
      ASSERT_TRUE(gotoRecord(static_cast<int>(slot) + 1));
      ASSERT_EQ(readField(1), FieldValue::text(expected[slot])) << stage << " " << slot;
    }
  };
  append(300);
  verify("appended");
  for (std::size_t slot = 0; slot < expected.size(); slot += 7) {
    ASSERT_TRUE(gotoRecord(static_cast<int>(slot) + 1));
    expected[slot] = "w" + std::to_string(slot);
    ASSERT_TRUE(writeField(1, FieldValue::text(expected[slot])));
  }
  verify("rewritten");
  append(20);
  verify("a few more");
  append(100);
  verify("many more");
  std::vector<std::string> kept;
  for (std::size_t slot = 0; slot < expected.size(); ++slot) {
    if (slot % 3 == 0) {
      ASSERT_TRUE(gotoRecord(static_cast<int>(slot) + 1));
      ASSERT_TRUE(deleteRecord());
    } else {
      kept.push_back(expected[slot]);
    }
  }
  ASSERT_TRUE(packDatabase());
  expected = kept;
  verify("packed");
  append(70);
  verify("after the pack");
}

// Random appends, writes, deletions, reads in and out of slot order, lookups by ID and packs, each
// read checked against what was written: records kept in memory must never show stale bytes.
TEST_P(OperationsTest, ARandomRunReadsWhatWasWritten) {
  struct Expected {
    int id;
    bool deleted;
    std::string name;
    std::int32_t quantity;
  };
  std::vector<Expected> records;
  std::mt19937 random(GetParam());
  const auto pick = [&](std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random); };
  int nextId = 1;
  const auto check = [&](std::size_t slot, const char* step) {
    const Expected& record = records[slot];
    ASSERT_EQ(currentRecordNumber(), static_cast<int>(slot) + 1) << step;
    ASSERT_EQ(currentRecordId(), record.id) << step << " slot " << slot;
    ASSERT_EQ(currentRecordDeleted(), record.deleted) << step << " slot " << slot;
    ASSERT_EQ(readField(1), FieldValue::text(record.name)) << step << " slot " << slot;
    ASSERT_EQ(readField(2), FieldValue::integer(record.quantity)) << step << " slot " << slot;
  };
  for (int step = 0; step < 3000; ++step) {
    const std::size_t action = pick(100);
    if (records.empty() || action < 25) {
      ASSERT_TRUE(appendRecord());
      records.push_back({nextId++, false, "r" + std::to_string(step), step});
      ASSERT_TRUE(writeField(1, FieldValue::text(records.back().name)));
      ASSERT_TRUE(writeField(2, FieldValue::integer(step)));
    } else if (action < 35) {
      const std::size_t slot = pick(records.size());
      ASSERT_TRUE(gotoRecord(static_cast<int>(slot) + 1));
      records[slot].name = "w" + std::to_string(step);
      ASSERT_TRUE(writeField(1, FieldValue::text(records[slot].name)));
      ASSERT_NO_FATAL_FAILURE(check(slot, "after a write"));
    } else if (action < 45) {
      // Both fields as one change, read back inside the scope and after it; now and then the
      // scope moves on to the next record, which writes the first.
      const std::size_t slot = pick(records.size());
      ASSERT_TRUE(gotoRecord(static_cast<int>(slot) + 1));
      RecordWriteScope scope;
      ASSERT_TRUE(scope.active());
      records[slot].name = "s" + std::to_string(step);
      records[slot].quantity = step * 3;
      ASSERT_TRUE(writeField(1, FieldValue::text(records[slot].name)));
      ASSERT_TRUE(writeField(2, FieldValue::integer(step * 3)));
      ASSERT_NO_FATAL_FAILURE(check(slot, "inside a scope"));
      if (slot + 1 < records.size() && step % 3 == 0) {
        ASSERT_TRUE(gotoRecord(static_cast<int>(slot) + 2));
        RecordWriteScope next;
        records[slot + 1].quantity = -step * 3;
        ASSERT_TRUE(writeField(2, FieldValue::integer(-step * 3)));
        ASSERT_TRUE(next.commit());
        ASSERT_NO_FATAL_FAILURE(check(slot + 1, "after the next record's scope"));
        ASSERT_TRUE(gotoRecord(static_cast<int>(slot) + 1));
      }
      ASSERT_TRUE(scope.commit());
      ASSERT_NO_FATAL_FAILURE(check(slot, "after a scope"));
    } else if (action < 55) {
      const std::size_t slot = pick(records.size());
      ASSERT_TRUE(gotoRecord(static_cast<int>(slot) + 1));
      ASSERT_TRUE(deleteRecord());
      records[slot].deleted = true;
    } else if (action < 75) {
      const std::size_t slot = pick(records.size());
      ASSERT_TRUE(gotoRecordId(records[slot].id)) << records[slot].id;
      ASSERT_NO_FATAL_FAILURE(check(slot, "found by ID"));
    } else if (action < 85) {
      const std::size_t slot = pick(records.size());
      ASSERT_TRUE(gotoRecord(static_cast<int>(slot) + 1));
      ASSERT_NO_FATAL_FAILURE(check(slot, "read"));
    } else if (action < 98) {
      // A run in slot order from a random slot, writing now and then on the way.
      for (std::size_t slot = pick(records.size()); slot < records.size(); ++slot) {
        ASSERT_TRUE(gotoRecord(static_cast<int>(slot) + 1));
        if (slot % 5 == 0) {
          records[slot].quantity = -step;
          ASSERT_TRUE(writeField(2, FieldValue::integer(-step)));
        }
        ASSERT_NO_FATAL_FAILURE(check(slot, "scan"));
      }
    } else {
      ASSERT_TRUE(packDatabase());
      std::erase_if(records, [](const Expected& record) { return record.deleted; });
    }
    ASSERT_EQ(recordCount(), static_cast<int>(records.size()));
  }
  EXPECT_FALSE(gotoRecordId(nextId));
}

INSTANTIATE_TEST_SUITE_P(ShareModes, OperationsTest,
                         testing::Values(kShareDenyNone, kShareDenyWrite, kShareExclusive));

}  // namespace
}  // namespace recorddb
