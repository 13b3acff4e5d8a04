#pragma once
// The tip shown over grid cells. The main window connects it to the tooltip helper; tests record.

#include "base/text_value.h"
#include "ui/geometry.h"

namespace grid {

class GridTips {
 public:
  virtual ~GridTips() = default;
  // Shows `text` as the data panel's tip (replacing any shown one); `at` is the pointer position
  // on the data panel.
  virtual void show(const base::TextValue& text, ui::Point at) = 0;
  // Removes the data panel's tip.
  virtual void hide() = 0;
};

}  // namespace grid
