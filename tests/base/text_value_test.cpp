#include "base/text_value.h"

#include <gtest/gtest.h>

namespace base {
namespace {

// A double-byte GBK character whose second byte is "|" (0x7C), and one whose second byte is "[".
constexpr char kBarTrail[] = "\x81\x7C";
constexpr char kBracketTrail[] = "\x81\x5B";

TEST(TextSearch, StepsOverDoubleByteCharacters) {
  std::string text = std::string("a") + kBarTrail + "|b";
  EXPECT_EQ(findText(text, "|"), 3u);
  EXPECT_EQ(findText(std::string(kBracketTrail) + "[x", "["), 2u);
  EXPECT_EQ(findText("中文中", "文"), 2u);
  // "\xD6\xD0" is 中; its second byte followed by the first of 文 must not match across characters.
  EXPECT_EQ(findText("中文", "\xD0\xCE"), kNotFound);
  EXPECT_EQ(findText("abcabc", "c", 3), 5u);
  EXPECT_EQ(findText("abc", "d"), kNotFound);
  EXPECT_EQ(findText("abc", ""), 0u);
}

TEST(TextSearch, IgnoresCaseOfAsciiLettersOnly) {
  EXPECT_EQ(findTextIgnoreCase("Hello World", "WORLD"), 6u);
  EXPECT_EQ(findTextIgnoreCase("中ABC", "abc"), 2u);
  EXPECT_EQ(findTextIgnoreCase("x中", "中"), 1u);
  EXPECT_EQ(findText("Hello", "hello"), kNotFound);
}

// Pairs of double-byte characters whose second bytes differ only as an ASCII letter's case would:
// 說 D5 66 ("f") and 誇 D5 46 ("F"); 侭 82 42 ("B") and 俠 82 62 ("b").
constexpr char kShuo[] = "\xD5\x66";
constexpr char kKua[] = "\xD5\x46";
constexpr char kJin[] = "\x82\x42";
constexpr char kXia[] = "\x82\x62";

TEST(TextSearch, IgnoringCaseComparesDoubleByteCharactersExactly) {
  EXPECT_EQ(findTextIgnoreCase(std::string("a") + kShuo, kKua), kNotFound);
  EXPECT_EQ(findTextIgnoreCase(std::string(kKua) + "x" + kShuo, kShuo), 3u);
  EXPECT_EQ(findTextIgnoreCase(std::string(kXia) + "\xBF\xCD", std::string(kJin) + "\xBF\xCD"), kNotFound);
  EXPECT_EQ(findTextIgnoreCase(std::string("X") + kJin + "Y", std::string("x") + kJin + "y"), 0u);
  // A lead byte at the end of the text, or of the needle, is compared as it is.
  EXPECT_EQ(findTextIgnoreCase("ab\x82", "B\x82"), 1u);
  EXPECT_EQ(findTextIgnoreCase(kJin, "\x82"), 0u);
  EXPECT_EQ(findTextIgnoreCase("ab", "abc"), kNotFound);
}

TEST(TextEquality, IgnoringCaseFoldsOnlySingleByteLetters) {
  EXPECT_TRUE(equalsTextIgnoreCase("Abc中", "aBC中"));
  EXPECT_TRUE(equalsTextIgnoreCase("", ""));
  EXPECT_FALSE(equalsTextIgnoreCase("abc", "ab"));
  EXPECT_TRUE(startsWithTextIgnoreCase("HTTPS://中", "https://"));
  EXPECT_FALSE(startsWithTextIgnoreCase("http:", "http://"));
  EXPECT_FALSE(equalsTextIgnoreCase(kShuo, kKua));
  EXPECT_FALSE(equalsTextIgnoreCase(std::string(kXia) + "客", std::string(kJin) + "客"));
  EXPECT_FALSE(equalsTextIgnoreCase("a\x82", "A\x83"));
  EXPECT_TRUE(equalsTextIgnoreCase("a\x82", "A\x82"));
}

TEST(TextSplit, KeepsLeadingAndInnerEmptyPiecesButNotATrailingOne) {
  EXPECT_TRUE(splitText("", "||").empty());
  EXPECT_EQ(splitText("a", "||"), (std::vector<TextValue>{"a"}));
  EXPECT_EQ(splitText("a||b", "||"), (std::vector<TextValue>{"a", "b"}));
  EXPECT_EQ(splitText("a||", "||"), (std::vector<TextValue>{"a"}));
  EXPECT_EQ(splitText("||a", "||"), (std::vector<TextValue>{"", "a"}));
  EXPECT_EQ(splitText("a||||b", "||"), (std::vector<TextValue>{"a", "", "b"}));
  EXPECT_EQ(splitText("||", "||"), (std::vector<TextValue>{""}));
  // "|||" is one separator and a trailing "|".
  EXPECT_EQ(splitText("a|||b", "||"), (std::vector<TextValue>{"a", "|b"}));
}

TEST(TextSplit, NeverSplitsInsideADoubleByteCharacter) {
  std::string name = std::string("x") + kBarTrail + "y";
  EXPECT_EQ(splitText(name + "|10", "|"), (std::vector<TextValue>{name, "10"}));
  EXPECT_EQ(splitTextExactly("a||b||c||d", "||", 3), (std::vector<TextValue>{"a", "b", "c"}));
  EXPECT_EQ(splitTextExactly("a", "||", 3), (std::vector<TextValue>{"a", "", ""}));
}

TEST(TextReplace, ReplacesEveryOccurrenceOnCharacterBoundaries) {
  EXPECT_EQ(replaceAll("a-b-c", "-", "+"), "a+b+c");
  EXPECT_EQ(replaceAll(std::string(kBarTrail) + "|", "|", "!"), std::string(kBarTrail) + "!");
  EXPECT_EQ(replaceAll("aaa", "aa", "b"), "ba");
}

TEST(TextLength, CountsDoubleByteCharactersAndCrLfAsOne) {
  EXPECT_EQ(countCharacters(""), 0u);
  EXPECT_EQ(countCharacters("ab"), 2u);
  EXPECT_EQ(countCharacters("中文a"), 3u);
  EXPECT_EQ(countCharacters("a\r\nb"), 3u);
  EXPECT_EQ(countCharacters("a\rb\n"), 4u);
  EXPECT_EQ(countCharacters("a\x81"), 2u);  // a lead byte at the end is a character of its own
}

TEST(TextCut, CutsOnlyAtCharacterBoundaries) {
  EXPECT_EQ(cutToCharacters("中文abc", 3), "中文a");
  EXPECT_EQ(cutToCharacters("a\r\nb", 2), "a\r\n");
  EXPECT_EQ(cutToCharacters("ab", 5), "ab");
  EXPECT_EQ(cutToBytes("中文", 3), "中");
  EXPECT_EQ(cutToBytes("中文", 4), "中文");
  EXPECT_EQ(cutToBytes("a中", 2), "a");
  EXPECT_EQ(cutToBytes("abc", 0), "");
}

TEST(TextFold, TurnsFullWidthAsciiIntoAscii) {
  EXPECT_EQ(foldFullWidth("１２ＡＢ－．"), "12AB-.");
  EXPECT_EQ(foldFullWidth("\xA1\xA1x"), " x");  // ideographic space
  EXPECT_EQ(foldFullWidth("中１"), "中1");
  EXPECT_EQ(foldFullWidth("\xA1\xAB\xA1\xEE\xA1\xEF"), "~**");
  // A lead byte 0xA3 inside another character's trail position is not folded.
  EXPECT_EQ(foldFullWidth("\x81\xA3\xB1"), "\x81\xA3\xB1");
}

}  // namespace
}  // namespace base
