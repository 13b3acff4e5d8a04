#include "windows/panel_hints.h"

#include <algorithm>

#include "forms/field_kind.h"
#include "windows/field_control_tag.h"

namespace windows {
namespace {

constexpr ui::Color kHintGrey = 8421504;
constexpr char kHintStart[] = "输入";
constexpr char kHintEnd[] = "..";

base::TextValue hintOf(const ValueBoxTag& tag) {
  const forms::FieldKindInfo kind = forms::fieldKindInfo(tag.kind);
  if (kind.boxCount < 1) return {};
  const int box = std::min(tag.slot, kind.boxCount);
  return base::TextValue(kind.boxes[static_cast<std::size_t>(box - 1)].hint);
}

}  // namespace

void applyHint(ui::EditBox& box) {
  const std::optional<ValueBoxTag> tag = parseValueBoxTag(box.tag());
  if (!tag || !box.text().empty()) return;
  box.setTextColor(kHintGrey);
  box.setText(kHintStart + hintOf(*tag) + kHintEnd);
}

void clearHint(ui::EditBox& box) {
  if (!showsHint(box)) return;
  box.setTextColor(ui::kBlack);
  box.setText({});
}

bool showsHint(const ui::EditBox& box) { return box.textColor() == kHintGrey; }

base::TextValue enteredText(const ui::EditBox& box) { return showsHint(box) ? base::TextValue() : box.text(); }

void showEntered(ui::EditBox& box, const base::TextValue& text) {
  box.setTextColor(ui::kBlack);
  box.setText(text);
  if (!box.hasFocus()) applyHint(box);
}

}  // namespace windows
