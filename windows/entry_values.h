#pragma once
// How what a person typed into the entry panel becomes a field's stored value, and why it cannot
// when it would not be stored as typed: a date that is no date, a number that is no number or
// that the field keeps only rounded, a text longer than the field holds, link pieces that would
// not read back apart. The refusal names the field and says what the field takes. Also the other
// way: the texts a field's boxes show for a stored value, such that showing and storing them
// again keeps the value exactly.

#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

#include "base/text_value.h"
#include "recorddb/field_value.h"

namespace windows {

// What the boxes of one field hold: one text per value box, first box first (a box showing its grey
// hint holds nothing), or the state of a logical field's check box.
struct FieldEntry {
  std::vector<base::TextValue> texts;
  bool checked = false;
  bool operator==(const FieldEntry&) const = default;
};

// What a field is: its kind, its name as the person knows it, and the bytes its stored text may take
// (the database field's length; 0 when the value is no text of fixed length).
struct EntryField {
  std::int32_t kind = 0;
  base::TextValue name;
  std::size_t capacity = 0;
};

struct EntryRefusal {
  int slot = 1;               // the box to put the focus in, from 1
  base::TextValue message;    // names the field, says what is wrong and what the field takes
};

using EntryReading = std::variant<recorddb::FieldValue, EntryRefusal>;

// The value to store for what the field's boxes hold. An empty box stores the field's empty value.
EntryReading readEntry(const EntryField& field, const FieldEntry& entry);

// The room the value boxes of a fixed-length field leave each other: the bytes box `slot` may take
// while its sibling boxes hold `entry`'s texts (the "||" between pieces counted). 0 also when the
// others have taken everything; unlimited fields give std::size_t's largest value.
std::size_t boxRoom(const EntryField& field, const FieldEntry& entry, int slot);

// What the field's `boxCount` boxes show of a stored value (a logical value: checked when true).
FieldEntry entryOfValue(const recorddb::FieldValue& value, std::int32_t kind, int boxCount);

}  // namespace windows
