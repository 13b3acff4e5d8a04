// RegexHelper: the grid's digits-only sort key, Chinese text as whole characters, matches and
// sub-matches with byte positions, the options, replacing, refused patterns and long subjects.

#include "support/regex_helper.h"

#include <gtest/gtest.h>

#include <chrono>

namespace support {
namespace {

TEST(RegexHelperTest, TheGridsSortKeyKeepsOnlyTheDigits) {
  RegexHelper digits;
  ASSERT_TRUE(digits.create("[^\\d]+"));
  EXPECT_EQ(digits.pattern(), "[^\\d]+");
  EXPECT_EQ(digits.replace("abc123def45", ""), "12345");
  EXPECT_EQ(digits.replace("第12号楼3单元", ""), "123");
  EXPECT_EQ(digits.replace("没有数字", ""), "");
  EXPECT_EQ(digits.replace("", ""), "");
  EXPECT_EQ(digits.replace("２０２４年", ""), "");  // full-width digits are no \d
  // Unreadable bytes are no digits either, and the digits around them survive.
  EXPECT_EQ(digits.replace(base::TextValue("7\x81\x20" "8\xFF", 5), ""), "78");
}

TEST(RegexHelperTest, ChineseCharactersMatchWholeCharactersOnly) {
  RegexHelper regex;
  // 氨戆 is B0 B1 ED B0: the bytes of 表 (B1 ED) lie across the two characters.
  ASSERT_TRUE(regex.create("表"));
  EXPECT_EQ(regex.execute("氨戆"), 0);
  EXPECT_EQ(regex.execute("报表表"), 2);

  // Second bytes "\" (誠 D5 5C) and "|" (諀 D5 7C) are no pattern syntax, and "\" (0x5C) or "|" in
  // a pattern match no second byte.
  ASSERT_TRUE(regex.create("誠諀"));
  EXPECT_EQ(regex.execute("a誠諀b"), 1);
  EXPECT_EQ(regex.matchValue(1), "誠諀");
  EXPECT_EQ(regex.execute("誠"), 0);
  ASSERT_TRUE(regex.create("\\\\|\\|"));
  EXPECT_EQ(regex.execute("誠諀"), 0);
  ASSERT_TRUE(regex.create("[誠]+"));
  EXPECT_EQ(regex.execute("\\誠誠"), 1);
  EXPECT_EQ(regex.matchValue(1), "誠誠");

  // "." and classes take one whole character; ranges compare code points.
  ASSERT_TRUE(regex.create("^.$"));
  EXPECT_EQ(regex.execute("表"), 1);
  ASSERT_TRUE(regex.create("[一-龥]+"));
  EXPECT_EQ(regex.execute("ab中文cd格簿"), 2);
  EXPECT_EQ(regex.matchValue(1), "中文");
  EXPECT_EQ(regex.matchValue(2), "格簿");
  ASSERT_TRUE(regex.create("\\w+"));
  EXPECT_EQ(regex.execute("列表_1 名"), 1);
  EXPECT_EQ(regex.matchValue(1), "_1");
}

TEST(RegexHelperTest, MatchesAndSubMatchesWithBytePositions) {
  RegexHelper regex;
  ASSERT_TRUE(regex.create("(\\w+)@(\\w+)\\.com(/\\d+)?"));
  const base::TextValue subject = "甲 joe@host.com 乙丙 ann@web.com/7";
  EXPECT_EQ(regex.execute(subject), 2);
  EXPECT_EQ(regex.subject(), subject);
  EXPECT_EQ(regex.matchCount(), 2);
  EXPECT_EQ(regex.subMatchCount(), 3);
  int firstIndex = 0;
  EXPECT_EQ(regex.matchWithIndex(1, firstIndex), "joe@host.com");
  EXPECT_EQ(firstIndex, 3);
  EXPECT_EQ(regex.matchWithIndex(2, firstIndex), "ann@web.com/7");
  EXPECT_EQ(firstIndex, 21);
  EXPECT_EQ(subject.substr(21, 3), "ann");
  EXPECT_EQ(regex.subMatch(1, 2), "host");
  EXPECT_EQ(regex.subMatch(1, 3), "");  // took no part
  EXPECT_EQ(regex.subMatchWithIndex(2, 3, firstIndex), "/7");
  EXPECT_EQ(firstIndex, 21);  // the whole match's position

  // Numbers out of range give the empty text and position -1.
  EXPECT_EQ(regex.matchValue(0), "");
  EXPECT_EQ(regex.matchValue(3), "");
  EXPECT_EQ(regex.subMatch(1, 0), "");
  EXPECT_EQ(regex.subMatch(1, 4), "");
  EXPECT_EQ(regex.subMatch(-2147483647 - 1, 1), "");
  EXPECT_EQ(regex.matchWithIndex(9, firstIndex), "");
  EXPECT_EQ(firstIndex, -1);
  EXPECT_EQ(regex.subMatchWithIndex(0, 1, firstIndex), "");
  EXPECT_EQ(firstIndex, -1);

  // A run without matches leaves nothing of the last one.
  EXPECT_EQ(regex.execute("无"), 0);
  EXPECT_EQ(regex.subMatchCount(), 0);
  EXPECT_EQ(regex.matchValue(1), "");

  // Copies keep the matches they were made with.
  regex.execute(subject);
  RegexHelper copy = regex;
  regex.execute("x@y.com");
  EXPECT_EQ(copy.matchCount(), 2);
  EXPECT_EQ(copy.matchValue(1), "joe@host.com");
  EXPECT_EQ(regex.matchValue(1), "x@y.com");
  EXPECT_EQ(copy.pattern(), regex.pattern());
}

TEST(RegexHelperTest, TheOptionsAllDefaultToTrue) {
  RegexHelper regex;
  ASSERT_TRUE(regex.create("^ab$"));
  EXPECT_EQ(regex.execute("AB\r\nab\nx"), 2);  // case ignored, every line, every match

  ASSERT_TRUE(regex.create("^ab$", {.ignoreCase = false}));
  EXPECT_EQ(regex.execute("AB\nab"), 1);
  ASSERT_TRUE(regex.create("^ab$", {.multiline = false}));
  EXPECT_EQ(regex.execute("ab\nab"), 0);
  EXPECT_EQ(regex.execute("AB"), 1);
  ASSERT_TRUE(regex.create("\\b\\w+(?=元)"));
  EXPECT_EQ(regex.execute("价 12元 ab元 cd"), 2);
  EXPECT_EQ(regex.matchValue(2), "ab");
  ASSERT_TRUE(regex.create("\\d", {.global = false}));
  EXPECT_EQ(regex.execute("a1b2"), 1);
  EXPECT_EQ(regex.matchValue(1), "1");
  EXPECT_EQ(regex.replace("a1b2", "#"), "a#b2");
}

TEST(RegexHelperTest, ReplaceFillsInTheDollarForms) {
  RegexHelper regex;
  ASSERT_TRUE(regex.create("(\\d+)-(\\d+)"));
  EXPECT_EQ(regex.replace("区间 1-20 与 3-4", "$2~$1"), "区间 20~1 与 4~3");
  EXPECT_EQ(regex.replace("1-2", "[$&] $$ $3 $0 $"), "[1-2] $ $3 $0 $");
  EXPECT_EQ(regex.replace("甲1-2乙", "<$`|$'>"), "甲<甲|乙>乙");
  // Two digits name a group only when there are that many; else one digit and a literal one.
  EXPECT_EQ(regex.replace("1-2", "$10"), "10");
  ASSERT_TRUE(regex.create("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)"));
  EXPECT_EQ(regex.replace("abcdefghijk", "$11$10$1"), "kja");

  // Empty matches fall between the characters, never inside one.
  ASSERT_TRUE(regex.create("x*"));
  EXPECT_EQ(regex.replace("a表", "-"), "-a-表-");
  // What is not matched comes back byte for byte, unreadable bytes included.
  ASSERT_TRUE(regex.create("\\d"));
  const base::TextValue odd("\x81\x20" "1\x80", 4);
  EXPECT_EQ(regex.replace(odd, "#"), base::TextValue("\x81\x20#\x80", 4));
}

TEST(RegexHelperTest, AnInvalidPatternIsAnErrorResult) {
  for (const char* pattern : {"(", "[a-", "a{2,1}", "*a", "(a)\\1", "a)", "\\", "[z-a]", "a{99999999999}"}) {
    RegexHelper regex;
    EXPECT_FALSE(regex.create(pattern)) << pattern;
    EXPECT_FALSE(regex.errorText().empty()) << pattern;
    EXPECT_EQ(regex.pattern(), "");
    EXPECT_EQ(regex.execute("a(a)a"), 0);
    EXPECT_EQ(regex.replace("a(a)a", "x"), "a(a)a");
  }
  // A failed create leaves no expression behind; a good one clears the error.
  RegexHelper regex;
  ASSERT_TRUE(regex.create("a"));
  EXPECT_FALSE(regex.create("("));
  EXPECT_EQ(regex.execute("a"), 0);
  EXPECT_TRUE(regex.create("a"));
  EXPECT_EQ(regex.errorText(), "");

  RegexHelper none;
  EXPECT_EQ(none.pattern(), "");
  EXPECT_EQ(none.execute("abc"), 0);
  EXPECT_EQ(none.replace("abc", "x"), "abc");
  EXPECT_EQ(none.matchCount(), 0);
}

TEST(RegexHelperTest, LongSubjectsAndNestedQuantifiersFinish) {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  RegexHelper regex;
  ASSERT_TRUE(regex.create("[^\\d]+"));
  base::TextValue memo;
  for (int count = 0; count < 50000; ++count) memo += "备注";
  EXPECT_EQ(regex.replace(memo + "9", ""), "9");

  ASSERT_TRUE(regex.create("(a+)+b"));
  EXPECT_EQ(regex.execute(base::TextValue(40, 'a') + "c"), 0);
  // A matcher that recursed once per character would run out of stack here.
  ASSERT_TRUE(regex.create("(.|\\s)*x"));
  EXPECT_EQ(regex.execute(base::TextValue(20000, ' ') + "x"), 1);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(20));
}

}  // namespace
}  // namespace support
