#include "platform/hidden_characters.h"

#include <algorithm>

#include "platform/text_codec.h"

namespace platform {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// "<U+202E>": four hexadecimal digits, as every hidden character has.
std::string notation(char16_t unit) {
  std::string text = "<U+";
  for (int shift = 12; shift >= 0; shift -= 4) text += kHexDigits[(unit >> shift) & 0xF];
  return text + ">";
}

bool holdsHiddenCharacter(std::u16string_view text) { return std::any_of(text.begin(), text.end(), isHiddenCharacter); }

}  // namespace

bool isHiddenCharacter(char32_t c) {
  return c == 0x061C || (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) || c == 0x2060 ||
         (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

std::u16string withHiddenCharactersShown(std::u16string_view text) {
  std::u16string shown;
  shown.reserve(text.size());
  for (const char16_t unit : text) {
    if (!isHiddenCharacter(unit)) {
      shown += unit;
      continue;
    }
    for (const char c : notation(unit)) shown += static_cast<char16_t>(c);
  }
  return shown;
}

base::TextValue withHiddenCharactersShown(std::string_view gbk) {
  if (!holdsHiddenCharacter(gbkToUtf16(gbk))) return base::TextValue(gbk);
  base::TextValue shown;
  for (std::size_t position = 0; position < gbk.size();) {
    const std::string_view character = gbk.substr(position, characterSizeAsRead(gbk, position));
    const std::u16string utf16 = gbkToUtf16(character);
    if (utf16.size() == 1 && isHiddenCharacter(utf16[0])) shown += notation(utf16[0]);
    else shown += character;
    position += character.size();
  }
  return shown;
}

}  // namespace platform
