#include "cli/db_values.h"

#include <limits>

#include "base/date_time.h"
#include "cli/text_encoding.h"
#include "cli/value_text.h"
#include "recorddb/record_database.h"

namespace cli {
namespace {

using recorddb::FieldValue;

template <typename T>
std::optional<std::int64_t> wholeNumberOf(std::string_view utf8) {
  return parseWholeNumber(utf8, std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
}

// A day number within the kept range, else a date text; a text that reads as no date is refused.
std::optional<double> dateTimeOf(std::string_view utf8) {
  if (std::optional<double> day = parseDecimal(utf8)) {
    if (*day >= base::kMinDateTime && *day <= base::kMaxDateTime) return day;
  }
  base::DateTimeValue value = base::textToDateTime(toSystemText(utf8));
  if (value == base::kEmptyDateTime) return std::nullopt;  // also what unreadable texts give
  return value;
}

}  // namespace

std::optional<FieldValue> parseFieldValue(std::int32_t type, std::string_view utf8) {
  switch (type) {
    case recorddb::kTypeByte:
      if (auto v = wholeNumberOf<std::uint8_t>(utf8)) return FieldValue::byte(static_cast<std::uint8_t>(*v));
      break;
    case recorddb::kTypeShort:
      if (auto v = wholeNumberOf<std::int16_t>(utf8)) return FieldValue::shortInteger(static_cast<std::int16_t>(*v));
      break;
    case recorddb::kTypeInteger:
      if (auto v = wholeNumberOf<std::int32_t>(utf8)) return FieldValue::integer(static_cast<std::int32_t>(*v));
      break;
    case recorddb::kTypeLong:
      if (auto v = wholeNumberOf<std::int64_t>(utf8)) return FieldValue::longInteger(*v);
      break;
    case recorddb::kTypeSubroutine:
      if (auto v = wholeNumberOf<std::uint32_t>(utf8)) return FieldValue::subroutine(static_cast<std::uint32_t>(*v));
      break;
    case recorddb::kTypeSingle:
      if (auto v = parseDecimal(utf8)) return FieldValue::single(static_cast<float>(*v));
      break;
    case recorddb::kTypeDouble:
      if (auto v = parseDecimal(utf8)) return FieldValue::doubleFloat(*v);
      break;
    case recorddb::kTypeLogical:
      if (auto v = parseLogical(utf8)) return FieldValue::logical(*v);
      break;
    case recorddb::kTypeDateTime:
      if (auto v = dateTimeOf(utf8)) return FieldValue::dateTime(*v);
      break;
    case recorddb::kTypeText:
    case recorddb::kTypeMemo:
      return FieldValue::text(toSystemText(utf8));
    case recorddb::kTypeBytes:
      if (auto v = parseHex(utf8)) return FieldValue::bytes(std::move(*v));
      break;
    default:
      break;
  }
  return std::nullopt;
}

std::string expectedValueText(std::int32_t type) {
  switch (type) {
    case recorddb::kTypeByte: return "a whole number from 0 to 255";
    case recorddb::kTypeShort: return "a whole number from -32768 to 32767";
    case recorddb::kTypeInteger: return "a whole number from -2147483648 to 2147483647";
    case recorddb::kTypeLong: return "a whole number of 64 bits";
    case recorddb::kTypeSubroutine: return "a whole number from 0 to 4294967295";
    case recorddb::kTypeSingle:
    case recorddb::kTypeDouble: return "a decimal number";
    case recorddb::kTypeLogical: return "\xE7\x9C\x9F, \xE5\x81\x87, true, false, 1 or 0";  // 真, 假
    case recorddb::kTypeDateTime: return "a day number or a date";
    case recorddb::kTypeBytes: return "pairs of hexadecimal digits";
    default: return "a text";
  }
}

void writeFieldValue(JsonWriter& json, const FieldValue& value) {
  switch (value.kind()) {
    case recorddb::ValueKind::Empty: json.null(); break;
    case recorddb::ValueKind::Byte:
    case recorddb::ValueKind::Short:
    case recorddb::ValueKind::Integer:
    case recorddb::ValueKind::Long:
    case recorddb::ValueKind::Subroutine: json.number(value.asInteger()); break;
    case recorddb::ValueKind::Single: json.number(static_cast<float>(value.asReal())); break;
    case recorddb::ValueKind::Double:
    case recorddb::ValueKind::DateTime: json.number(value.asReal()); break;
    case recorddb::ValueKind::Logical: json.boolean(value.asLogical()); break;
    case recorddb::ValueKind::Text: json.string(toUtf8(value.asText())); break;
    case recorddb::ValueKind::Bytes: json.string(hexText(value.asText())); break;
  }
}

}  // namespace cli
