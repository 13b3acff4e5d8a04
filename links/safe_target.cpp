#include "links/safe_target.h"

#include <string_view>

namespace links {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";
// Besides letters and digits, what may stand unencoded in each part.
constexpr std::string_view kUnreserved = "-._~";
constexpr std::string_view kAddressCharacters = "-._~/:@!$&'()*+,;=%?#[]";

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

// Percent-encodes ASCII characters that are neither letters, digits nor in `allowed`. Double-byte
// characters pass whole: their second byte may look like ASCII ("\" is one) but is not.
base::TextValue percentEncoded(std::string_view text, std::string_view allowed) {
  base::TextValue encoded;
  encoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t size = base::characterSize(text, i);
    const char c = text[i];
    if (size > 1 || base::isLeadByte(c) || isAsciiLetter(c) || isAsciiDigit(c) || allowed.find(c) != std::string_view::npos) {
      encoded.append(text.substr(i, size));
    } else {
      const auto byte = static_cast<unsigned char>(c);
      encoded += '%';
      encoded += kHexDigits[byte >> 4];
      encoded += kHexDigits[byte & 0x0F];
    }
    i += size;
  }
  return encoded;
}

// Whether some single-byte character of `text` is a backslash or a control character.
bool holdsUnsafeCharacter(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t size = base::characterSize(text, i);
    if (size == 1 && (text[i] == '\\' || isControl(text[i]))) return true;
    i += size;
  }
  return false;
}

std::string_view trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Whether the text begins with a scheme ("name:"), not counting a host followed by a port
// ("example.com:8080/").
bool beginsWithOtherScheme(std::string_view text) {
  if (text.empty() || !isAsciiLetter(text[0])) return false;
  std::size_t colon = 1;
  while (colon < text.size() && (isAsciiLetter(text[colon]) || isAsciiDigit(text[colon]) ||
                                 text[colon] == '+' || text[colon] == '-' || text[colon] == '.')) {
    ++colon;
  }
  if (colon >= text.size() || text[colon] != ':') return false;
  std::size_t end = colon + 1;
  while (end < text.size() && isAsciiDigit(text[end])) ++end;
  const bool port = end > colon + 1 && (end == text.size() || text[end] == '/' || text[end] == '?' || text[end] == '#');
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
  const std::string_view text = trimmed(address);
  if (text.empty() || holdsUnsafeCharacter(text)) return std::nullopt;
  base::TextValue web;
  if (base::startsWithTextIgnoreCase(text, "http://") || base::startsWithTextIgnoreCase(text, "https://")) {
    web = base::TextValue(text);
  } else if (beginsWithOtherScheme(text)) {
    return std::nullopt;
  } else {
    web = "http://" + base::TextValue(text);
  }
  // The host begins right after "//": a letter, a digit, an IPv6 bracket or a non-ASCII character.
  const std::size_t host = web.find("//") + 2;
  if (host >= web.size()) return std::nullopt;
  const char first = web[host];
  if (!isAsciiLetter(first) && !isAsciiDigit(first) && first != '[' && !base::isLeadByte(first)) return std::nullopt;
  return percentEncoded(web, kAddressCharacters);
}

std::optional<base::TextValue> ftpAddressToOpen(const base::TextValue& user, const base::TextValue& password,
                                                const base::TextValue& server) {
  if (server.empty()) return std::nullopt;
  return "FTP://" + percentEncoded(user, kUnreserved) + ":" + percentEncoded(password, kUnreserved) + "@" +
         percentEncoded(server, kAddressCharacters);
}

}  // namespace links
