#include "base/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace base {
namespace {

DateTimeValue at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return dateTimeFromParts({y, mo, d, h, mi, s});
}

TEST(DateTimeValue, CountsDaysFrom18991230) {
  EXPECT_EQ(at(1899, 12, 30), 0.0);
  EXPECT_EQ(at(1900, 1, 1), 2.0);
  EXPECT_EQ(at(100, 1, 1), -657434.0);
  EXPECT_EQ(at(9999, 12, 31), 2958465.0);
  EXPECT_EQ(at(1970, 1, 1), 25569.0);
  EXPECT_DOUBLE_EQ(at(1899, 12, 31, 6), 1.25);
  // Before the epoch the time of day still counts forwards.
  EXPECT_DOUBLE_EQ(at(1899, 12, 29, 6), -1.25);
  EXPECT_EQ(partsFromDateTime(-1.25), (CalendarParts{1899, 12, 29, 6, 0, 0}));
}

TEST(DateTimeValue, PartsRoundTripAcrossTheWholeRange) {
  for (double day = kMinDateTime + 1; day < kMaxDateTime; day += 997) {
    CalendarParts parts = partsFromDateTime(day + (day < 0 ? -0.5 : 0.5));
    EXPECT_EQ(parts.hour, 12) << day;
    parts.hour = 0;
    EXPECT_EQ(dateTimeFromParts(parts), day) << day;
  }
}

TEST(DateTimeValue, ClampsToTheKeptRangeAndRoundsToSeconds) {
  EXPECT_EQ(clampDateTime(std::numeric_limits<double>::quiet_NaN()), kMinDateTime);
  EXPECT_EQ(clampDateTime(-1e9), kMinDateTime);
  EXPECT_EQ(clampDateTime(1e9), kMaxDateTime);
  EXPECT_EQ(clampDateTime(5.5), 5.5);
  EXPECT_EQ(partsFromDateTime(1e300), (CalendarParts{9999, 12, 31, 0, 0, 0}));
  // 23:59:59.9999 rounds up into the next day.
  EXPECT_EQ(partsFromDateTime(1.0 - 1e-9), (CalendarParts{1899, 12, 31, 0, 0, 0}));
  EXPECT_EQ(partsFromDateTime(at(2017, 12, 10, 10, 5)), (CalendarParts{2017, 12, 10, 10, 5, 0}));
}

TEST(DateTimeValue, RejectsPartsThatWouldNeedNormalising) {
  EXPECT_FALSE(isValidCalendar({2017, 2, 29, 0, 0, 0}));
  EXPECT_TRUE(isValidCalendar({2016, 2, 29, 0, 0, 0}));
  EXPECT_FALSE(isValidCalendar({1900, 2, 29, 0, 0, 0}));
  EXPECT_TRUE(isValidCalendar({2000, 2, 29, 0, 0, 0}));
  EXPECT_FALSE(isValidCalendar({2017, 13, 1, 0, 0, 0}));
  EXPECT_FALSE(isValidCalendar({2017, 4, 31, 0, 0, 0}));
  EXPECT_FALSE(isValidCalendar({2017, 1, 1, 24, 0, 0}));
  EXPECT_FALSE(isValidCalendar({2017, 1, 1, 0, 60, 0}));
  EXPECT_FALSE(isValidCalendar({99, 1, 1, 0, 0, 0}));
  EXPECT_EQ(at(2017, 2, 30), kEmptyDateTime);
}

TEST(TextToDateTime, ReadsTheUsualWritings) {
  EXPECT_EQ(textToDateTime("2017-12-10"), at(2017, 12, 10));
  EXPECT_EQ(textToDateTime("20171210"), at(2017, 12, 10));
  EXPECT_EQ(textToDateTime("2017/1/5"), at(2017, 1, 5));
  EXPECT_EQ(textToDateTime("2017.12.10 10:05"), at(2017, 12, 10, 10, 5));
  EXPECT_EQ(textToDateTime("2017-12-10 10:05:03"), at(2017, 12, 10, 10, 5, 3));
  EXPECT_EQ(textToDateTime("2017-12-10-10-05-03"), at(2017, 12, 10, 10, 5, 3));
  EXPECT_EQ(textToDateTime("2017年12月10日"), at(2017, 12, 10));
  EXPECT_EQ(textToDateTime("2017年12月10日10时5分"), at(2017, 12, 10, 10, 5));
  EXPECT_EQ(textToDateTime("2017年12月10日10时5分3秒"), at(2017, 12, 10, 10, 5, 3));
  EXPECT_EQ(textToDateTime("2017年12月10日8时"), at(2017, 12, 10, 8));
  EXPECT_EQ(textToDateTime("２０１７－１２－１０"), at(2017, 12, 10));
  EXPECT_EQ(textToDateTime("1991-01-21 12:30:00"), at(1991, 1, 21, 12, 30));
}

TEST(TextToDateTime, AnythingElseGivesTheEmptyDateTime) {
  for (const char* text : {"", "2017-02-30", "2017", "2017-12", "12:30:00", "abc", " 2017-12-10",
                           "2017-12-10x", "2017-12-10 25:00", "2017年12月10日 10时", "2017--12-10",
                           "2017月12年10日", "0017-12-10", "2017-12-10 10:05:03秒秒"}) {
    EXPECT_EQ(textToDateTime(text), kEmptyDateTime) << text;
  }
}

TEST(DateTimeText, ShowsTheTimeDownToItsLastNonZeroPart) {
  EXPECT_EQ(dateTimeText(at(2017, 12, 10, 8)), "2017年12月10日8时");
  EXPECT_EQ(dateTimeText(at(2017, 12, 10, 0, 0, 5)), "2017年12月10日0时0分5秒");
  EXPECT_EQ(dateTimeText(at(2017, 12, 10, 10, 5)), "2017年12月10日10时5分");
  EXPECT_EQ(dateTimeText(at(2017, 12, 10)), "2017年12月10日");
  EXPECT_EQ(dateTimeText(kEmptyDateTime), "100年1月1日");
  EXPECT_EQ(dateTimeText(std::nan("")), "100年1月1日");
  // The display text reads back as the same value.
  DateTimeValue value = at(2023, 7, 9, 23, 59, 58);
  EXPECT_EQ(textToDateTime(dateTimeText(value)), value);
}

}  // namespace
}  // namespace base
