#include "base/exact_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace base {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The text folded to ASCII and without the blanks around it.
std::string_view trimmedAscii(std::string_view text, TextValue& scratch) {
  std::string_view s = isAscii(text) ? text : std::string_view(scratch = foldFullWidth(text));
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// [sign] digits [. digits], at least one digit: the extent without a leading "+", or empty.
std::string_view plainDecimal(std::string_view s, bool allowPoint) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const std::size_t digitsStart = i;
  while (i < s.size() && isDigit(s[i])) ++i;
  std::size_t digits = i - digitsStart;
  if (allowPoint && i < s.size() && s[i] == '.') {
    const std::size_t fractionStart = ++i;
    while (i < s.size() && isDigit(s[i])) ++i;
    digits += i - fractionStart;
  }
  if (digits == 0 || i != s.size()) return {};
  return s.front() == '+' ? s.substr(1) : s;
}

// A plain decimal's value written one way: no leading or trailing zeros, no point when there is no
// fraction, "0" for zero whatever its sign. Two decimals are the same number when these agree.
TextValue canonicalDecimal(std::string_view number) {
  const bool negative = !number.empty() && number.front() == '-';
  if (negative) number.remove_prefix(1);
  const std::size_t point = number.find('.');
  std::string_view whole = number.substr(0, point);
  std::string_view fraction = point == std::string_view::npos ? std::string_view() : number.substr(point + 1);
  while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
  if (whole.empty() && fraction.empty()) return "0";
  TextValue canonical = negative ? "-" : "";
  canonical += whole.empty() ? "0" : whole;
  if (!fraction.empty()) canonical.append(".").append(fraction);
  return canonical;
}

}  // namespace

WholeNumber readWholeNumber(std::string_view text) {
  TextValue scratch;
  const std::string_view number = plainDecimal(trimmedAscii(text, scratch), false);
  if (number.empty()) return {};
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) return {NumberReading::OutOfRange, 0};
  return {NumberReading::Exact, value};
}

SingleNumber readSingleNumber(std::string_view text) {
  TextValue scratch;
  const std::string_view number = plainDecimal(trimmedAscii(text, scratch), true);
  if (number.empty()) return {};
  float value = 0.0F;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)end;
  // Beyond the largest single value, or so small that it would be kept as zero.
  if (error == std::errc::result_out_of_range) return {NumberReading::OutOfRange, 0.0F};
  const bool exact = canonicalDecimal(exactSingleText(value)) == canonicalDecimal(number);
  return {exact ? NumberReading::Exact : NumberReading::TooPrecise, value};
}

TextValue exactSingleText(float value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  // The shortest digits that read back as the value, written out without an exponent.
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  if (error != std::errc()) return "0";
  const std::string_view scientific(buffer, static_cast<std::size_t>(end - buffer));
  const std::size_t e = scientific.find('e');
  std::string_view mantissa = scientific.substr(0, e);
  TextValue text = mantissa.front() == '-' ? "-" : "";
  if (!text.empty()) mantissa.remove_prefix(1);
  TextValue digits;
  for (char c : mantissa) {
    if (c != '.') digits.push_back(c);
  }
  int exponent = 0;
  const std::string_view exponentText = scientific.substr(e + 1);
  (void)std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
                        exponentText.data() + exponentText.size(), exponent);
  const long wholeDigits = 1L + exponent;  // digits before the decimal point
  const auto size = static_cast<long>(digits.size());
  if (wholeDigits <= 0) return text + "0." + TextValue(static_cast<std::size_t>(-wholeDigits), '0') + digits;
  if (wholeDigits >= size) return text + digits + TextValue(static_cast<std::size_t>(wholeDigits - size), '0');
  return text + digits.substr(0, static_cast<std::size_t>(wholeDigits)) + "." +
         digits.substr(static_cast<std::size_t>(wholeDigits));
}

}  // namespace base
