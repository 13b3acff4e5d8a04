// Direction controls and zero-width characters shown as "<U+XXXX>": in UTF-16 texts as they are, in
// GBK texts (which GBK cannot hold them in) in the four-byte form that gbkToUtf16 reads.

#include "platform/hidden_characters.h"

#include <gtest/gtest.h>

#include "platform/text_codec.h"

namespace platform {
namespace {

TEST(HiddenCharactersTest, EveryHiddenCharacterIsShownInUtf16AndInGbkTexts) {
  const std::pair<char16_t, const char*> hidden[] = {
      {0x200E, "<U+200E>"}, {0x200F, "<U+200F>"}, {0x202A, "<U+202A>"}, {0x202B, "<U+202B>"}, {0x202C, "<U+202C>"},
      {0x202D, "<U+202D>"}, {0x202E, "<U+202E>"}, {0x2066, "<U+2066>"}, {0x2067, "<U+2067>"}, {0x2068, "<U+2068>"},
      {0x2069, "<U+2069>"}, {0x061C, "<U+061C>"}, {0x200B, "<U+200B>"}, {0x200C, "<U+200C>"}, {0x200D, "<U+200D>"},
      {0x2060, "<U+2060>"}, {0xFEFF, "<U+FEFF>"}};
  for (const auto& [unit, shown] : hidden) {
    const std::u16string character(1, unit);
    const std::u16string shownUtf16(shown, shown + std::char_traits<char>::length(shown));
    EXPECT_EQ(withHiddenCharactersShown(u"ab" + character + u"例"), u"ab" + shownUtf16 + u"例") << shown;
    // A control's text keeps none of them in GBK; a stored value holds one only in the four-byte form.
    EXPECT_EQ(utf16ToGbk(character), "?") << shown;
    const base::TextValue fourBytes = pathTextFromUtf16(character);
    ASSERT_EQ(gbkToUtf16(fourBytes), character) << shown;
    EXPECT_EQ(withHiddenCharactersShown("例\x81 " + fourBytes + "x"), "例\x81 " + std::string(shown) + "x");
  }
  // Everything else stays byte for byte: GBK, bytes that are no character, other four-byte characters.
  const base::TextValue plain = "例\x81 a" + pathTextFromUtf16(u"\uAC00\u2028");
  EXPECT_EQ(withHiddenCharactersShown(plain), plain);
  EXPECT_EQ(withHiddenCharactersShown(u"例\uFFFD\u2028"), u"例\uFFFD\u2028");
}

}  // namespace
}  // namespace platform
