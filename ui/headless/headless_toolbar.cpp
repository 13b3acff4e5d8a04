#include "ui/headless/headless_toolbar.h"

namespace ui::headless {

void HeadlessToolbar::setButtons(const std::vector<ToolbarButton>& buttons, const std::vector<const Picture*>& images) {
  buttons_.clear();
  for (const ToolbarButton& button : buttons) buttons_.push_back(State{button});
  imageCount_ = static_cast<int>(images.size());
}

void HeadlessToolbar::setChecked(int index, bool checked) {
  if (valid(index)) buttons_[static_cast<std::size_t>(index)].checked = checked;
}

base::TextValue HeadlessToolbar::buttonCaption(int index) const {
  return valid(index) ? buttons_[static_cast<std::size_t>(index)].button.caption : base::TextValue();
}

void HeadlessToolbar::setButtonCaption(int index, const base::TextValue& caption) {
  if (valid(index)) buttons_[static_cast<std::size_t>(index)].button.caption = caption;
}

void HeadlessToolbar::setButtonEnabled(int index, bool enabled) {
  if (valid(index)) buttons_[static_cast<std::size_t>(index)].enabled = enabled;
}

ToolbarButton HeadlessToolbar::button(int index) const {
  return valid(index) ? buttons_[static_cast<std::size_t>(index)].button : ToolbarButton();
}

bool HeadlessToolbar::userClickButton(int index) {
  if (!valid(index) || buttons_[static_cast<std::size_t>(index)].button.separator() || !isButtonEnabled(index)) {
    return false;
  }
  raiseButtonClick(index);
  return true;
}

}  // namespace ui::headless
