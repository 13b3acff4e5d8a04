#pragma once
// A form: a name and an ordered sequence of fields. Field numbers count from 1 and are used
// everywhere (link values, database columns, grid columns, entry panel tags).

#include <cstdint>
#include <vector>

#include "base/text_value.h"
#include "forms/field_kind.h"

namespace forms {

struct FieldDefinition {
  base::TextValue name;
  std::int32_t kind = 0;    // a FieldKind code; other codes behave as text
  std::int32_t length = 0;  // text fields: the maximum value length in bytes
  std::int32_t link = 0;    // PING fields: the number of the field holding the address; 0 or -1: none
  bool key = false;         // a key field: its values are listed in the tree and offered on the panel
  std::int32_t columnWidth = 0;  // a list's copy: the remembered grid column width; library forms: 0
  bool operator==(const FieldDefinition&) const = default;
};

struct FormDefinition {
  base::TextValue name;
  std::vector<FieldDefinition> fields;
  bool operator==(const FormDefinition&) const = default;
};

// The database column a list gives the field: type code and length.
struct DatabaseColumn {
  base::TextValue name;
  std::int32_t type;
  std::int32_t length;
};
DatabaseColumn databaseColumnFor(const FieldDefinition& field);

// The kind of field `fieldNumber` (from 1); a number the form has no field for gives text.
std::int32_t fieldKindOf(const FormDefinition& form, int fieldNumber);

// Field order changes that keep every `link` pointing at the field it named: swapping two fields
// swaps the numbers that link to them; removing a field turns links to it into -1 and moves links
// to later fields down by one. Indices are 0-based; out-of-range indices change nothing.
void swapFields(std::vector<FieldDefinition>& fields, std::size_t first, std::size_t second);
void removeField(std::vector<FieldDefinition>& fields, std::size_t index);

}  // namespace forms
