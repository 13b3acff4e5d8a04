#include "windows/panel_layout.h"

#include <algorithm>
#include <cstddef>

#include "windows/field_control_tag.h"

namespace windows {
namespace {

constexpr double kCharacterWidth = 9.0;
constexpr int kRowPitch = 30;
constexpr int kFirstRowTop = 10;
constexpr int kLabelLeft = 10;
constexpr int kRightMargin = 10;
constexpr int kBoxGap = 5;
constexpr int kKeyButtonGap = 2;
constexpr int kEditTopOffset = 4;
constexpr char kNameEnd[] = "：";
constexpr int kStateRowGap = 8;
constexpr int kStateTextOffset = 6;
constexpr int kStateTextHeight = 20;

int truncated(double pixels) { return std::max(0, static_cast<int>(pixels)); }

// Lays out one field's row at `top`, after its label.
class RowPlanner {
 public:
  RowPlanner(const PanelMetrics& metrics, PanelPlan& plan, int top)
      : metrics_(metrics), plan_(plan), top_(top) {}

  void planRow(const forms::FieldDefinition& field, int fieldNumber, int labelWidth, int& keyOrdinal) {
    const forms::FieldKindInfo kind = forms::fieldKindInfo(field.kind);
    PlannedControl label;
    label.from = PanelTemplate::Label;
    label.tag = nameLabelTag(fieldNumber);
    label.caption = field.name + kNameEnd;
    label.bounds = {kLabelLeft, top_, labelWidth, metrics_.label.height};
    label.keyField = field.key;
    plan_.controls.push_back(label);
    const int afterLabel = label.bounds.right();

    if (kind.hasCheckBox) {
      PlannedControl check;
      check.from = PanelTemplate::CheckBox;
      check.tag = valueBoxTag({fieldNumber, field.kind, 1});
      check.bounds = {afterLabel, top_, metrics_.checkBox.width, metrics_.checkBox.height};
      plan_.controls.push_back(check);
      return;
    }
    if (field.key) ++keyOrdinal;
    for (int slot = 1; slot <= kind.boxCount; ++slot) {
      const forms::EntryBox& box = kind.boxes[static_cast<std::size_t>(slot - 1)];
      PlannedControl edit;
      edit.from = PanelTemplate::EditBox;
      edit.tag = valueBoxTag({fieldNumber, field.kind, slot});
      edit.input = box.input;
      const double requested = requestedWidth(box, field, afterLabel);
      edit.bounds = slot == 1 ? firstBox(afterLabel, requested, field.key) : nextBox(requested, field.key);
      plan_.controls.push_back(edit);
      previous_ = edit.bounds;
      if (slot == 1 && field.key) {
        PlannedControl button;
        button.from = PanelTemplate::KeyButton;
        button.tag = keyButtonTag({keyOrdinal, fieldNumber});
        button.bounds = {edit.bounds.right() + kKeyButtonGap, edit.bounds.top, metrics_.keyButton.width,
                         metrics_.keyButton.height};
        plan_.controls.push_back(button);
      }
    }
  }

 private:
  double requestedWidth(const forms::EntryBox& box, const forms::FieldDefinition& field, int afterLabel) const {
    if (box.widthInCharacters == forms::kWidthFromFieldLength) return field.length * kCharacterWidth;
    if (box.widthInCharacters == forms::kWidthToRowEnd) return metrics_.clientWidth - afterLabel - kRightMargin;
    return box.widthInCharacters * kCharacterWidth;
  }

  int keyButtonRoom(bool key) const { return key ? metrics_.keyButton.width + 1 : 0; }

  ui::Rect firstBox(int afterLabel, double width, bool key) const {
    if (afterLabel + width > metrics_.clientWidth - kRightMargin) {
      width = metrics_.clientWidth - (afterLabel + kRightMargin) - keyButtonRoom(key);
    }
    return {afterLabel, top_ + kEditTopOffset, truncated(width), metrics_.editBox.height};
  }

  ui::Rect nextBox(double width, bool key) const {
    const int afterPrevious = previous_.right();
    if (afterPrevious + width + kBoxGap > metrics_.clientWidth - kRightMargin) {
      width = metrics_.clientWidth - (afterPrevious + kBoxGap + kRightMargin) - keyButtonRoom(key);
    }
    return {afterPrevious + kBoxGap + keyButtonRoom(key), top_ + kEditTopOffset, truncated(width),
            metrics_.editBox.height};
  }

  const PanelMetrics& metrics_;
  PanelPlan& plan_;
  int top_;
  ui::Rect previous_;
};

int labelWidthFor(const forms::FormDefinition& form) {
  std::size_t longest = 0;
  for (const forms::FieldDefinition& field : form.fields) longest = std::max(longest, field.name.size());
  return truncated(static_cast<double>(longest + 2) * (kCharacterWidth - 1));
}

}  // namespace

PanelPlan planPanel(const forms::FormDefinition& form, const PanelMetrics& metrics) {
  PanelPlan plan;
  const int labelWidth = labelWidthFor(form);
  int top = kFirstRowTop;
  int keyOrdinal = 0;
  for (std::size_t i = 0; i < form.fields.size(); ++i) {
    const forms::FieldDefinition& field = form.fields[i];
    if (field.kind == static_cast<std::int32_t>(forms::FieldKind::Ping)) continue;
    RowPlanner(metrics, plan, top).planRow(field, static_cast<int>(i + 1), labelWidth, keyOrdinal);
    top += kRowPitch;
  }
  const double third = (metrics.clientWidth - 40) / 3.0;
  plan.addButton = {kLabelLeft, top + 10, truncated(third * 2), metrics.addButtonHeight};
  plan.modifyButton = {plan.addButton.right() + 20, top + 10, truncated(third), metrics.modifyButtonHeight};
  const int stateTop = plan.addButton.bottom() + kStateRowGap;
  plan.clearButton = {plan.modifyButton.left, stateTop, plan.modifyButton.width, metrics.clearButtonHeight};
  plan.stateLabel = {kLabelLeft, stateTop + kStateTextOffset, plan.addButton.width, kStateTextHeight};
  plan.windowHeight = plan.clearButton.bottom() + 50;
  return plan;
}

}  // namespace windows
