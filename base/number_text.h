#pragma once
// Conversions between texts and numbers, shared by every part of the system.

#include <cstdint>
#include <string_view>

#include "base/text_value.h"

namespace base {

// Full-width forms folded first (foldFullWidth); then optional leading blanks, an optional sign and
// the decimal digits up to the first other character. No digits gives 0; values beyond the 32-bit
// range saturate at its ends.
std::int32_t textToInteger(std::string_view text);

// Full-width forms folded first; then the leading decimal number: optional blanks, optional sign,
// digits, optional decimal point and digits, optional exponent. No number gives 0; a value beyond
// the double range saturates at the largest finite double of its sign.
double textToNumber(std::string_view text);

// textToNumber narrowed to single precision, saturating at the largest finite float.
float textToSingle(std::string_view text);

// printf's "%.<digits>g" in the C locale, independent of the C runtime ("1.23457e+06", never "e+006").
TextValue formatGeneral(double value, int significantDigits);

// "%.13g": doubles in settings and in display texts of double fields.
inline TextValue formatDouble(double value) { return formatGeneral(value, 13); }

// "%.6g": single-precision values.
inline TextValue formatSingle(float value) { return formatGeneral(value, 6); }

TextValue formatInteger(std::int64_t value);

// Logical values as text: "真" and "假". Only the exact text "真" reads as true.
TextValue logicalText(bool value);
bool isTrueText(std::string_view text);

}  // namespace base
