#pragma once
// Field values inside a record: decoding the bytes of a field, and encoding a value (converted to
// the field's kind where that is allowed) into them.

#include <cstdint>
#include <string>

#include "recorddb/field_value.h"
#include "recorddb/format.h"

namespace recorddb {

// The value kind of a field type.
ValueKind valueKindOf(std::int32_t type);

// The field's value from its record bytes (for memo and bytes fields: from the value's bytes).
FieldValue decodeField(const format::FieldDescriptor& field, const char* bytes);
FieldValue decodeAuxValue(const format::FieldDescriptor& field, std::string value);

// The field's empty value: empty text or bytes, false, or zero.
FieldValue emptyValue(std::int32_t type);

// `value` as the field's own kind: numbers convert between numeric kinds, text fits text and memo,
// Empty gives the empty value. kDbValueKindMismatch when the kinds do not go together.
int convertForField(const format::FieldDescriptor& field, const FieldValue& value, FieldValue& converted);

// The record bytes of a converted value of a fixed-width field (not memo or bytes): `field.width`
// bytes at `out`. Text longer than the field is cut at a character boundary.
void encodeField(const format::FieldDescriptor& field, const FieldValue& value, char* out);

}  // namespace recorddb
