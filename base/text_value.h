#pragma once
// TextValue: the system's text, a GBK byte string. Lengths are byte counts; every search and split
// steps over a double-byte character (a byte of 0x80 or above and the byte after it) as one unit.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace base {

using TextValue = std::string;

inline constexpr std::size_t kNotFound = std::string_view::npos;

// True for a byte that starts a two-byte GBK character.
constexpr bool isLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

// Byte length of the character that starts at `position` (1 or 2; 1 for a lead byte at the end).
std::size_t characterSize(std::string_view text, std::size_t position);

// First occurrence of `needle` at or after byte `from` that starts on a character boundary.
std::size_t findText(std::string_view text, std::string_view needle, std::size_t from = 0);

// As findText, with the ASCII letters of single-byte characters compared regardless of case;
// double-byte characters are compared byte for byte.
std::size_t findTextIgnoreCase(std::string_view text, std::string_view needle, std::size_t from = 0);

// Equality with letters compared as by findTextIgnoreCase.
bool equalsTextIgnoreCase(std::string_view a, std::string_view b);
// Whether `text` begins with `prefix`, letters compared as by findTextIgnoreCase.
bool startsWithTextIgnoreCase(std::string_view text, std::string_view prefix);

// Splits at every separator, left to right. An empty text gives no pieces; an empty piece before
// the first separator or between two separators is kept; an empty piece after the last separator
// is dropped ("a||" gives {"a"}, "||a" gives {"", "a"}).
std::vector<TextValue> splitText(std::string_view text, std::string_view separator);

// splitText cut or padded with empty texts to exactly `count` pieces.
std::vector<TextValue> splitTextExactly(std::string_view text, std::string_view separator,
                                        std::size_t count);

// Replaces every occurrence (found as by findText) of `from` by `to`.
TextValue replaceAll(std::string_view text, std::string_view from, std::string_view to);

// Number of characters: a double-byte character and "\r\n" each count as one.
std::size_t countCharacters(std::string_view text);

// The first `count` characters (counted as by countCharacters).
TextValue cutToCharacters(std::string_view text, std::size_t count);

// The longest prefix of at most `maxBytes` bytes that does not end inside a double-byte character.
TextValue cutToBytes(std::string_view text, std::size_t maxBytes);

// Full-width GBK forms of ASCII (0xA3A1..0xA3FE) become the ASCII character with the same low seven
// bits, the ideographic space 0xA1A1 a space, 0xA1AB "~", 0xA1EE and 0xA1EF "*". Used before reading
// numbers and dates.
TextValue foldFullWidth(std::string_view text);
// Whether every byte is below 0x80 (nothing to fold, no double-byte character).
bool isAscii(std::string_view text);

}  // namespace base
