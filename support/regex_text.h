#pragma once
// Texts as the regular-expression engine sees them: one wide unit per character of the GBK text, so
// that a pattern's Chinese characters match whole characters and the bytes of a double-byte
// character (whose second byte may be "\", "|", "[" or a letter) never act as pattern syntax or
// match on their own. Units are the characters' Unicode code points; a byte sequence that is no
// GBK character becomes U+FFFD. The byte offset of every unit is kept, so what the engine finds
// is cut from the original bytes, unchanged.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace support {

// What a byte sequence that is no GBK character stands for.
inline constexpr wchar_t kUnreadableCharacter = 0xFFFD;

struct RegexText {
  std::wstring units;
  std::vector<std::size_t> offsets;  // the byte offset of each unit, then the text's length

  // The bytes of units [first, last) of `gbk`, the text this was made from.
  std::string_view bytes(std::string_view gbk, std::size_t first, std::size_t last) const {
    return gbk.substr(offsets[first], offsets[last] - offsets[first]);
  }
};

RegexText toRegexText(std::string_view gbk);

}  // namespace support
