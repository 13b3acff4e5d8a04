#pragma once
// The toolbar: buttons with an image, a caption and a tooltip, and separators. A button can be
// shown checked by the program; a click raises onButtonClick with the button's index.

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

  std::function<void(int index)> onButtonClick;

 protected:
  using Control::Control;
  void raiseButtonClick(int index) { fire(onButtonClick, index); }
};

}  // namespace ui
