#include "cli/value_text.h"

#include <charconv>

#include "base/number_text.h"

namespace cli {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The number of digits at `position` onwards.
std::size_t digitsAt(std::string_view text, std::size_t position) {
  std::size_t end = position;
  while (end < text.size() && isDigit(text[end])) ++end;
  return end - position;
}

std::size_t signAt(std::string_view text, std::size_t position) {
  return position < text.size() && (text[position] == '+' || text[position] == '-') ? 1 : 0;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<bool> parseLogical(std::string_view utf8) {
  if (utf8 == "true" || utf8 == "1" || utf8 == "\xE7\x9C\x9F") return true;   // 真 in UTF-8
  if (utf8 == "false" || utf8 == "0" || utf8 == "\xE5\x81\x87") return false;  // 假 in UTF-8
  return std::nullopt;
}

std::optional<double> parseDecimal(std::string_view utf8) {
  std::size_t i = signAt(utf8, 0);
  std::size_t integerDigits = digitsAt(utf8, i);
  i += integerDigits;
  std::size_t fractionDigits = 0;
  if (i < utf8.size() && utf8[i] == '.') {
    fractionDigits = digitsAt(utf8, i + 1);
    i += 1 + fractionDigits;
  }
  if (integerDigits + fractionDigits == 0) return std::nullopt;
  if (i < utf8.size() && (utf8[i] == 'e' || utf8[i] == 'E')) {
    std::size_t exponentStart = i + 1 + signAt(utf8, i + 1);
    std::size_t exponentDigits = digitsAt(utf8, exponentStart);
    if (exponentDigits == 0) return std::nullopt;
    i = exponentStart + exponentDigits;
  }
  if (i != utf8.size()) return std::nullopt;
  return base::textToNumber(utf8);  // ASCII only here, so the system's own reading applies as is
}

std::optional<std::int64_t> parseWholeNumber(std::string_view utf8, std::int64_t minimum, std::int64_t maximum) {
  std::string_view digits = utf8;
  const bool plus = !digits.empty() && digits.front() == '+';
  if (plus) digits.remove_prefix(1);
  if (digits.empty() || (plus && !isDigit(digits.front()))) return std::nullopt;
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  if (value < minimum || value > maximum) return std::nullopt;
  return value;
}

std::optional<std::string> parseHex(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  bytes.reserve(text.size() / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    int high = hexDigit(text[i]);
    int low = hexDigit(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high * 16 + low);
  }
  return bytes;
}

std::string hexText(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (char byte : bytes) {
    auto value = static_cast<unsigned char>(byte);
    text += kDigits[value >> 4];
    text += kDigits[value & 0xF];
  }
  return text;
}

}  // namespace cli
