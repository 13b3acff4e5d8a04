#include "support/regex_text.h"

#include "base/text_value.h"
#include "platform/text_codec.h"

namespace support {

namespace {

// A lead byte and a second byte in the ranges of GBK's double-byte characters.
bool isDoubleByteCharacter(unsigned char lead, unsigned char trail) {
  return lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
}

// A code point a GBK double-byte character can stand for (never ASCII, a surrogate or U+FFFD).
bool isCharacterFromPair(char16_t unit) {
  return unit >= 0x80 && (unit < 0xD800 || unit > 0xDFFF) && unit != 0xFFFD;
}

}  // namespace

RegexText toRegexText(std::string_view gbk) {
  RegexText text;
  // The double-byte characters are converted in one go, each followed by a line feed, which no
  // character's second byte can be: the converter's output falls apart at the line feeds into one
  // piece per character, even where it stumbles over a sequence it cannot read.
  std::string pairs;
  std::vector<std::size_t> pairUnits;
  for (std::size_t position = 0; position < gbk.size();) {
    std::size_t size = base::characterSize(gbk, position);
    auto lead = static_cast<unsigned char>(gbk[position]);
    text.offsets.push_back(position);
    if (size == 1) {
      text.units += lead < 0x80 ? static_cast<wchar_t>(lead) : kUnreadableCharacter;
    } else {
      text.units += kUnreadableCharacter;
      if (isDoubleByteCharacter(lead, static_cast<unsigned char>(gbk[position + 1]))) {
        pairUnits.push_back(text.units.size() - 1);
        pairs.append(gbk.substr(position, 2));
        pairs += '\n';
      }
    }
    position += size;
  }
  text.offsets.push_back(gbk.size());
  if (pairs.empty()) return text;

  std::u16string decoded = platform::gbkToUtf16(pairs);
  std::size_t pieceStart = 0;
  for (std::size_t unit : pairUnits) {
    std::size_t pieceEnd = decoded.find(u'\n', pieceStart);
    if (pieceEnd == std::u16string::npos) break;
    if (pieceEnd - pieceStart == 1 && isCharacterFromPair(decoded[pieceStart])) {
      text.units[unit] = static_cast<wchar_t>(decoded[pieceStart]);
    }
    pieceStart = pieceEnd + 1;
  }
  return text;
}

}  // namespace support
