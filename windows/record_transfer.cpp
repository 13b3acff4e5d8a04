#include "windows/record_transfer.h"

#include "lists/field_display_text.h"
#include "recorddb/record_database.h"
#include "windows/panel_hints.h"

namespace windows {

std::vector<FieldEntry> enteredFields(const std::vector<PanelField>& fields) {
  std::vector<FieldEntry> entries;
  entries.reserve(fields.size());
  for (const PanelField& field : fields) {
    FieldEntry entry;
    for (const ui::EditBox* box : field.boxes) entry.texts.push_back(enteredText(*box));
    entry.checked = field.checkBox != nullptr && field.checkBox->checked();
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::variant<PanelValues, RefusedField> readPanel(const std::vector<PanelField>& fields) {
  const std::vector<FieldEntry> entries = enteredFields(fields);
  PanelValues values;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const PanelField& field = fields[i];
    EntryReading reading = readEntry(field.field, entries[i]);
    if (auto* refusal = std::get_if<EntryRefusal>(&reading)) {
      ui::Control* box = field.checkBox;
      const auto slot = static_cast<std::size_t>(refusal->slot - 1);
      if (slot < field.boxes.size()) box = field.boxes[slot];
      return RefusedField{box, std::move(refusal->message)};
    }
    values.push_back({field.number, std::get<recorddb::FieldValue>(std::move(reading))});
  }
  return values;
}

std::optional<base::TextValue> writeRecord(const PanelValues& values) {
  std::optional<base::TextValue> error;
  // The record's fields go to the file as one change.
  recorddb::RecordWriteScope change;
  for (const FieldWrite& write : values) {
    // The first failure's text is taken at once: later operations set the last error anew.
    if (!recorddb::writeField(write.number, write.value) && !error) error = recorddb::lastErrorText();
  }
  if (!change.commit() && !error) error = recorddb::lastErrorText();
  return error;
}

void showEntry(const PanelField& field, const FieldEntry& entry) {
  for (std::size_t slot = 0; slot < field.boxes.size(); ++slot) {
    showEntered(*field.boxes[slot], slot < entry.texts.size() ? entry.texts[slot] : base::TextValue());
  }
  if (field.checkBox != nullptr) field.checkBox->setChecked(entry.checked);
}

void showCurrentRecord(const std::vector<PanelField>& fields) {
  for (const PanelField& field : fields) {
    const int boxCount = static_cast<int>(field.boxes.size());
    showEntry(field, entryOfValue(recorddb::readField(field.number), field.field.kind, boxCount));
  }
}

}  // namespace windows
