#include "recorddb/field_codec.h"

#include <algorithm>
#include <cstring>

#include "base/date_time.h"
#include "recorddb/error_codes.h"
#include "recorddb/record_database.h"

namespace recorddb {

ValueKind valueKindOf(std::int32_t type) {
  switch (type) {
    case kTypeByte: return ValueKind::Byte;
    case kTypeShort: return ValueKind::Short;
    case kTypeInteger: return ValueKind::Integer;
    case kTypeLong: return ValueKind::Long;
    case kTypeSingle: return ValueKind::Single;
    case kTypeDouble: return ValueKind::Double;
    case kTypeLogical: return ValueKind::Logical;
    case kTypeDateTime: return ValueKind::DateTime;
    case kTypeSubroutine: return ValueKind::Subroutine;
    case kTypeText:
    case kTypeMemo: return ValueKind::Text;
    case kTypeBytes: return ValueKind::Bytes;
    default: return ValueKind::Empty;
  }
}

FieldValue emptyValue(std::int32_t type) {
  switch (valueKindOf(type)) {
    case ValueKind::Byte: return FieldValue::byte(0);
    case ValueKind::Short: return FieldValue::shortInteger(0);
    case ValueKind::Integer: return FieldValue::integer(0);
    case ValueKind::Long: return FieldValue::longInteger(0);
    case ValueKind::Single: return FieldValue::single(0);
    case ValueKind::Double: return FieldValue::doubleFloat(0);
    case ValueKind::Logical: return FieldValue::logical(false);
    case ValueKind::DateTime: return FieldValue::dateTime(0);
    case ValueKind::Subroutine: return FieldValue::subroutine(0);
    case ValueKind::Text: return FieldValue::text({});
    case ValueKind::Bytes: return FieldValue::bytes({});
    default: return {};
  }
}

FieldValue decodeField(const format::FieldDescriptor& field, const char* bytes) {
  switch (field.type) {
    case kTypeByte: return FieldValue::byte(static_cast<std::uint8_t>(bytes[0]));
    case kTypeShort:
      return FieldValue::shortInteger(static_cast<std::int16_t>(static_cast<unsigned char>(bytes[0]) |
                                                                (static_cast<unsigned char>(bytes[1]) << 8)));
    case kTypeInteger: return FieldValue::integer(format::readInt32(bytes));
    case kTypeLong: return FieldValue::longInteger(format::readInt64(bytes));
    case kTypeSingle: {
      std::int32_t bits = format::readInt32(bytes);
      float value;
      std::memcpy(&value, &bits, sizeof value);
      return FieldValue::single(value);
    }
    case kTypeDouble: return FieldValue::doubleFloat(format::readDouble(bytes));
    case kTypeLogical: return FieldValue::logical(bytes[0] != 0);
    case kTypeDateTime: return FieldValue::dateTime(base::clampDateTime(format::readDouble(bytes)));
    case kTypeSubroutine: return FieldValue::subroutine(static_cast<std::uint32_t>(format::readInt32(bytes)));
    case kTypeText: {
      const void* end = std::memchr(bytes, '\0', static_cast<std::size_t>(field.width));
      const std::size_t length = end ? static_cast<std::size_t>(static_cast<const char*>(end) - bytes)
                                     : static_cast<std::size_t>(field.width);
      return FieldValue::text(std::string(bytes, length));
    }
    default: return emptyValue(field.type);
  }
}

FieldValue decodeAuxValue(const format::FieldDescriptor& field, std::string value) {
  if (field.type == kTypeBytes) return FieldValue::bytes(std::move(value));
  value.resize(std::min(value.size(), value.find('\0')));
  return FieldValue::text(std::move(value));
}

int convertForField(const format::FieldDescriptor& field, const FieldValue& value, FieldValue& converted) {
  const ValueKind target = valueKindOf(field.type);
  if (value.kind() == ValueKind::Empty) {
    converted = emptyValue(field.type);
    return kDbOk;
  }
  if (value.kind() == target) {
    converted = value;
    return kDbOk;
  }
  if (!isNumericKind(value.kind()) || !isNumericKind(target)) return kDbValueKindMismatch;
  // Integers keep their low-order bits; floating values are truncated toward zero first.
  const std::int64_t integer = value.asInteger();
  switch (target) {
    case ValueKind::Byte: converted = FieldValue::byte(static_cast<std::uint8_t>(integer)); break;
    case ValueKind::Short: converted = FieldValue::shortInteger(static_cast<std::int16_t>(integer)); break;
    case ValueKind::Integer: converted = FieldValue::integer(static_cast<std::int32_t>(integer)); break;
    case ValueKind::Long: converted = FieldValue::longInteger(integer); break;
    case ValueKind::Single: converted = FieldValue::single(static_cast<float>(value.asReal())); break;
    case ValueKind::Double: converted = FieldValue::doubleFloat(value.asReal()); break;
    default: return kDbValueKindMismatch;
  }
  return kDbOk;
}

void encodeField(const format::FieldDescriptor& field, const FieldValue& value, char* out) {
  std::memset(out, 0, static_cast<std::size_t>(field.width));
  switch (field.type) {
    case kTypeByte:
    case kTypeLogical:
      out[0] = static_cast<char>(field.type == kTypeLogical ? (value.asInteger() != 0 ? 1 : 0) : value.asInteger());
      break;
    case kTypeShort: {
      auto bits = static_cast<std::uint16_t>(value.asInteger());
      out[0] = static_cast<char>(bits & 0xFF);
      out[1] = static_cast<char>(bits >> 8);
      break;
    }
    case kTypeInteger:
    case kTypeSubroutine: format::writeInt32(out, static_cast<std::int32_t>(value.asInteger())); break;
    case kTypeLong: format::writeInt64(out, value.asInteger()); break;
    case kTypeSingle: {
      auto single = static_cast<float>(value.asReal());
      std::int32_t bits;
      std::memcpy(&bits, &single, sizeof bits);
      format::writeInt32(out, bits);
      break;
    }
    case kTypeDouble:
    case kTypeDateTime: format::writeDouble(out, value.asReal()); break;
    case kTypeText: {
      const base::TextValue text = base::cutToBytes(value.asText(), static_cast<std::size_t>(field.width));
      std::memcpy(out, text.data(), text.size());
      break;
    }
    default: break;
  }
}

}  // namespace recorddb
