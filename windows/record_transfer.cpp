#include "windows/record_transfer.h"

#include <algorithm>
#include <optional>

#include "base/date_time.h"
#include "base/number_text.h"
#include "forms/composite_value.h"
#include "forms/field_kind.h"
#include "lists/field_display_text.h"
#include "recorddb/record_database.h"
#include "windows/field_control_tag.h"

namespace windows {
namespace {

base::TextValue fieldText(int field) { return lists::valueText(recorddb::readField(field)); }

recorddb::FieldValue storedValue(forms::StoredValue rule, const base::TextValue& text) {
  switch (rule) {
    case forms::StoredValue::DateTime: return recorddb::FieldValue::dateTime(base::textToDateTime(text));
    case forms::StoredValue::Integer: return recorddb::FieldValue::integer(base::textToInteger(text));
    case forms::StoredValue::Single: return recorddb::FieldValue::single(base::textToSingle(text));
    case forms::StoredValue::Logical: return recorddb::FieldValue::logical(base::isTrueText(text));
    case forms::StoredValue::Text:
    case forms::StoredValue::Composite:
    case forms::StoredValue::Nothing: break;
  }
  return recorddb::FieldValue::text(text);
}

// The state one transfer keeps from a composite field's first box to its last.
class Transfer {
 public:
  explicit Transfer(TransferDirection direction) : direction_(direction) {}

  void visit(ui::EditBox& box) {
    box.focus();
    const std::optional<ValueBoxTag> tag = parseValueBoxTag(box.tag());
    if (!tag) return;
    const forms::FieldKindInfo kind = forms::fieldKindInfo(tag->kind);
    if (kind.stored == forms::StoredValue::Nothing) return;
    if (kind.stored == forms::StoredValue::Composite) {
      composite(box, *tag, kind);
    } else if (direction_ == TransferDirection::PanelToRecord) {
      write(tag->field, storedValue(kind.stored, box.text()));
    } else {
      box.setText(fieldText(tag->field));
    }
  }

  void visit(ui::CheckBox& box) {
    const std::optional<ValueBoxTag> tag = parseValueBoxTag(box.tag());
    if (!tag) return;
    if (direction_ == TransferDirection::PanelToRecord) {
      write(tag->field, recorddb::FieldValue::logical(box.checked()));
    } else {
      box.setChecked(base::isTrueText(fieldText(tag->field)));
    }
  }

 bool allWritten() const { return allWritten_; }

 private:
  void write(int field, const recorddb::FieldValue& value) {
    if (!recorddb::writeField(field, value)) allWritten_ = false;
  }

  void composite(ui::EditBox& box, const ValueBoxTag& tag, const forms::FieldKindInfo& kind) {
    const int boxCount = std::max(kind.boxCount, 1);
    const bool first = tag.slot == 1;
    const bool last = tag.slot >= boxCount;
    if (direction_ == TransferDirection::RecordToPanel) {
      if (first) pieces_ = forms::compositePieces(fieldText(tag.field), static_cast<std::size_t>(boxCount));
      const auto piece = static_cast<std::size_t>(std::min(tag.slot, boxCount) - 1);
      box.setText(piece < pieces_.size() ? pieces_[piece] : base::TextValue());
      return;
    }
    const base::TextValue text = box.text();
    if (first) {
      composite_ = text;
      return;
    }
    if (last && composite_.empty()) composite_ = emptyTitle(kind.emptyTitle, text);
    composite_ += base::TextValue(forms::kPieceSeparator) + text;
    if (last) write(tag.field, recorddb::FieldValue::text(composite_));
  }

  static base::TextValue emptyTitle(forms::EmptyTitle rule, const base::TextValue& lastBox) {
    switch (rule) {
      case forms::EmptyTitle::LastBox: return lastBox;
      case forms::EmptyTitle::HostOfLastBox: return forms::hostOfAddress(lastBox);
      case forms::EmptyTitle::Empty: break;
    }
    return {};
  }

  TransferDirection direction_;
  base::TextValue composite_;                 // written: what the field's boxes so far make
  std::vector<base::TextValue> pieces_;       // read: the pieces of the field's stored value
  bool allWritten_ = true;
};

}  // namespace

bool transferRecord(TransferDirection direction, const PanelBoxes& boxes) {
  Transfer transfer(direction);
  // The record's fields go to the file as one change.
  std::optional<recorddb::RecordWriteScope> change;
  if (direction == TransferDirection::PanelToRecord) change.emplace();
  for (ui::EditBox* box : boxes.editBoxes) transfer.visit(*box);
  for (ui::CheckBox* box : boxes.checkBoxes) transfer.visit(*box);
  const bool committed = !change || change->commit();
  return transfer.allWritten() && committed;
}

}  // namespace windows
