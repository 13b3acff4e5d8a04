// Conversions between GBK, UTF-16 and UTF-8.

#include "platform/text_codec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using platform::gbkToUtf16;
using platform::gbkToUtf8;
using platform::utf16ToGbk;
using platform::utf16ToGbkKeeping;
using platform::utf16ToUtf8;
using platform::utf8ToGbk;
using platform::utf8ToUtf16;

std::string bytes(const char8_t* utf8) { return reinterpret_cast<const char*>(utf8); }

TEST(GbkTest, ChineseTextConvertsBothWays) {
  // The literals here are GBK: the sources are compiled to the GBK execution character set.
  EXPECT_EQ(std::string("程序数据"), "\xB3\xCC\xD0\xF2\xCA\xFD\xBE\xDD");
  EXPECT_EQ(gbkToUtf16("程序数据"), u"程序数据");
  EXPECT_EQ(utf16ToGbk(u"砚川·格簿录入台"), "砚川·格簿录入台");
  EXPECT_EQ(gbkToUtf8("录入 ok"), bytes(u8"录入 ok"));
  EXPECT_EQ(utf8ToGbk(bytes(u8"录入 ok")), "录入 ok");
  EXPECT_EQ(gbkToUtf16(""), u"");
  EXPECT_EQ(utf16ToGbk(u""), "");
}

TEST(GbkTest, SecondBytesThatLookLikeAsciiStayInTheirCharacter) {
  EXPECT_EQ(std::string("擻亅乕"), "\x94\\\x81|\x81[");
  EXPECT_EQ(gbkToUtf16("擻亅乕"), u"擻亅乕");
  EXPECT_EQ(utf16ToGbk(u"a擻\\亅|乕["), "a擻\\亅|乕[");
}

TEST(GbkTest, CodePage936HasTheEuroSignAndFullWidthForms) {
  EXPECT_EQ(gbkToUtf16("\x80"), u"\u20AC");
  EXPECT_EQ(utf16ToGbk(u"\u20AC"), "\x80");
  EXPECT_EQ(gbkToUtf16("\xA3\xC1\xA1\xA1"), u"Ａ\u3000");
}

TEST(GbkTest, InvalidBytesBecomeReplacementCharacters) {
  EXPECT_EQ(gbkToUtf16("a\xB3"), u"a\uFFFD");       // cut off after a lead byte
  EXPECT_EQ(gbkToUtf16("\x81\x20z"), u"\uFFFD z");  // a lead byte before no second byte
  EXPECT_EQ(gbkToUtf8("\x81\x20"), bytes(u8"\uFFFD "));
}

// Bytes that are no GBK character (a lone lead byte, 0xFF, a lead byte before a byte that cannot
// follow it, half a character at the end) show as U+FFFD, one per byte, and the text around them
// survives. Read back from a control that still shows them, they are the bytes given; a changed
// text converts as usual.
TEST(GbkTest, BytesThatAreNoCharacterShowAsReplacementsAndReadBackAsGiven) {
  const std::vector<std::string> hostile = {"\x81", "\xFF", "\xFF\xFF", "a\x81\x20" "b", "\x81\x7F",
                                            "名称\x81", "\x80\xFF\x81\x30\xA1", "\xFE\xFF\x81|"};
  for (const std::string& text : hostile) {
    SCOPED_TRACE(testing::PrintToString(text));
    const std::u16string shown = gbkToUtf16(text);
    EXPECT_NE(shown.find(u'\uFFFD'), std::u16string::npos);
    EXPECT_LE(shown.size(), text.size());
    EXPECT_NE(utf16ToGbk(shown), text);  // the plain way back loses them
    EXPECT_EQ(utf16ToGbkKeeping(shown, text), text);
    EXPECT_EQ(utf16ToGbkKeeping(shown + u"x", text), utf16ToGbk(shown) + "x");
  }
  EXPECT_EQ(gbkToUtf16("a\x81\x20" "b"), u"a\uFFFD b");
  EXPECT_EQ(utf16ToGbkKeeping(u"", ""), "");
  EXPECT_EQ(utf16ToGbkKeeping(u"名", "\xFF"), "名");
}

TEST(GbkTest, CharactersOutsideGbkBecomeQuestionMarks) {
  EXPECT_EQ(utf16ToGbk(u"a\u0E01b"), "a?b");  // Thai
  EXPECT_EQ(utf8ToGbk(bytes(u8"中\u0E01文")), "中?文");
  EXPECT_EQ(utf16ToGbk(u"\U0001F600"), "??");  // one per UTF-16 unit
  EXPECT_EQ(utf16ToGbk(u"a\xD800"
                       u"b\xDC00"),
            "a?b?");
}

// Every standard character of code page 936 (the user-defined areas aside, which Windows maps to
// private-use code points) converts to the same code point on every platform and back.
TEST(GbkTest, AllStandardDoubleByteCharactersMapAsOnWindows) {
  int count = 0;
  std::uint64_t digest = 0xcbf29ce484222325;  // FNV-1a over the bytes and the code point
  auto mix = [&](unsigned byte) { digest = (digest ^ byte) * 0x100000001b3; };
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      std::string gbk{static_cast<char>(lead), static_cast<char>(trail)};
      std::u16string utf16 = gbkToUtf16(gbk);
      if (utf16.size() != 1 || utf16[0] == 0xFFFD || (utf16[0] >= 0xE000 && utf16[0] <= 0xF8FF)) continue;
      ++count;
      for (unsigned byte : {lead, trail, utf16[0] & 0xFFu, unsigned(utf16[0] >> 8)}) mix(byte);
      EXPECT_EQ(utf16ToGbk(utf16), gbk) << std::hex << lead << trail;
    }
  }
  EXPECT_EQ(count, 21791);
  EXPECT_EQ(digest, 0x56b5153fadb6f1a1u);
}

TEST(Utf8Test, WellFormedTextConvertsBothWays) {
  std::u16string text = u"A\u00E9\u4E2D\U0001F600\uFFFD\U0010FFFF";
  std::string utf8 = bytes(u8"A\u00E9\u4E2D\U0001F600\uFFFD\U0010FFFF");
  EXPECT_EQ(utf16ToUtf8(text), utf8);
  EXPECT_EQ(utf8ToUtf16(utf8), text);
  EXPECT_EQ(utf8ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Utf8Test, EveryCodePointSurvivesTheRoundTrip) {
  std::u16string all;
  for (char32_t codePoint = 1; codePoint < 0xD800; ++codePoint) all += static_cast<char16_t>(codePoint);
  for (char32_t codePoint = 0xE000; codePoint < 0x10000; ++codePoint) all += static_cast<char16_t>(codePoint);
  for (char32_t codePoint = 0x10000; codePoint <= 0x10FFFF; codePoint += 0x3FF) {
    all += static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
    all += static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
  }
  EXPECT_EQ(utf8ToUtf16(utf16ToUtf8(all)), all);
}

TEST(Utf8Test, IllFormedSequencesBecomeOneReplacementPerBrokenPart) {
  EXPECT_EQ(utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");                      // overlong "/"
  EXPECT_EQ(utf8ToUtf16("\xE0\x80\xAF"), u"\uFFFD\uFFFD\uFFFD");            // overlong, three bytes
  EXPECT_EQ(utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");            // an encoded surrogate
  EXPECT_EQ(utf8ToUtf16("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // above U+10FFFF
  EXPECT_EQ(utf8ToUtf16("\xF5\xFF"), u"\uFFFD\uFFFD");
  EXPECT_EQ(utf8ToUtf16("\x80z"), u"\uFFFDz");          // a lone continuation byte
  EXPECT_EQ(utf8ToUtf16("\xE4\xB8z"), u"\uFFFDz");      // cut off, then more text
  EXPECT_EQ(utf8ToUtf16("z\xF0\x9F\x98"), u"z\uFFFD");  // cut off at the end
}

TEST(Utf8Test, LoneSurrogatesBecomeReplacementCharacters) {
  std::string replacement = bytes(u8"\uFFFD");
  EXPECT_EQ(utf16ToUtf8(u"a\xD83D"), "a" + replacement);
  EXPECT_EQ(utf16ToUtf8(u"\xDE00z"), replacement + "z");
  EXPECT_EQ(utf16ToUtf8(u"\xD83D\xD83D\xDE00"), replacement + bytes(u8"\U0001F600"));
}

}  // namespace
