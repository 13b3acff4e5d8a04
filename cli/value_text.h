#pragma once
// Values as a user types them on the command line (UTF-8): logical values, decimal numbers, whole
// numbers within a range, and bytes as hexadecimal digits. Each gives nothing for a text that is
// not wholly such a value.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cli {

// 真/假, true/false, 1/0.
std::optional<bool> parseLogical(std::string_view utf8);

// An optional sign, digits with an optional decimal point, an optional exponent; nothing else.
std::optional<double> parseDecimal(std::string_view utf8);

// An optional sign and decimal digits, within [minimum, maximum].
std::optional<std::int64_t> parseWholeNumber(std::string_view utf8, std::int64_t minimum, std::int64_t maximum);

// Pairs of hexadecimal digits (either case); the empty text is no bytes.
std::optional<std::string> parseHex(std::string_view text);

// Bytes as lowercase hexadecimal digits, two per byte.
std::string hexText(std::string_view bytes);

}  // namespace cli
