// The engine on files held in memory: the same work on the same database pair, once on the disk and
// once in memory, leaves the same bytes in both files and reads back the same records.

#include "platform/memory_files.h"

#include <gtest/gtest.h>

#include "platform/file_operations.h"
#include "platform/paths.h"
#include "recorddb/record_database.h"
#include "tests/recorddb/recorddb_fixture.h"
#include "tests/recorddb/stored_records.h"

namespace recorddb {
namespace {

class MemoryFilesDatabaseTest : public RecordDbTest, public testing::WithParamInterface<int> {
 protected:
  // Appends records with values of every kind of storage, changes and delete-marks some, packs.
  static void work(const base::TextValue& path, int shareMode) {
    ASSERT_TRUE(openDatabase(path, "", false, shareMode)) << lastErrorText();
    for (int i = 0; i < 6; ++i) {
      ASSERT_TRUE(appendRecord()) << lastErrorText();
      RecordWriteScope change;
      ASSERT_TRUE(writeField("名称", FieldValue::text("记录" + std::to_string(i))));
      ASSERT_TRUE(writeField("数量", FieldValue::integer(i * 7)));
      ASSERT_TRUE(writeField("备注", FieldValue::text(std::string(300 + 400 * i, static_cast<char>('a' + i)))));
      ASSERT_TRUE(writeField("字节集", FieldValue::bytes(std::string(i, '\x01'))));
      ASSERT_TRUE(change.commit()) << lastErrorText();
    }
    ASSERT_TRUE(gotoRecord(2));
    ASSERT_TRUE(deleteRecord());
    ASSERT_TRUE(gotoRecord(5));
    ASSERT_TRUE(writeField("备注", FieldValue::text("短")));  // frees blocks of a long chain
    ASSERT_TRUE(gotoRecord(4));
    ASSERT_TRUE(deleteRecord());
    ASSERT_TRUE(packDatabase()) << lastErrorText();
    ASSERT_TRUE(gotoRecordId(6));
    EXPECT_EQ(readField("数量"), FieldValue::integer(35));
    closeAllDatabases();
  }
};

TEST_P(MemoryFilesDatabaseTest, WorkInMemoryLeavesTheBytesItLeavesOnDisk) {
  const base::TextValue onDisk = path("t.EDB");
  ASSERT_TRUE(createDatabase(onDisk, {{"名称", kTypeText, 12},
                                     {"数量", kTypeInteger, 0},
                                     {"备注", kTypeMemo, 0},
                                     {"字节集", kTypeBytes, 0}}));
  const std::string database = fileBytes("t.EDB");
  const std::string auxiliary = fileBytes("t.EDT");
  work(onDisk, GetParam());
  const std::string records = describeDatabase(onDisk);
  ASSERT_EQ(records.find("failed"), std::string::npos) << records;
  const std::string databaseAfter = fileBytes("t.EDB");
  const std::string auxiliaryAfter = fileBytes("t.EDT");

  platform::MemoryFiles memory;
  platform::ScopedFileOperations scope(memory.operations());
  const base::TextValue inMemory = platform::fullPath("/mem/t.EDB");
  memory.put(inMemory, database);
  memory.put(platform::fullPath("/mem/t.EDT"), auxiliary);
  work(inMemory, GetParam());
  EXPECT_EQ(describeDatabase(inMemory), records);
  EXPECT_EQ(memory.bytes(inMemory), databaseAfter);
  EXPECT_EQ(memory.bytes(platform::fullPath("/mem/t.EDT")), auxiliaryAfter);
  EXPECT_EQ(memory.openHandles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(ShareModes, MemoryFilesDatabaseTest,
                         testing::Values(kShareDenyNone, kShareDenyWrite, kShareExclusive));

}  // namespace
}  // namespace recorddb
