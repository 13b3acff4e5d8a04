#pragma once
// Field values of a database on the command line (VALUE texts, UTF-8) and in JSON, by field type:
// text and memo as given; whole and floating numbers as decimals; logical 真/假/true/false/1/0;
// date-time a day number or a date text; bytes hexadecimal.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cli/json_writer.h"
#include "recorddb/field_value.h"

namespace cli {

// The value of a VALUE text for a field of the type code `type`; nothing when the text is not a
// value of that type (or the number lies outside the type's range).
std::optional<recorddb::FieldValue> parseFieldValue(std::int32_t type, std::string_view utf8);

// What a VALUE of the type looks like, for the message that rejects one.
std::string expectedValueText(std::int32_t type);

// A value read from a field: numbers as numbers (date-time as its day number), logical as
// true/false, text as a string, bytes as a lowercase hexadecimal string.
void writeFieldValue(JsonWriter& json, const recorddb::FieldValue& value);

}  // namespace cli
