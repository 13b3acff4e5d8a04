#pragma once
// FieldValue: a typed value read from or written to a database field. Its kind follows the field
// type: byte, short, integer, long, single, double, logical, date-time, subroutine reference,
// text (text and memo fields) or bytes.

#include <cstdint>
#include <string>

#include "base/date_time.h"
#include "base/text_value.h"

namespace recorddb {

enum class ValueKind {
  Empty,  // "no value": writing it writes the field's empty value
  Byte,
  Short,
  Integer,
  Long,
  Single,
  Double,
  Logical,
  DateTime,
  Subroutine,
  Text,
  Bytes,
};

// Byte, short, integer, long, single and double.
bool isNumericKind(ValueKind kind);

class FieldValue {
 public:
  FieldValue() = default;

  static FieldValue byte(std::uint8_t value) { return FieldValue(ValueKind::Byte, value, 0); }
  static FieldValue shortInteger(std::int16_t value) { return FieldValue(ValueKind::Short, value, 0); }
  static FieldValue integer(std::int32_t value) { return FieldValue(ValueKind::Integer, value, 0); }
  static FieldValue longInteger(std::int64_t value) { return FieldValue(ValueKind::Long, value, 0); }
  static FieldValue single(float value) { return FieldValue(ValueKind::Single, 0, value); }
  static FieldValue doubleFloat(double value) { return FieldValue(ValueKind::Double, 0, value); }
  static FieldValue logical(bool value) { return FieldValue(ValueKind::Logical, value ? 1 : 0, 0); }
  static FieldValue dateTime(base::DateTimeValue value) { return FieldValue(ValueKind::DateTime, 0, value); }
  static FieldValue subroutine(std::uint32_t value) { return FieldValue(ValueKind::Subroutine, value, 0); }
  static FieldValue text(base::TextValue value) { return FieldValue(ValueKind::Text, std::move(value)); }
  static FieldValue bytes(std::string value) { return FieldValue(ValueKind::Bytes, std::move(value)); }

  ValueKind kind() const { return kind_; }
  // Integer kinds (and logical) as a 64-bit integer; single, double and date-time truncated.
  std::int64_t asInteger() const;
  // Every numeric kind (and date-time) as a double.
  double asReal() const;
  bool asLogical() const { return asInteger() != 0; }
  // Text and bytes values.
  const std::string& asText() const { return text_; }
  // Moves the text out of a text or bytes value, leaving its text empty.
  std::string takeText() { return std::move(text_); }

  bool operator==(const FieldValue&) const = default;

 private:
  FieldValue(ValueKind kind, std::int64_t integer, double real) : kind_(kind), integer_(integer), real_(real) {}
  FieldValue(ValueKind kind, std::string text) : kind_(kind), text_(std::move(text)) {}

  ValueKind kind_ = ValueKind::Empty;
  std::int64_t integer_ = 0;
  double real_ = 0;
  std::string text_;
};

}  // namespace recorddb
