#pragma once
// The toolbar: buttons with an image, a caption and a tooltip, and separators. A button can be
// shown checked, or disabled, by the program; neither raises anything, and a click leaves the checked
// state alone. A click on an enabled button raises onButtonClick with the button's index.

#include <vector>

#include "ui/control.h"

namespace ui {

class Picture;

struct ToolbarButton {
  int image = -1;  // index into the toolbar's images; -1: a separator
  base::TextValue caption;
  base::TextValue tooltip;
  bool separator() const { return image < 0; }
};

class Toolbar : public Control {
 public:
  virtual void setButtons(const std::vector<ToolbarButton>& buttons, const std::vector<const Picture*>& images) = 0;
  virtual int buttonCount() const = 0;
  virtual bool isChecked(int index) const = 0;
  virtual void setChecked(int index, bool checked) = 0;
  virtual base::TextValue buttonCaption(int index) const = 0;
  virtual void setButtonCaption(int index, const base::TextValue& caption) = 0;
  // Buttons are enabled when set; a disabled button cannot be clicked.
  virtual bool isButtonEnabled(int index) const = 0;
  virtual void setButtonEnabled(int index, bool enabled) = 0;

  std::function<void(int index)> onButtonClick;

 protected:
  using Control::Control;
  void raiseButtonClick(int index) { fire(onButtonClick, index); }
};

}  // namespace ui
