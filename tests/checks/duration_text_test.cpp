// The elapsed-time text and its rounding. The expected texts are GBK, like the results.

#include "checks/duration_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

using checks::durationText;
using checks::roundTo;

TEST(DurationTextTest, MillisecondsBelowOneSecond) {
  EXPECT_EQ(durationText(0), "0 毫秒");
  EXPECT_EQ(durationText(999), "999 毫秒");
  EXPECT_EQ(durationText(-5), "-5 毫秒");  // a wrapped tick counter
  EXPECT_EQ(durationText(-123456789), "-123456789 毫秒");
}

TEST(DurationTextTest, EachUnitFromItsFirstWholeOne) {
  EXPECT_EQ(durationText(1000), "1 秒");
  EXPECT_EQ(durationText(60000), "1 分");
  EXPECT_EQ(durationText(90000), "1.5 分");
  EXPECT_EQ(durationText(3600000), "1 时");
  EXPECT_EQ(durationText(86400000), "1 天");
  EXPECT_EQ(durationText(2592000000), "1 月");
  EXPECT_EQ(durationText(31104000000), "1 年");
  EXPECT_EQ(durationText(10020), "10.02 秒");
}

TEST(DurationTextTest, TwoDecimalsRoundedHalfUpWithinTheUnit) {
  EXPECT_EQ(durationText(1234), "1.23 秒");
  EXPECT_EQ(durationText(1235), "1.24 秒");  // 1.235 is a hair below the half as a double
  EXPECT_EQ(durationText(59999), "60 秒");   // rounds up, but 59.999 seconds are not yet a minute
  EXPECT_EQ(durationText(86399999), "24 时");
  EXPECT_EQ(durationText(311040000000), "10 年");
}

TEST(DurationTextTest, ExtremeDurationsStayReadable) {
  EXPECT_EQ(durationText(std::numeric_limits<std::int64_t>::min()), "-9.223372036855e+18 毫秒");
  EXPECT_EQ(durationText(std::numeric_limits<std::int64_t>::max()), "296533308.8 年");
}

TEST(RoundToTest, HalfAwayFromZero) {
  EXPECT_EQ(roundTo(1.235, 2), 1.24);
  EXPECT_EQ(roundTo(-1.235, 2), -1.24);
  EXPECT_EQ(roundTo(1.2349, 2), 1.23);
  EXPECT_EQ(roundTo(2.5, 0), 3.0);
  EXPECT_EQ(roundTo(-2.5, 0), -3.0);
  EXPECT_EQ(roundTo(2.4999999999999, 0), 3.0);  // within the bias of the half
  EXPECT_EQ(roundTo(2.49999999999, 0), 2.0);
  EXPECT_EQ(roundTo(1250, -2), 1300.0);
  EXPECT_EQ(roundTo(-1249, -2), -1200.0);
}

TEST(RoundToTest, ZeroAndValuesWithoutThatDigit) {
  EXPECT_EQ(roundTo(0.0, 2), 0.0);
  EXPECT_FALSE(std::signbit(roundTo(-0.0, 2)));
  EXPECT_FALSE(std::signbit(roundTo(-0.001, 2)));  // no "-0"
  const double infinity = std::numeric_limits<double>::infinity();
  EXPECT_EQ(roundTo(infinity, 2), infinity);
  EXPECT_EQ(roundTo(-infinity, 2), -infinity);
  EXPECT_TRUE(std::isnan(roundTo(std::nan(""), 2)));
  EXPECT_EQ(roundTo(1e300, 400), 1e300);
  EXPECT_EQ(roundTo(1.5, std::numeric_limits<std::int32_t>::max()), 1.5);
  EXPECT_EQ(roundTo(1e300, std::numeric_limits<std::int32_t>::min()), 0.0);
  EXPECT_EQ(roundTo(std::numeric_limits<double>::max(), 2), std::numeric_limits<double>::max());
}

}  // namespace
