// Creating database file pairs and what opening checks and repairs.

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "recorddb/format.h"
#include "recorddb/record_database.h"
#include "tests/recorddb/recorddb_fixture.h"

namespace recorddb {
namespace {

using CreateOpenTest = RecordDbTest;

TEST_F(CreateOpenTest, FilesHaveTheirExactLayout) {
  ASSERT_TRUE(createDatabase(path("m"), {{"名称", kTypeText, 30}, {"备注", kTypeMemo, 0}}));
  std::string database = fileBytes("m.EDB");
  ASSERT_EQ(database.size(), 116u + 2 * 72);
  EXPECT_EQ(database.substr(0, 4), "WEDB");
  EXPECT_EQ(format::readInt32(database.data() + 4), 0x00010000);
  EXPECT_EQ(format::readInt32(database.data() + 16), 0);
  EXPECT_EQ(format::readInt32(database.data() + 20), 1);
  EXPECT_EQ(format::readInt32(database.data() + 24), 4 + 30 + 4);
  EXPECT_EQ(format::readInt32(database.data() + 112), 2);
  EXPECT_EQ(database.substr(116, 5), std::string("名称\0", 5));
  EXPECT_EQ(format::readInt32(database.data() + 116 + 24), 4);
  EXPECT_EQ(format::readInt32(database.data() + 116 + 28), 30);
  EXPECT_EQ(format::readInt32(database.data() + 188 + 20), kTypeMemo);
  EXPECT_EQ(format::readInt32(database.data() + 188 + 24), 34);
  EXPECT_EQ(format::readInt32(database.data() + 188 + 28), 0);
  std::string aux = fileBytes("m.EDT");
  ASSERT_EQ(aux.size(), 512u);
  EXPECT_EQ(aux.substr(0, 4), "WEDT");
  EXPECT_EQ(format::readInt32(aux.data() + 16), 1);

  ASSERT_TRUE(createDatabase(path("n.edb"), {{"a", kTypeInteger, 0}, {"b", kTypeText, 5}}));
  EXPECT_FALSE(platform::pathExists(path("n.edt")));
  EXPECT_FALSE(platform::pathExists(path("n.EDT")));
}

TEST_F(CreateOpenTest, BadFieldListsAreRefused) {
  struct Case {
    std::vector<FieldSpec> fields;
    int error;
  };
  const Case cases[] = {
      {{}, kDbNoFields},
      {{{"", kTypeText, 5}, {"b", kTypeText, 5}}, kDbNoFields},
      {{{"abcdefghijklmnopq", kTypeText, 5}}, kDbBadFieldName},
      {{{"1a", kTypeText, 5}}, kDbBadFieldName},
      {{{"a b", kTypeText, 5}}, kDbBadFieldName},
      {{{"a", 13, 5}}, kDbBadFieldType},
      {{{"a", 0, 5}}, kDbBadFieldType},
      {{{"a", kTypeText, 0}}, kDbBadFieldSize},
      {{{"a", kTypeText, 1025}}, kDbBadFieldSize},
      {{{"a", kTypeText, -5}}, kDbBadFieldSize},
      {{{"Name", kTypeText, 5}, {"NAME", kTypeInteger, 0}}, kDbDuplicateFieldName},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(createDatabase(path("bad"), c.fields));
    EXPECT_EQ(lastError(), c.error) << (c.fields.empty() ? "" : c.fields[0].name);
  }
  EXPECT_FALSE(createDatabase("", {{"a", kTypeText, 5}}));
  EXPECT_EQ(lastError(), kDbFileNotFound);
  // Fields after one without a name are not part of the database.
  ASSERT_TRUE(createDatabase(path("cut"), {{"a", kTypeText, 5}, {"", kTypeText, 5}, {"1bad", 99, 0}}));
  ASSERT_TRUE(openDatabase(path("cut")));
  EXPECT_EQ(fieldCount(), 1);
  EXPECT_TRUE(createDatabase(path("wide"), {{"abcdefghijklmnop", kTypeText, 1024}}));
}

// Opening refuses a layout of more than 4096 fields as damage, so creating does not write one and
// says why.
TEST_F(CreateOpenTest, AsManyFieldsAsOpeningAcceptsAndNoMore) {
  std::vector<FieldSpec> fields;
  for (int i = 1; i <= 4096; ++i) fields.push_back({"f" + std::to_string(i), kTypeLogical, 0});
  ASSERT_TRUE(createDatabase(path("most"), fields));
  ASSERT_TRUE(openDatabase(path("most")));
  EXPECT_EQ(fieldCount(), 4096);
  fields.push_back({"f4097", kTypeLogical, 0});
  EXPECT_FALSE(createDatabase(path("over"), fields));
  EXPECT_EQ(lastError(), kDbTooManyFields);
  EXPECT_EQ(lastErrorText(), "字段数目太多，一个数据库最多只能有 4096 个字段");
  EXPECT_FALSE(platform::pathExists(path("over.EDB")));
}

TEST_F(CreateOpenTest, OpeningTwiceAndAliases) {
  ASSERT_TRUE(createDatabase(path("a"), {{"x", kTypeInteger, 0}}));
  ASSERT_TRUE(createDatabase(path("b"), {{"y", kTypeInteger, 0}, {"z", kTypeInteger, 0}}));
  EXPECT_FALSE(isDatabaseOpen(path("a")));
  ASSERT_TRUE(openDatabase(path("a"), "甲", false, kShareDenyWrite));
  EXPECT_TRUE(isDatabaseOpen(path("a.EDB")));
  EXPECT_FALSE(openDatabase(path("a.EDB"), "丙"));
  EXPECT_EQ(lastErrorText(), "指定数据库已经被打开");
  EXPECT_FALSE(openDatabase(path("b"), "2024数据"));
  EXPECT_EQ(lastError(), kDbBadAlias);
  ASSERT_TRUE(openDatabase(path("b"), "", false, kShareDenyWrite));  // found by its file title
  EXPECT_EQ(fieldCount(), 2);
  EXPECT_TRUE(setCurrentDatabase("甲"));
  EXPECT_EQ(fieldCount(), 1);
  EXPECT_TRUE(setCurrentDatabase("B"));
  EXPECT_EQ(fieldCount(), 2);
  EXPECT_FALSE(setCurrentDatabase("nothing"));
  EXPECT_EQ(lastError(), kDbNotOpen);
  EXPECT_EQ(fieldCount(), 2);

  closeDatabase("甲");  // another database: the current one stays
  EXPECT_EQ(fieldCount(), 2);
  closeDatabase("nothing");
  EXPECT_EQ(lastError(), kDbOk);
  closeDatabase("b");
  EXPECT_EQ(fieldCount(), 0);
  EXPECT_EQ(lastErrorText(), "未设置当前数据库");
  EXPECT_THROW(readField(1), ProgramError);
  EXPECT_FALSE(writeField(1, FieldValue::integer(1)));
  EXPECT_EQ(lastError(), kDbNotOpen);
  EXPECT_FALSE(openDatabase(path("none")));
  EXPECT_EQ(lastError(), kDbFileNotFound);
}

// 俠 (82 62) and 侭 (82 42), 說 (D5 66) and 誇 (D5 46): second bytes that differ as an ASCII
// letter's case would, which a comparison ignoring case must not mix up.
TEST_F(CreateOpenTest, NamesDifferingInADoubleByteCharacterAreDifferentNames) {
  ASSERT_TRUE(createDatabase(path("俠客"), {{"x", kTypeInteger, 0}}));
  ASSERT_TRUE(createDatabase(path("侭客"), {{"x", kTypeInteger, 0}, {"y", kTypeInteger, 0}}));
  ASSERT_TRUE(openDatabase(path("俠客"), "俠客", false, kShareDenyWrite));
  ASSERT_TRUE(openDatabase(path("侭客"), "侭客", false, kShareDenyWrite));
  ASSERT_TRUE(setCurrentDatabase("俠客"));
  EXPECT_EQ(fieldCount(), 1);
  ASSERT_TRUE(setCurrentDatabase("侭客"));
  EXPECT_EQ(fieldCount(), 2);
  ASSERT_TRUE(setCurrentDatabase("俠客"));
  EXPECT_EQ(fieldCount(), 1);
  closeAllDatabases();

  // Opened without an alias, each is found by its own file title.
  ASSERT_TRUE(openDatabase(path("侭客"), "", false, kShareDenyWrite));
  ASSERT_TRUE(openDatabase(path("俠客"), "", false, kShareDenyWrite));
  ASSERT_TRUE(setCurrentDatabase("侭客"));
  EXPECT_EQ(fieldCount(), 2);
  ASSERT_TRUE(setCurrentDatabase("俠客"));
  EXPECT_EQ(fieldCount(), 1);
  closeDatabase("侭客");
  EXPECT_EQ(fieldCount(), 1);  // the other database was closed, the current one stays

  ASSERT_TRUE(createDatabase(path("fields"), {{"說", kTypeInteger, 0}, {"誇", kTypeText, 4}}));
  ASSERT_TRUE(openDatabase(path("fields")));
  ASSERT_TRUE(appendRecord());
  ASSERT_TRUE(writeField("誇", FieldValue::text("ab")));
  ASSERT_TRUE(writeField("說", FieldValue::integer(7)));
  EXPECT_EQ(readField(1).asInteger(), 7);
  EXPECT_EQ(readField(2).asText(), "ab");
}

TEST_F(CreateOpenTest, ForeignAndProtectedFilesAreRefused) {
  putFileBytes("w.EDB", "WCDB" + std::string(200, '\0'));
  EXPECT_FALSE(openDatabase(path("w")));
  EXPECT_EQ(lastError(), kDbPasswordRequired);
  putFileBytes("x.EDB", "XXXX" + std::string(200, '\0'));
  EXPECT_FALSE(openDatabase(path("x")));
  EXPECT_EQ(lastError(), kDbNotADatabase);
  putFileBytes("s.EDB", "WEDB");
  EXPECT_FALSE(openDatabase(path("s")));
  EXPECT_EQ(lastError(), kDbNotADatabase);
}

class RepairTest : public RecordDbTest {
 protected:
  // A database of three records of 4 + 8 bytes, closed.
  void SetUp() override {
    RecordDbTest::SetUp();
    ASSERT_TRUE(createDatabase(path("r"), {{"v", kTypeText, 8}}));
    ASSERT_TRUE(openDatabase(path("r")));
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(appendRecord());
    closeDatabase();
    original = fileBytes("r.EDB");
    ASSERT_EQ(original.size(), 188u + 3 * 12);
  }
  std::string original;
};

TEST_F(RepairTest, APartialRecordAtTheEndIsCutAway) {
  putFileBytes("r.EDB", original + "12345");
  ASSERT_TRUE(openDatabase(path("r"), "", true));  // read-only changes nothing
  EXPECT_EQ(recordCount(), 3);
  closeDatabase();
  EXPECT_EQ(fileBytes("r.EDB").size(), original.size() + 5);
  ASSERT_TRUE(openDatabase(path("r")));
  EXPECT_EQ(recordCount(), 3);
  closeDatabase();
  EXPECT_EQ(fileBytes("r.EDB"), original);
}

TEST_F(RepairTest, ACountBeyondTheRecordsIsLowered) {
  std::string damaged = original;
  format::writeInt32(damaged.data() + 16, 5);
  putFileBytes("r.EDB", damaged);
  EXPECT_FALSE(openDatabase(path("r"), "", true));
  EXPECT_EQ(lastError(), kDbBadFileSize);
  ASSERT_TRUE(openDatabase(path("r")));
  EXPECT_EQ(recordCount(), 3);
  closeDatabase();
  EXPECT_EQ(fileBytes("r.EDB"), original);
}

TEST_F(RepairTest, ADamagedLayoutIsRefusedWithoutTouchingTheFile) {
  struct Damage {
    std::size_t offset;
    std::int32_t value;
  };
  const Damage damages[] = {
      {24, 999},           // record length that the fields do not fill
      {24, 0x7FFFFFF0},    // absurd record length
      {112, 0x10000000},   // absurd field count
      {112, 0},            // no fields
      {116 + 24, 5},       // field offset outside the packing
      {116 + 28, 2000},    // text length that does not fit
      {116 + 20, 42},      // no such type
      {20, 0},             // next ID below 1
  };
  for (const Damage& d : damages) {
    std::string damaged = original + "xyz";  // a partial record a repair would cut
    format::writeInt32(damaged.data() + d.offset, d.value);
    putFileBytes("r.EDB", damaged);
    EXPECT_FALSE(openDatabase(path("r"))) << d.offset;
    EXPECT_EQ(lastError(), kDbNotADatabase) << d.offset;
    EXPECT_EQ(fileBytes("r.EDB"), damaged) << d.offset;
  }
}

TEST_F(CreateOpenTest, DamagedAuxiliaryFilesAreRefused) {
  ASSERT_TRUE(createDatabase(path("m"), {{"备注", kTypeMemo, 0}}));
  const std::string aux = fileBytes("m.EDT");
  std::string version = aux;
  format::writeInt32(version.data() + 4, 0x00020000);
  putFileBytes("m.EDT", version);
  EXPECT_FALSE(openDatabase(path("m")));
  EXPECT_EQ(lastError(), kDbAuxVersionMismatch);
  std::string magic = aux;
  magic[0] = 'X';
  putFileBytes("m.EDT", magic);
  EXPECT_FALSE(openDatabase(path("m")));
  EXPECT_EQ(lastError(), kDbAuxReadFailed);
  std::string blocks = aux;
  format::writeInt32(blocks.data() + 16, 3);
  putFileBytes("m.EDT", blocks);
  EXPECT_FALSE(openDatabase(path("m"), "", true));
  EXPECT_EQ(lastError(), kDbAuxDamaged);
  ASSERT_TRUE(openDatabase(path("m")));  // read/write: the block count is repaired
  closeDatabase();
  EXPECT_EQ(format::readInt32(fileBytes("m.EDT").data() + 16), 1);
  ASSERT_TRUE(platform::deleteFile(path("m.EDT")) == platform::kFileOk);
  EXPECT_FALSE(openDatabase(path("m")));
  EXPECT_EQ(lastError(), kDbAuxReadFailed);
}

}  // namespace
}  // namespace recorddb
