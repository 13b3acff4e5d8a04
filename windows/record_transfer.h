#pragma once
// RecordTransfer: moves values between the entry panel's generated boxes and the current record of
// the current database, either way. Written to the record, every field's boxes are read first; if
// any field cannot be stored as typed, nothing is written and the refusal says which box. A record
// read into the panel shows every value so that storing it again unchanged keeps it exactly.

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "base/text_value.h"
#include "recorddb/field_value.h"
#include "ui/simple_controls.h"
#include "windows/entry_values.h"

namespace windows {

// The panel's controls of one field of the form: its value boxes in slot order, or its check box.
struct PanelField {
  int number = 0;  // the field's number in the form, from 1
  EntryField field;
  std::vector<ui::EditBox*> boxes;
  ui::CheckBox* checkBox = nullptr;
};

// What the panel's boxes hold now, field by field (a box showing its hint holds nothing).
std::vector<FieldEntry> enteredFields(const std::vector<PanelField>& fields);

// A field that cannot be stored as its boxes stand: the box to put the focus in and the message.
struct RefusedField {
  ui::Control* box = nullptr;
  base::TextValue message;
};

struct FieldWrite {
  int number = 0;
  recorddb::FieldValue value;
};
using PanelValues = std::vector<FieldWrite>;

// The value of every field, or the first field that cannot be stored as typed.
std::variant<PanelValues, RefusedField> readPanel(const std::vector<PanelField>& fields);

// Writes the values into the current record as one change. Nothing when every field was written;
// otherwise the text of the first error.
std::optional<base::TextValue> writeRecord(const PanelValues& values);

// Shows the current record's values in the boxes.
void showCurrentRecord(const std::vector<PanelField>& fields);

// Shows what a field's boxes are to hold (an empty box shows its hint unless it has the focus).
void showEntry(const PanelField& field, const FieldEntry& entry);

}  // namespace windows
