#pragma once
// TooltipHelper: a thin owner of one tooltip window, through which the record grid shows a tip over
// its data panel: made once, and on every change of the hovered cell the panel's tip is removed and,
// when there is something to show, added again with the new text.
//
// The window is held by a shared handle: copies of a helper refer to the same window, which goes
// when the last helper referring to it goes, or at destroy() (then every copy sees no window). Every
// operation on a helper without a window (never made, or destroyed) gives 0, false, an empty value
// or nothing, and does nothing.

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "base/text_value.h"
#include "ui/toolkit.h"
#include "ui/tooltip.h"

namespace support {

using TooltipHandle = std::shared_ptr<ui::Tooltip>;

// Tips wider than this break into lines when the window is made for several lines.
inline constexpr int kMultiLineTipWidth = 1024;

class TooltipHelper {
 public:
  TooltipHelper() = default;

  // Makes the window (top-most; balloon-shaped when asked; wrapping at kMultiLineTipWidth pixels
  // when multiLine) and gives its handle. A helper that has a window keeps it and gives null.
  TooltipHandle create(ui::Toolkit& toolkit, bool multiLine, bool balloon);

  // The tip of `window`, covering its whole client area; true when the window took it.
  bool addTool(const ui::Control& window, const base::TextValue& text, bool centred);
  // Nothing happens when `window` has no tip.
  void removeTool(const ui::Control& window);
  void updateText(const ui::Control& window, const base::TextValue& text);

  ui::Color backgroundColor() const;
  void setBackgroundColor(ui::Color color);
  ui::Color textColor() const;
  void setTextColor(ui::Color color);
  // Each delay in milliseconds is set when it is above 0.
  void setDelays(int initial, int autoPop);
  // Gives the previous width.
  int setMaxWidth(int pixels);
  // Hides the tip shown now.
  void pop();

  // Destroys the window; true when it went (the helper then has none).
  bool destroy();
  const TooltipHandle& handle() const { return handle_; }
  // Takes over another window (or none); gives the one held before.
  TooltipHandle setHandle(TooltipHandle handle);

  int toolCount() const;
  // The tips' texts that are not empty, in the window's order.
  std::vector<base::TextValue> toolTexts() const;
  // The text of the tip of `window`, cut to fit a buffer of `maxLength` bytes with its closing NUL
  // (on a character boundary); nothing when `window` has no tip.
  std::optional<base::TextValue> toolText(const ui::Control& window, std::size_t maxLength) const;

 private:
  ui::Tooltip* live() const { return handle_ && handle_->exists() ? handle_.get() : nullptr; }

  TooltipHandle handle_;
};

}  // namespace support
