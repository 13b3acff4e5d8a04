// The portable conversions: UTF-8 <-> UTF-16 by hand, GBK <-> UTF-8 through UTF-16, and the
// four-byte characters of path texts. GBK itself is the platform's (text_codec_gbk.h).

#include "platform/text_codec.h"

#include <optional>

#include "platform/text_codec_gbk.h"

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

void appendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

void appendUtf16(std::u16string& out, char32_t codePoint) {
  if (codePoint < 0x10000) {
    out += static_cast<char16_t>(codePoint);
  } else {
    codePoint -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
    out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
  }
}

// How a UTF-8 sequence starting with `lead` goes on: its total length and the range its second
// byte must lie in (which rules out overlong forms, surrogates and code points above U+10FFFF).
struct SequenceShape {
  int length;  // 0 for a byte that cannot start a sequence
  unsigned char secondMin;
  unsigned char secondMax;
  char32_t leadBits;
};

SequenceShape shapeOf(unsigned char lead) {
  if (lead < 0x80) return {1, 0, 0, lead};
  if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF, char32_t(lead & 0x1F)};
  if (lead == 0xE0) return {3, 0xA0, 0xBF, 0};
  if (lead == 0xED) return {3, 0x80, 0x9F, 0xD};
  if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF, char32_t(lead & 0x0F)};
  if (lead == 0xF0) return {4, 0x90, 0xBF, 0};
  if (lead == 0xF4) return {4, 0x80, 0x8F, 4};
  if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF, char32_t(lead & 0x07)};
  return {0, 0, 0, 0};
}

// Decodes the sequence at `position` and advances past it. An ill-formed sequence gives U+FFFD and
// advances past its longest well-formed start (at least one byte), so the next sequence survives.
char32_t decodeUtf8(std::string_view utf8, std::size_t& position) {
  auto byteAt = [&](std::size_t index) { return static_cast<unsigned char>(utf8[index]); };
  SequenceShape shape = shapeOf(byteAt(position));
  ++position;
  if (shape.length == 0) return kReplacement;
  char32_t codePoint = shape.leadBits;
  for (int index = 1; index < shape.length; ++index) {
    if (position >= utf8.size()) return kReplacement;
    unsigned char byte = byteAt(position);
    bool fits = index == 1 ? (byte >= shape.secondMin && byte <= shape.secondMax) : isContinuation(byte);
    if (!fits) return kReplacement;
    codePoint = (codePoint << 6) | (byte & 0x3F);
    ++position;
  }
  return codePoint;
}

// The code point at `position`, advancing past it; a lone surrogate gives U+FFFD.
char32_t decodeUtf16(std::u16string_view utf16, std::size_t& position) {
  char32_t unit = utf16[position++];
  if (isHighSurrogate(unit) && position < utf16.size() && isLowSurrogate(utf16[position])) {
    return 0x10000 + ((unit - 0xD800) << 10) + (utf16[position++] - 0xDC00);
  }
  return isHighSurrogate(unit) || isLowSurrogate(unit) ? kReplacement : unit;
}

// The four-byte form of path texts (text_codec.h).
namespace four_byte {

constexpr char32_t kFirstCodePoint = 0x80;
constexpr char32_t kLastCodePoint = 0x10FFFF;

bool isDigit(unsigned char byte) { return byte >= 0x30 && byte <= 0x39; }
bool isHighByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
bool numbersCharacter(char32_t number) {
  return number >= kFirstCodePoint && number <= kLastCodePoint && !isHighSurrogate(number) &&
         !isLowSurrogate(number);
}

void append(base::TextValue& out, char32_t codePoint) {
  out += static_cast<char>(0x81 + codePoint / 12600);
  out += static_cast<char>(0x30 + codePoint / 1260 % 10);
  out += static_cast<char>(0x81 + codePoint / 10 % 126);
  out += static_cast<char>(0x30 + codePoint % 10);
}

// The character whose four bytes start at `position`, if they do.
std::optional<char32_t> read(std::string_view text, std::size_t position) {
  if (text.size() - position < 4) return std::nullopt;
  auto byteAt = [&](std::size_t offset) { return static_cast<unsigned char>(text[position + offset]); };
  if (!isHighByte(byteAt(0)) || !isDigit(byteAt(1)) || !isHighByte(byteAt(2)) || !isDigit(byteAt(3))) {
    return std::nullopt;
  }
  char32_t number = (byteAt(0) - 0x81) * 12600 + (byteAt(1) - 0x30) * 1260 + (byteAt(2) - 0x81) * 10 +
                    (byteAt(3) - 0x30);
  if (!numbersCharacter(number)) return std::nullopt;
  return number;
}

}  // namespace four_byte

// See gbkHoldsEveryCharacter.
bool holdsEveryCharacter(std::string_view gbk, std::u16string_view utf16) {
  for (std::size_t position = 0; position < gbk.size(); position += base::characterSize(gbk, position)) {
    auto byte = static_cast<unsigned char>(gbk[position]);
    if (byte >= 0x80 && (!four_byte::isHighByte(byte) || base::characterSize(gbk, position) != 2)) return false;
  }
  return gbk_codec::toUtf16(gbk) == utf16;
}

// One character of a path text: GBK where GBK holds it, else the four-byte form.
void appendPathCharacter(base::TextValue& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
    return;
  }
  std::u16string character;
  appendUtf16(character, codePoint);
  base::TextValue gbk = gbk_codec::fromUtf16(character);
  if (holdsEveryCharacter(gbk, character)) {
    out += gbk;
  } else {
    four_byte::append(out, codePoint);
  }
}

}  // namespace

std::u16string gbkToUtf16(std::string_view gbk) {
  std::u16string out;
  std::size_t runStart = 0;
  std::size_t position = 0;
  while (position < gbk.size()) {
    if (std::optional<char32_t> character = four_byte::read(gbk, position)) {
      out += gbk_codec::toUtf16(gbk.substr(runStart, position - runStart));
      appendUtf16(out, *character);
      position += 4;
      runStart = position;
    } else {
      position += base::characterSize(gbk, position);
    }
  }
  if (runStart == 0) return gbk_codec::toUtf16(gbk);
  out += gbk_codec::toUtf16(gbk.substr(runStart));
  return out;
}

std::size_t characterSizeAsRead(std::string_view gbk, std::size_t position) {
  return four_byte::read(gbk, position) ? 4 : base::characterSize(gbk, position);
}

bool gbkHoldsEveryCharacter(std::string_view gbk, std::u16string_view utf16) {
  return holdsEveryCharacter(gbk, utf16);
}

base::TextValue utf16ToGbk(std::u16string_view utf16) { return gbk_codec::fromUtf16(utf16); }

base::TextValue pathTextFromUtf16(std::u16string_view utf16) {
  base::TextValue whole = gbk_codec::fromUtf16(utf16);
  if (holdsEveryCharacter(whole, utf16)) return whole;
  base::TextValue out;
  out.reserve(utf16.size() * 2);
  std::size_t position = 0;
  while (position < utf16.size()) appendPathCharacter(out, decodeUtf16(utf16, position));
  return out;
}

base::TextValue pathTextFromUtf8(std::string_view utf8) { return pathTextFromUtf16(utf8ToUtf16(utf8)); }

std::string utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 3);
  std::size_t position = 0;
  while (position < utf16.size()) appendUtf8(out, decodeUtf16(utf16, position));
  return out;
}

std::u16string utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t position = 0;
  while (position < utf8.size()) appendUtf16(out, decodeUtf8(utf8, position));
  return out;
}

base::TextValue utf16ToGbkKeeping(std::u16string_view utf16, std::string_view shown) {
  if (!shown.empty() && gbkToUtf16(shown) == utf16) return base::TextValue(shown);
  return utf16ToGbk(utf16);
}

std::string gbkToUtf8(std::string_view gbk) { return utf16ToUtf8(gbkToUtf16(gbk)); }

base::TextValue utf8ToGbk(std::string_view utf8) { return utf16ToGbk(utf8ToUtf16(utf8)); }

}  // namespace platform
