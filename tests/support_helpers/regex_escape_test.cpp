// Texts turned into patterns: the four escape sets, and escaped texts matching themselves literally.

#include <gtest/gtest.h>

#include "support/regex_helper.h"

namespace support {
namespace {

TEST(RegexEscapeTest, EachSetEscapesItsCharactersOnce) {
  EXPECT_EQ(RegexHelper::wildcardToPattern("a*b?.txt"), "a.*b.?\\.txt");
  EXPECT_EQ(RegexHelper::escapeAll("\\."), "\\\\\\.");
  const base::TextValue every = "\\^$+.{}[]=()-?*|\"/";
  EXPECT_EQ(RegexHelper::escapeAll(every), "\\\\\\^\\$\\+\\.\\{\\}\\[\\]\\=\\(\\)-\\?\\*\\|\\\"/");
  EXPECT_EQ(RegexHelper::escapeNoBar(every), "\\\\\\^\\$\\+\\.\\{\\}\\[\\]\\=\\(\\)-\\?\\*|\\\"/");
  EXPECT_EQ(RegexHelper::escapeNoGroups(every), "\\\\\\^\\$\\+\\.\\{\\}\\[\\]\\=()-\\?\\*|\\\"/");
  EXPECT_EQ(RegexHelper::wildcardToPattern(every), "\\\\\\^\\$\\+\\.\\{\\}\\[\\]\\=\\(\\)\\-.?.*|\\\"/");
  EXPECT_EQ(RegexHelper::escapeAll(""), "");
}

TEST(RegexEscapeTest, SecondBytesOfChineseCharactersAreNotEscaped) {
  // 誠 is D5 5C ("\" second), 諀 D5 7C ("|"), 榎 98 5C.
  EXPECT_EQ(RegexHelper::escapeAll("誠|諀\\榎"), "誠\\|諀\\\\榎");
  EXPECT_EQ(RegexHelper::wildcardToPattern("誠*.諀"), "誠.*\\.諀");
}

TEST(RegexEscapeTest, AnEscapedTextMatchesItselfLiterally) {
  const base::TextValue texts[] = {"价格(元)=[1+2]*3?", "a.b|c^d$e{2}\\f\"g-h", "誠|諀\\榎.表"};
  for (const base::TextValue& text : texts) {
    RegexHelper regex;
    base::TextValue pattern = RegexHelper::escapeAll(text);
    ASSERT_TRUE(regex.create(pattern)) << pattern << ": " << regex.errorText();
    EXPECT_EQ(regex.execute("前" + text + "后" + text), 2) << pattern;
    EXPECT_EQ(regex.matchValue(1), text);
  }
  // The narrower sets leave alternatives and groups working.
  RegexHelper bar;
  ASSERT_TRUE(bar.create(RegexHelper::escapeNoBar("甲.|乙.")));
  EXPECT_EQ(bar.execute("乙."), 1);
  EXPECT_EQ(bar.execute("乙x"), 0);
  RegexHelper groups;
  ASSERT_TRUE(groups.create(RegexHelper::escapeNoGroups("(价格)+")));
  EXPECT_EQ(groups.execute("价格+"), 1);
  EXPECT_EQ(groups.subMatch(1, 1), "价格");
  RegexHelper wildcard;
  ASSERT_TRUE(wildcard.create("^" + RegexHelper::wildcardToPattern("报表(?)*.xls") + "$"));
  EXPECT_EQ(wildcard.execute("报表(1)-2023.xls"), 1);
  EXPECT_EQ(wildcard.execute("报表(12)-2023.xls"), 0);
  EXPECT_EQ(wildcard.execute("报表(1)-2023Xxls"), 0);
}

}  // namespace
}  // namespace support
