#include "base/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace base {
namespace {

constexpr char kTrue[] = "真";
constexpr char kFalse[] = "假";

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::size_t skipBlanks(std::string_view text, std::size_t i) {
  while (i < text.size() && isBlank(text[i])) ++i;
  return i;
}

std::size_t skipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && isDigit(text[i])) ++i;
  return i;
}

// The extent of the leading decimal number of an already folded text: [begin, end), empty when
// there is none.
std::string_view leadingDecimalNumber(std::string_view text) {
  std::size_t begin = skipBlanks(text, 0);
  std::size_t i = begin;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t integerEnd = skipDigits(text, i);
  std::size_t end = integerEnd;
  bool anyDigits = integerEnd > i;
  if (end < text.size() && text[end] == '.') {
    std::size_t fractionEnd = skipDigits(text, end + 1);
    if (fractionEnd > end + 1 || anyDigits) {
      anyDigits = anyDigits || fractionEnd > end + 1;
      end = fractionEnd;
    }
  }
  if (!anyDigits) return {};
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    std::size_t j = end + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    std::size_t exponentEnd = skipDigits(text, j);
    if (exponentEnd > j) end = exponentEnd;
  }
  return text.substr(begin, end - begin);
}

}  // namespace

std::int32_t textToInteger(std::string_view text) {
  TextValue folded;
  const std::string_view s = isAscii(text) ? text : std::string_view(folded = foldFullWidth(text));
  std::size_t i = skipBlanks(s, 0);
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  std::int64_t magnitude = 0;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  for (; i < s.size() && isDigit(s[i]); ++i) {
    magnitude = magnitude * 10 + (s[i] - '0');
    if (magnitude > kLimit) magnitude = kLimit;
  }
  std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) value = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

double textToNumber(std::string_view text) {
  TextValue folded;
  std::string_view number = leadingDecimalNumber(isAscii(text) ? text : std::string_view(folded = foldFullWidth(text)));
  if (number.empty()) return 0.0;
  if (number.front() == '+') number.remove_prefix(1);
  double value = 0.0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    // Either an overflow or an underflow; the exponent's sign tells which.
    std::size_t e = number.find_first_of("eE");
    bool underflow = e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
    bool negative = number.front() == '-';
    if (underflow) return negative ? -0.0 : 0.0;
    return negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
  }
  if (error != std::errc()) return 0.0;
  return value;
}

float textToSingle(std::string_view text) {
  double value = textToNumber(text);
  constexpr double kMax = std::numeric_limits<float>::max();
  if (value > kMax) return std::numeric_limits<float>::max();
  if (value < -kMax) return -std::numeric_limits<float>::max();
  return static_cast<float>(value);
}

TextValue formatGeneral(double value, int significantDigits) {
  char buffer[64];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general,
                                    significantDigits);
  if (error != std::errc()) return "0";
  return TextValue(buffer, end);
}

TextValue formatInteger(std::int64_t value) {
  char buffer[24];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  (void)error;
  return TextValue(buffer, end);
}

TextValue logicalText(bool value) { return value ? kTrue : kFalse; }

bool isTrueText(std::string_view text) { return text == kTrue; }

}  // namespace base
