// Display texts of stored field values: every value kind, the link kinds, and a field of the
// current record of an open database.

#include "lists/field_display_text.h"

#include <gtest/gtest.h>

#include <limits>

#include "base/date_time.h"
#include "forms/field_kind.h"
#include "recorddb/record_database.h"
#include "tests/support/scratch_dir.h"

namespace lists {
namespace {

using forms::FieldKind;
using recorddb::FieldValue;

constexpr std::int32_t code(FieldKind kind) { return static_cast<std::int32_t>(kind); }

base::DateTimeValue at(int year, int month, int day, int hour, int minute, int second) {
  return base::dateTimeFromParts({year, month, day, hour, minute, second});
}

TEST(ValueTextTest, EveryValueKindHasItsText) {
  EXPECT_EQ(valueText(FieldValue()), "");
  EXPECT_EQ(valueText(FieldValue::byte(255)), "255");
  EXPECT_EQ(valueText(FieldValue::shortInteger(-32768)), "-32768");
  EXPECT_EQ(valueText(FieldValue::integer(-2147483647 - 1)), "-2147483648");
  EXPECT_EQ(valueText(FieldValue::longInteger(std::numeric_limits<std::int64_t>::max())), "9223372036854775807");
  EXPECT_EQ(valueText(FieldValue::subroutine(4294967295u)), "4294967295");
  EXPECT_EQ(valueText(FieldValue::single(1234567.0f)), "1.23457e+06");
  EXPECT_EQ(valueText(FieldValue::single(0.1f)), "0.1");
  EXPECT_EQ(valueText(FieldValue::doubleFloat(0.1)), "0.1");
  EXPECT_EQ(valueText(FieldValue::doubleFloat(-1.0 / 3)), "-0.3333333333333");
  EXPECT_EQ(valueText(FieldValue::doubleFloat(1e300)), "1e+300");
  EXPECT_EQ(valueText(FieldValue::logical(true)), "真");
  EXPECT_EQ(valueText(FieldValue::logical(false)), "假");
  EXPECT_EQ(valueText(FieldValue::text("平台, \"引号\"\r\n")), "平台, \"引号\"\r\n");
  EXPECT_EQ(valueText(FieldValue::bytes(std::string("\0\x01", 2))), std::string("\0\x01", 2));
}

TEST(ValueTextTest, DateTimesShowTheTimeDownToItsSmallestNonZeroPart) {
  EXPECT_EQ(valueText(FieldValue::dateTime(at(2017, 12, 10, 10, 5, 3))), "2017年12月10日10时5分3秒");
  EXPECT_EQ(valueText(FieldValue::dateTime(at(2017, 12, 10, 0, 0, 3))), "2017年12月10日0时0分3秒");
  EXPECT_EQ(valueText(FieldValue::dateTime(at(2017, 12, 10, 10, 5, 0))), "2017年12月10日10时5分");
  EXPECT_EQ(valueText(FieldValue::dateTime(at(2017, 2, 1, 8, 0, 0))), "2017年2月1日8时");
  EXPECT_EQ(valueText(FieldValue::dateTime(at(2017, 2, 1, 0, 0, 0))), "2017年2月1日");
  // Values above the kept range show its end; the empty date (the first day of the range), what lies
  // below it and not-a-number show nothing.
  EXPECT_EQ(valueText(FieldValue::dateTime(1e300)), "9999年12月31日");
  EXPECT_EQ(valueText(FieldValue::dateTime(at(100, 1, 2, 0, 0, 0))), "100年1月2日");
  for (const double empty : {-657434.0, -1e300, std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_EQ(valueText(FieldValue::dateTime(empty)), "") << empty;
  }
}

TEST(DisplayTextTest, LinksShowTheirTitle) {
  for (FieldKind kind : {FieldKind::Link, FieldKind::QqLink}) {
    EXPECT_EQ(displayText(FieldValue::text("官网||https://a.example/||x"), code(kind)), "官网");
    EXPECT_EQ(displayText(FieldValue::text("只有标题"), code(kind)), "只有标题");
    EXPECT_EQ(displayText(FieldValue::text("||https://a.example/"), code(kind)), "");
    EXPECT_EQ(displayText(FieldValue::text("擻||b"), code(kind)), "擻");
    EXPECT_EQ(displayText(FieldValue(), code(kind)), "");
  }
}

TEST(DisplayTextTest, FtpLinksShowServerAndUser) {
  const std::int32_t ftp = code(FieldKind::FtpLink);
  EXPECT_EQ(displayText(FieldValue::text("张三||密码||ftp.example"), ftp), "ftp.example(张三)");
  EXPECT_EQ(displayText(FieldValue::text("||密码||ftp.example"), ftp), "ftp.example");
  EXPECT_EQ(displayText(FieldValue::text("张三||密码||"), ftp), "");
  EXPECT_EQ(displayText(FieldValue::text("张三||密码"), ftp), "");
  EXPECT_EQ(displayText(FieldValue::text("a||b||c||d"), ftp), "c(a)");
  EXPECT_EQ(displayText(FieldValue::text(""), ftp), "");
  // A double-byte character ending in "|" (0x81 0x7C) does not start a separator with the next "|".
  EXPECT_EQ(displayText(FieldValue::text("\x81\x7C|u||pw||srv"), ftp), "srv(\x81\x7C|u)");
}

TEST(DisplayTextTest, OtherKindsShowTheValueText) {
  const FieldValue composite = FieldValue::text("a||b||c");
  for (FieldKind kind : {FieldKind::Text, FieldKind::LongText, FieldKind::FreeTime, FieldKind::Ping}) {
    EXPECT_EQ(displayText(composite, code(kind)), "a||b||c");
  }
  EXPECT_EQ(displayText(composite, 999), "a||b||c");  // no kind: as text
  EXPECT_EQ(displayText(FieldValue::integer(-1), code(FieldKind::Ping)), "-1");
  EXPECT_EQ(displayText(FieldValue::single(1.25f), code(FieldKind::Decimal)), "1.25");
  EXPECT_EQ(displayText(FieldValue::logical(true), code(FieldKind::Logical)), "真");
}

TEST(DisplayTextTest, TheCurrentRecordsFieldIsReadFromTheDatabase) {
  testing_support::ScratchDir dir;
  recorddb::closeAllDatabases();
  const base::TextValue path = dir.file("列表.edb");
  ASSERT_TRUE(recorddb::createDatabase(path, {{"名称", recorddb::kTypeText, 20},
                                              {"链接", recorddb::kTypeText, 512},
                                              {"金额", recorddb::kTypeSingle, 0},
                                              {"到期", recorddb::kTypeDateTime, 0}}));
  ASSERT_TRUE(recorddb::openDatabase(path, "列表", false, recorddb::kShareDenyWrite));
  ASSERT_TRUE(recorddb::appendRecord());
  ASSERT_TRUE(recorddb::writeField(1, FieldValue::text("甲")));
  ASSERT_TRUE(recorddb::writeField(2, FieldValue::text("标题||http://x/")));
  ASSERT_TRUE(recorddb::writeField(3, FieldValue::single(2.5f)));
  ASSERT_TRUE(recorddb::writeField(4, FieldValue::dateTime(at(2020, 1, 2, 3, 0, 0))));
  ASSERT_TRUE(recorddb::gotoRecord(1));
  EXPECT_EQ(currentFieldDisplayText(1, code(FieldKind::Text)), "甲");
  EXPECT_EQ(currentFieldDisplayText(2, code(FieldKind::Link)), "标题");
  EXPECT_EQ(currentFieldDisplayText(3, code(FieldKind::Decimal)), "2.5");
  EXPECT_EQ(currentFieldDisplayText(4, code(FieldKind::Time)), "2020年1月2日3时");
  // The view gives the same texts, for text fields without a copy.
  base::TextValue scratch;
  const std::pair<int, FieldKind> fields[] = {
      {1, FieldKind::Text}, {2, FieldKind::Link}, {2, FieldKind::FtpLink}, {3, FieldKind::Decimal}, {4, FieldKind::Time}};
  for (const auto& [field, kind] : fields) {
    EXPECT_EQ(currentFieldDisplayView(field, code(kind), scratch), currentFieldDisplayText(field, code(kind))) << field;
  }
  recorddb::closeAllDatabases();
}

}  // namespace
}  // namespace lists
