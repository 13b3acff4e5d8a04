#include "base/number_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace base {
namespace {

TEST(TextToInteger, ReadsTheLeadingDecimalNumber) {
  EXPECT_EQ(textToInteger("12ab"), 12);
  EXPECT_EQ(textToInteger("  -5x"), -5);
  EXPECT_EQ(textToInteger("+7"), 7);
  EXPECT_EQ(textToInteger("2.9"), 2);
  EXPECT_EQ(textToInteger("-0.5"), 0);
  EXPECT_EQ(textToInteger("abc"), 0);
  EXPECT_EQ(textToInteger(""), 0);
  EXPECT_EQ(textToInteger("-"), 0);
  EXPECT_EQ(textToInteger("1.23457e+06"), 1);
  EXPECT_EQ(textToInteger("１０"), 10);          // full-width digits
  EXPECT_EQ(textToInteger("\xA1\xA1－３"), -3);  // ideographic space, full-width minus
}

TEST(TextToInteger, SaturatesAtThe32BitRange) {
  EXPECT_EQ(textToInteger("2147483647"), 2147483647);
  EXPECT_EQ(textToInteger("2147483648"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(textToInteger("-2147483648"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(textToInteger("-99999999999999999999999"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(textToInteger("99999999999999999999999"), std::numeric_limits<std::int32_t>::max());
}

TEST(TextToNumber, ReadsTheLeadingDecimalNumber) {
  EXPECT_DOUBLE_EQ(textToNumber("1.5"), 1.5);
  EXPECT_DOUBLE_EQ(textToNumber(" -2.25kg"), -2.25);
  EXPECT_DOUBLE_EQ(textToNumber("1e3"), 1000.0);
  EXPECT_DOUBLE_EQ(textToNumber("1E-2x"), 0.01);
  EXPECT_DOUBLE_EQ(textToNumber("1e"), 1.0);
  EXPECT_DOUBLE_EQ(textToNumber("1e+"), 1.0);
  EXPECT_DOUBLE_EQ(textToNumber(".5"), 0.5);
  EXPECT_DOUBLE_EQ(textToNumber("5."), 5.0);
  EXPECT_DOUBLE_EQ(textToNumber("+3"), 3.0);
  EXPECT_DOUBLE_EQ(textToNumber("１２"), 12.0);
  EXPECT_DOUBLE_EQ(textToNumber("１．５"), 1.5);
  EXPECT_DOUBLE_EQ(textToNumber("abc"), 0.0);
  EXPECT_DOUBLE_EQ(textToNumber("."), 0.0);
  EXPECT_DOUBLE_EQ(textToNumber("-"), 0.0);
  EXPECT_DOUBLE_EQ(textToNumber(""), 0.0);
}

TEST(TextToNumber, SaturatesInsteadOfGivingInfinity) {
  EXPECT_EQ(textToNumber("1e999"), std::numeric_limits<double>::max());
  EXPECT_EQ(textToNumber("-1e999"), -std::numeric_limits<double>::max());
  EXPECT_EQ(textToNumber("1e-999"), 0.0);
  EXPECT_EQ(textToSingle("1e300"), std::numeric_limits<float>::max());
  EXPECT_EQ(textToSingle("-1e300"), -std::numeric_limits<float>::max());
  EXPECT_FLOAT_EQ(textToSingle("1.5"), 1.5f);
}

TEST(NumberFormat, MatchesPrintfGeneralNotation) {
  EXPECT_EQ(formatDouble(1.0), "1");
  EXPECT_EQ(formatDouble(0.1), "0.1");
  EXPECT_EQ(formatDouble(-3.5), "-3.5");
  EXPECT_EQ(formatDouble(1e15), "1e+15");
  EXPECT_EQ(formatDouble(123456789012345.0), "1.234567890123e+14");
  EXPECT_EQ(formatDouble(43079.42013888889), "43079.42013889");
  EXPECT_EQ(formatSingle(1234567.0f), "1.23457e+06");
  EXPECT_EQ(formatSingle(1.5f), "1.5");
  EXPECT_EQ(formatSingle(0.0001f), "0.0001");
  EXPECT_EQ(formatSingle(0.00001f), "1e-05");
  EXPECT_EQ(formatSingle(100000.0f), "100000");
  EXPECT_EQ(formatSingle(0.1f), "0.1");
  EXPECT_EQ(formatInteger(-42), "-42");
}

TEST(LogicalText, OnlyTheExactTrueWordIsTrue) {
  EXPECT_EQ(logicalText(true), "真");
  EXPECT_EQ(logicalText(false), "假");
  EXPECT_TRUE(isTrueText("真"));
  for (const char* text : {"假", "", "1", "true", "TRUE", "真 "}) EXPECT_FALSE(isTrueText(text)) << text;
}

}  // namespace
}  // namespace base
