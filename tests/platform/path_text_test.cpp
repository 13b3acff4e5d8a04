// Path texts: names with characters GBK has not (Korean, emoji, half-width kana, accented
// letters) kept in the four-byte form, read back as themselves, and walked by the text functions
// as whole characters; GBK text and ordinary conversions as they were.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text_value.h"
#include "platform/paths.h"
#include "platform/text_codec.h"

namespace {

using platform::gbkToUtf16;
using platform::gbkToUtf8;
using platform::pathTextFromUtf16;
using platform::pathTextFromUtf8;
using platform::utf16ToGbk;
using platform::utf16ToUtf8;

// The four bytes of 사 (U+C0AC) and of 😀 (U+1F600), as text_codec.h numbers them.
const std::string kSa = "\x84\x39\x93\x34";
const std::string kGrinning = "\x8B\x31\xFE\x32";
const std::string kReplacementCharacter = pathTextFromUtf16(u"\uFFFD");

TEST(PathTextCodecTest, NamesGbkCannotHoldComeBackUnchanged) {
  const std::vector<std::u16string> names = {
      u"사용자",          u"\U0001F600",   u"ﾕｰｻﾞｰ ゔ",          u"Zoë Muñoz Straße",
      u"ユーザー 사용자 \U0001F600", u"程序数据 사용자\U0001F600砚川", u"\U00010000\U0010FFFF\u0080\uFFFF",
      u"\u20AC 欧元"};
  for (const std::u16string& name : names) {
    SCOPED_TRACE(utf16ToUtf8(name));
    const base::TextValue path = pathTextFromUtf16(name);
    EXPECT_EQ(path.find('?'), std::string::npos);
    EXPECT_EQ(gbkToUtf16(path), name);
    EXPECT_EQ(gbkToUtf8(path), utf16ToUtf8(name));
    EXPECT_EQ(pathTextFromUtf8(utf16ToUtf8(name)), path);
    EXPECT_EQ(pathTextFromUtf16(gbkToUtf16(path)), path);
  }
}

TEST(PathTextCodecTest, GbkCharactersStayGbkAndOthersTakeFourBytes) {
  EXPECT_EQ(pathTextFromUtf16(u"사"), kSa);
  EXPECT_EQ(pathTextFromUtf16(u"\U0001F600"), kGrinning);
  EXPECT_EQ(pathTextFromUtf16(u"程序数据/사\U0001F600.ini"), "程序数据/" + kSa + kGrinning + ".ini");
  // Everything GBK holds is written as ever, the accented letters of pinyin and kana included.
  for (const std::u16string& text : {std::u16string(u"砚川·格簿录入台.ini"), std::u16string(u"C:\\擻亅乕\\é ユーザー"),
                                     std::u16string(u"Ａ\u3000～"), std::u16string()}) {
    EXPECT_EQ(pathTextFromUtf16(text), utf16ToGbk(text));
  }
  EXPECT_EQ(pathTextFromUtf16(u"砚川·格簿录入台.ini"), "砚川·格簿录入台.ini");
  // Only path texts take the four-byte form: the ordinary conversion still gives "?".
  EXPECT_EQ(utf16ToGbk(u"사\U0001F600"), "???");
  EXPECT_EQ(platform::utf8ToGbk(utf16ToUtf8(u"사")), "?");
  // The euro sign, one byte 0x80 in GBK that text functions would step over as two, takes four.
  EXPECT_EQ(utf16ToGbk(u"\u20AC"), "\x80");
  EXPECT_EQ(pathTextFromUtf16(u"\u20AC").size(), 4u);
}

// Stepping over double-byte characters keeps the four bytes together, so the digits inside them
// are never found as digits and the path functions split at the real separators only.
TEST(PathTextCodecTest, TextFunctionsWalkTheFourBytesAsOneCharacter) {
  const base::TextValue name = kSa + "9";
  EXPECT_EQ(base::findText(name, "9"), 4u);
  EXPECT_EQ(base::findText(kGrinning, "1"), base::kNotFound);
  const base::TextValue folder = pathTextFromUtf16(u"ユーザー 사용자 \U0001F600");
  const base::TextValue file = platform::joinPath(platform::joinPath(folder, "程序数据"), name);
  EXPECT_EQ(platform::parentDirectory(platform::parentDirectory(file)), folder);
  EXPECT_EQ(gbkToUtf16(file), u"ユーザー 사용자 \U0001F600" + std::u16string(1, char16_t(platform::kPathSeparator)) +
                                  u"程序数据" + std::u16string(1, char16_t(platform::kPathSeparator)) + u"사9");
  EXPECT_TRUE(base::equalsTextIgnoreCase(pathTextFromUtf16(u"A사b"), pathTextFromUtf16(u"a사B")));
  EXPECT_FALSE(base::equalsTextIgnoreCase(kSa, kGrinning));
}

TEST(PathTextCodecTest, LoneSurrogatesAndBrokenUtf8BecomeTheReplacementCharacter) {
  EXPECT_EQ(gbkToUtf16(kReplacementCharacter), u"\uFFFD");
  EXPECT_EQ(pathTextFromUtf16(u"a\xD800" u"b"), "a" + kReplacementCharacter + "b");
  EXPECT_EQ(pathTextFromUtf16(u"\xDC00z\xD83D"), kReplacementCharacter + "z" + kReplacementCharacter);
  EXPECT_EQ(pathTextFromUtf16(u"\xD83D\xD83D\xDE00"), kReplacementCharacter + kGrinning);
  EXPECT_EQ(pathTextFromUtf8("a\xC0\xAF" "b"), "a" + kReplacementCharacter + kReplacementCharacter + "b");
  EXPECT_EQ(pathTextFromUtf8("\xF0\x9F\x98"), kReplacementCharacter);
}

// Four bytes of the right shape that number no character (below U+0080, a surrogate, past
// U+10FFFF), cut-off sequences, and sequences that do not start on a character boundary are
// read as GBK bytes, as before: U+FFFD for each byte that starts no character.
TEST(PathTextCodecTest, BytesThatAreNoFourByteCharacterReadAsBefore) {
  EXPECT_EQ(gbkToUtf16("\x81\x30\x81\x30"), u"\uFFFD0\uFFFD0");            // n = 0
  EXPECT_EQ(gbkToUtf16("\x85\x33\xF0\x36"), u"\uFFFD3\uFFFD6");            // n = 0xD800
  EXPECT_EQ(gbkToUtf16("\xFE\x39\xFE\x39"), u"\uFFFD9\uFFFD9");            // past U+10FFFF
  EXPECT_EQ(gbkToUtf16(kSa.substr(0, 3)), u"\uFFFD9\uFFFD");               // cut off
  EXPECT_EQ(gbkToUtf16("a" + kSa.substr(0, 3) + " "), u"a\uFFFD9\uFFFD ");  // cut off, then more
  // B0 84 is a GBK character: the four bytes behind its lead byte are no sequence of their own.
  const std::u16string misaligned = gbkToUtf16("\xB0" + kSa);
  EXPECT_EQ(misaligned.size(), 4u);
  EXPECT_EQ(misaligned.find(u'사'), std::u16string::npos);
  EXPECT_EQ(misaligned.substr(1), u"9\uFFFD4");
  // Sequences amid ordinary GBK text and bad bytes each read for themselves.
  EXPECT_EQ(gbkToUtf16("程序\x81 " + kSa + "\x81 数据" + kGrinning), u"程序\uFFFD 사\uFFFD 数据\U0001F600");
  // A byte 0xFF is taken for a lead byte like any other: the sequence behind it is out of step.
  EXPECT_EQ(gbkToUtf16("\xFF" + kSa).find(u'사'), std::u16string::npos);
}

}  // namespace
