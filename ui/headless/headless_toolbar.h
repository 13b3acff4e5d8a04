#pragma once
// The headless toolbar: its buttons with their checked and enabled states.

#include <vector>

#include "ui/headless/headless_control.h"
#include "ui/toolbar.h"

namespace ui::headless {

class HeadlessToolbar : public HeadlessControl<Toolbar> {
 public:
  using HeadlessControl::HeadlessControl;

  void setButtons(const std::vector<ToolbarButton>& buttons, const std::vector<const Picture*>& images) override;
  int buttonCount() const override { return static_cast<int>(buttons_.size()); }
  bool isChecked(int index) const override { return valid(index) && buttons_[static_cast<std::size_t>(index)].checked; }
  void setChecked(int index, bool checked) override;
  base::TextValue buttonCaption(int index) const override;
  void setButtonCaption(int index, const base::TextValue& caption) override;
  bool isButtonEnabled(int index) const override { return valid(index) && buttons_[static_cast<std::size_t>(index)].enabled; }
  void setButtonEnabled(int index, bool enabled) override;

  // What the toolbar shows of a button (its image index, caption and tooltip).
  ToolbarButton button(int index) const;
  int imageCount() const { return imageCount_; }

  // A click on the button: onButtonClick, unless it is a separator or disabled. Returns whether it
  // was raised.
  bool userClickButton(int index);

 private:
  struct State {
    ToolbarButton button;
    bool checked = false;
    bool enabled = true;
  };
  bool valid(int index) const { return index >= 0 && index < buttonCount(); }

  std::vector<State> buttons_;
  int imageCount_ = 0;
};

}  // namespace ui::headless
