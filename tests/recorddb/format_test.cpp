#include <gtest/gtest.h>

#include "platform/paths.h"
#include "recorddb/db_paths.h"
#include "recorddb/error_codes.h"
#include "recorddb/format.h"

namespace recorddb {
namespace {

TEST(NameRule, AcceptsLettersDigitsUnderscoreAndChineseOnly) {
  for (const char* name : {"名称", "Name", "号码_1", "_x", "a1", "ｖａｌｕｅ１", "abcdefghijklmnop"}) {
    EXPECT_TRUE(format::isValidName(name)) << name;
  }
  for (const char* name : {"", "1abc", ".a", "１号", "a b", "a-b", "名，称", "a.b", "\xA1\xA1x"}) {
    EXPECT_FALSE(format::isValidName(name)) << name;
  }
  EXPECT_FALSE(format::isValidName("a\x81"));  // a lead byte without its second byte
  EXPECT_TRUE(format::isValidName("\xA9\x60"));
  EXPECT_TRUE(format::isValidName("\xA4\xA1\xA5\xF6"));
}

TEST(FieldWidths, FollowTheType) {
  const int widths[] = {1, 2, 4, 8, 4, 8, 1, 8, 4, -7, 4, 4};
  for (int type = 1; type <= 12; ++type) {
    EXPECT_EQ(format::fieldWidth(type, -7), widths[type - 1]) << type;
  }
  EXPECT_EQ(format::fieldWidth(0, 5), -1);
  EXPECT_EQ(format::fieldWidth(13, 5), -1);
}

base::TextValue inFolder(const char* name) {
  return base::TextValue("d") + platform::kPathSeparator + "e.f" + platform::kPathSeparator + name;
}

TEST(DatabasePaths, ExtensionsFollowTheDatabaseFile) {
  EXPECT_EQ(databasePathFor(inFolder("a")), inFolder("a.EDB"));
  EXPECT_EQ(databasePathFor(inFolder("a.")), inFolder("a.EDB"));
  EXPECT_EQ(databasePathFor(inFolder("a.edb")), inFolder("a.edb"));
  EXPECT_EQ(auxiliaryPathFor(inFolder("a.edb")), inFolder("a.edt"));
  EXPECT_EQ(auxiliaryPathFor(inFolder("B.EDB")), inFolder("B.EDT"));
  EXPECT_EQ(auxiliaryPathFor(inFolder("c")), inFolder("c.EDT"));
  EXPECT_EQ(auxiliaryPathFor(inFolder("列表.dat")), inFolder("列表.edt"));
  EXPECT_EQ(fileTitleOf(inFolder("列表.EDB")), "列表");
  EXPECT_EQ(fileTitleOf(inFolder("x")), "x");
  // The second byte of 說 (D5 66) is no lower-case letter: the extension ".說" has no lower case.
  EXPECT_EQ(auxiliaryPathFor(inFolder("y.說")), inFolder("y.EDT"));
  EXPECT_TRUE(equalsIgnoringCase("Abc中", "aBC中"));
  EXPECT_FALSE(equalsIgnoringCase("abc", "abd"));
}

TEST(ErrorTable, GivesTheMessageOfEveryCode) {
  EXPECT_EQ(errorMessage(0), "");
  EXPECT_EQ(errorMessage(-12), "访问文件时产生共享冲突");
  EXPECT_EQ(errorMessage(-38), "指定数据库已经被打开");
  EXPECT_EQ(errorMessage(-80), "无效的密码文本");
  EXPECT_EQ(errorMessage(-77), "未知错误");
  EXPECT_EQ(errorMessage(-81), "字段数目太多，一个数据库最多只能有 4096 个字段");
  EXPECT_EQ(errorMessage(-82), "记录编号已经用完，不能再追加记录");
  EXPECT_EQ(errorMessage(-83), "未知错误");
  EXPECT_EQ(errorMessage(5), "未知错误");
  setLastError(-67);
  EXPECT_EQ(lastErrorText(), "未设置当前数据库");
}

}  // namespace
}  // namespace recorddb
