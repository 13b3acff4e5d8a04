#include "links/safe_target.h"

#include <string_view>

#include "platform/text_codec.h"

namespace links {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";
// Besides letters and digits, the ASCII characters that may stand unencoded in each part.
constexpr std::string_view kUnreserved = "-._~";
constexpr std::string_view kAddressCharacters = "-._~/:@!$&'()*+,;=%?#[]";

bool isAsciiLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char32_t c) { return c >= '0' && c <= '9'; }
bool isControl(char32_t c) { return c < 0x20 || c == 0x7F; }
char32_t asciiLower(char32_t c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

bool mayStand(char16_t unit, std::string_view allowed) {
  return isAsciiLetter(unit) || isAsciiDigit(unit) ||
         (unit < 0x80 && allowed.find(static_cast<char>(unit)) != std::string_view::npos);
}

// `text` in ASCII alone: every run of UTF-16 units that may not stand (every character that is not
// ASCII among them) becomes the percent-escapes of its UTF-8 bytes, as browsers read them. The text
// is what the shell gets (gbkToUtf16), so a byte that starts no GBK character is U+FFFD there and
// the ASCII byte after it is judged on its own, as the shell's reader sees it.
base::TextValue percentEncoded(std::u16string_view text, std::string_view allowed) {
  base::TextValue encoded;
  encoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (mayStand(text[i], allowed)) {
      encoded += static_cast<char>(text[i++]);
      continue;
    }
    std::size_t end = i + 1;
    while (end < text.size() && !mayStand(text[end], allowed)) ++end;
    for (const char byte : platform::utf16ToUtf8(text.substr(i, end - i))) {
      const auto value = static_cast<unsigned char>(byte);
      encoded += '%';
      encoded += kHexDigits[value >> 4];
      encoded += kHexDigits[value & 0x0F];
    }
    i = end;
  }
  return encoded;
}

base::TextValue percentEncodedPiece(const base::TextValue& piece, std::string_view allowed) {
  return percentEncoded(platform::gbkToUtf16(piece), allowed);
}

bool holdsUnsafeCharacter(std::u16string_view text) {
  for (const char16_t c : text) {
    if (c == u'\\' || isControl(c)) return true;
  }
  return false;
}

std::u16string_view trimmed(std::u16string_view text) {
  constexpr std::u16string_view kBlanks = u" \t\r\n";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::u16string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool startsWithIgnoringCase(std::u16string_view text, std::string_view asciiPrefix) {
  if (text.size() < asciiPrefix.size()) return false;
  for (std::size_t i = 0; i < asciiPrefix.size(); ++i) {
    if (asciiLower(text[i]) != asciiLower(static_cast<char32_t>(asciiPrefix[i]))) return false;
  }
  return true;
}

// Whether the text begins with a scheme ("name:"), not counting a host followed by a port
// ("example.com:8080/").
bool beginsWithOtherScheme(std::u16string_view text) {
  if (text.empty() || !isAsciiLetter(text[0])) return false;
  std::size_t colon = 1;
  while (colon < text.size() && (isAsciiLetter(text[colon]) || isAsciiDigit(text[colon]) ||
                                 text[colon] == u'+' || text[colon] == u'-' || text[colon] == u'.')) {
    ++colon;
  }
  if (colon >= text.size() || text[colon] != u':') return false;
  std::size_t end = colon + 1;
  while (end < text.size() && isAsciiDigit(text[end])) ++end;
  const bool port =
      end > colon + 1 && (end == text.size() || text[end] == u'/' || text[end] == u'?' || text[end] == u'#');
  return !port;
}

}  // namespace

bool isHostName(const base::TextValue& text) {
  const std::size_t colon = text.find(':');
  const std::string_view name = std::string_view(text).substr(0, colon);
  if (name.empty() || !(isAsciiLetter(name[0]) || isAsciiDigit(name[0]))) return false;
  for (char c : name) {
    if (!isAsciiLetter(c) && !isAsciiDigit(c) && c != '.' && c != '-') return false;
  }
  if (colon == base::TextValue::npos) return true;
  const std::string_view port = std::string_view(text).substr(colon + 1);
  if (port.empty() || port.size() > 5) return false;
  for (char c : port) {
    if (!isAsciiDigit(c)) return false;
  }
  return true;
}

std::optional<base::TextValue> webAddressToOpen(const base::TextValue& address) {
  const std::u16string characters = platform::gbkToUtf16(address);
  const std::u16string_view text = trimmed(characters);
  if (text.empty() || holdsUnsafeCharacter(text)) return std::nullopt;
  std::u16string web;
  if (startsWithIgnoringCase(text, "http://") || startsWithIgnoringCase(text, "https://")) {
    web = text;
  } else if (beginsWithOtherScheme(text)) {
    return std::nullopt;
  } else {
    web = u"http://" + std::u16string(text);
  }
  // The host begins right after "//": a letter, a digit, an IPv6 bracket or a non-ASCII character.
  const std::size_t host = web.find(u"//") + 2;
  if (host >= web.size()) return std::nullopt;
  const char16_t first = web[host];
  if (!isAsciiLetter(first) && !isAsciiDigit(first) && first != u'[' && first < 0x80) return std::nullopt;
  return percentEncoded(web, kAddressCharacters);
}

std::optional<base::TextValue> ftpAddressToOpen(const base::TextValue& user, const base::TextValue& password,
                                                const base::TextValue& server) {
  if (server.empty()) return std::nullopt;
  return "FTP://" + percentEncodedPiece(user, kUnreserved) + ":" + percentEncodedPiece(password, kUnreserved) + "@" +
         percentEncodedPiece(server, kAddressCharacters);
}

}  // namespace links
