// The portable conversions: UTF-8 <-> UTF-16 by hand, and GBK <-> UTF-8 through UTF-16. The GBK
// <-> UTF-16 conversions belong to the platform (win32/ or posix/text_codec_gbk.cpp).

#include "platform/text_codec.h"

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

}  // namespace

std::string utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 3);
  for (std::size_t position = 0; position < utf16.size(); ++position) {
    char32_t unit = utf16[position];
    if (isHighSurrogate(unit) && position + 1 < utf16.size() && isLowSurrogate(utf16[position + 1])) {
      char32_t low = utf16[++position];
      appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
    } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
      appendUtf8(out, kReplacement);
    } else {
      appendUtf8(out, unit);
    }
  }
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
