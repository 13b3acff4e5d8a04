#include "base/exact_number.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "base/date_time.h"

namespace base {
namespace {

TEST(ExactNumberTest, WholeNumbersAreTheWholeTextWithinThe32BitRange) {
  const std::vector<std::tuple<const char*, NumberReading, std::int32_t>> cases{
      {"808", NumberReading::Exact, 808},          {" -12 ", NumberReading::Exact, -12},
      {"+7", NumberReading::Exact, 7},             {"１０", NumberReading::Exact, 10},
      {"-2147483648", NumberReading::Exact, std::numeric_limits<std::int32_t>::min()},
      {"2147483648", NumberReading::OutOfRange, 0}, {"80a8-0", NumberReading::NotANumber, 0},
      {"1.5", NumberReading::NotANumber, 0},       {"-", NumberReading::NotANumber, 0},
      {"1 2", NumberReading::NotANumber, 0},
  };
  for (const auto& [text, reading, value] : cases) {
    const WholeNumber number = readWholeNumber(text);
    EXPECT_EQ(number.reading, reading) << text;
    if (reading == NumberReading::Exact) EXPECT_EQ(number.value, value) << text;
  }
}

TEST(ExactNumberTest, DecimalsAreRefusedWhenSinglePrecisionWouldKeepAnotherNumber) {
  const std::vector<std::tuple<const char*, NumberReading, const char*>> cases{
      {"1234567", NumberReading::Exact, "1234567"},     {"0.1", NumberReading::Exact, "0.1"},
      {"-3.50", NumberReading::Exact, "-3.5"},          {".5", NumberReading::Exact, "0.5"},
      {"16777217", NumberReading::TooPrecise, "16777216"}, {"123456789", NumberReading::TooPrecise, "123456790"},
      {"1000000000000000000000000000000", NumberReading::Exact, "1000000000000000000000000000000"},
      {"99.5.3", NumberReading::NotANumber, ""},        {"1e5", NumberReading::NotANumber, ""},
      {"10000000000000000000000000000000000000000", NumberReading::OutOfRange, ""},
  };
  for (const auto& [text, reading, shown] : cases) {
    const SingleNumber number = readSingleNumber(text);
    EXPECT_EQ(number.reading, reading) << text;
    if (reading == NumberReading::Exact || reading == NumberReading::TooPrecise) {
      EXPECT_EQ(exactSingleText(number.value), shown) << text;
    }
  }
  EXPECT_EQ(exactSingleText(1.5e-7F), "0.00000015");
  EXPECT_EQ(exactSingleText(std::numeric_limits<float>::infinity()), "inf");
}

TEST(ExactNumberTest, DatesAreReadOnlyWhenTheyAreRealDatesAndTimes) {
  EXPECT_EQ(readDateTime("2024-02-29 23:59:59"), dateTimeFromParts({2024, 2, 29, 23, 59, 59}));
  EXPECT_EQ(readDateTime("20171210"), dateTimeFromParts({2017, 12, 10, 0, 0, 0}));
  for (const char* wrong : {"2024-02-30", "2023-02-29", "2024-01-01 24:00", "明天", "", "2024"}) {
    EXPECT_FALSE(readDateTime(wrong).has_value()) << wrong;
  }
}

}  // namespace
}  // namespace base
