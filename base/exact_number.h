#pragma once
// Numbers as a person types them into a box, read strictly: the whole text must be the number
// (blanks around it and full-width forms allowed), and the value read must be the value typed. The
// lenient conversions of number_text.h read the leading number of any text instead.

#include <cstdint>
#include <string_view>

#include "base/text_value.h"

namespace base {

enum class NumberReading {
  Exact,        // the value is the number typed
  NotANumber,   // the text is not the kind of number asked for
  OutOfRange,   // a number, beyond what the value can hold
  TooPrecise,   // a number the value holds only rounded (`value` is the rounded number)
};

struct WholeNumber {
  NumberReading reading = NumberReading::NotANumber;
  std::int32_t value = 0;
};

// An optional sign and decimal digits, within the 32-bit range.
WholeNumber readWholeNumber(std::string_view text);

struct SingleNumber {
  NumberReading reading = NumberReading::NotANumber;
  float value = 0.0F;
};

// An optional sign, digits, and a decimal point with digits after it (no exponent), read into
// single precision. TooPrecise when the nearest single value reads back as another decimal
// (123456789 is kept as 123456790).
SingleNumber readSingleNumber(std::string_view text);

// The shortest decimal that reads back as exactly `value`, written out without an exponent: 1234567
// for 1234567, 0.1 for 0.1F, 123456790 for the single nearest 123456789. Infinities and NaN as
// "inf", "-inf" and "nan".
TextValue exactSingleText(float value);

}  // namespace base
