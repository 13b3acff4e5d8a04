#pragma once
// Tooltip: one tooltip window of the platform, kept on top of the other windows. Tips are registered
// per control: each covers the control's whole client area (as it is when the tip is added) and
// shows its text while the pointer rests there. A control has at most one tip here.
//
// Once destroyed (or when its window could not be made) the tooltip answers every question with 0,
// an empty text or nothing, and changes nothing. The window goes with the object at the latest.

#include <cstdint>
#include <optional>

#include "base/text_value.h"
#include "ui/control.h"
#include "ui/geometry.h"

namespace ui {

enum class TooltipDelay {
  Initial,  // the pointer rests this long before the tip shows
  AutoPop,  // the tip stays this long while the pointer does not move
};

class Tooltip {
 public:
  virtual ~Tooltip() = default;

  // Whether the window is there.
  virtual bool exists() const = 0;
  // Destroys the window; true when there was one and it is gone.
  virtual bool destroy() = 0;
  // The platform's number for the window (0 when there is none); for diagnostics and tests.
  virtual std::uintptr_t nativeHandle() const = 0;

  // Registers the tip of `owner` with `text`, centred under the control or at the pointer; true
  // when the platform took it.
  virtual bool addTool(const Control& owner, const base::TextValue& text, bool centred) = 0;
  // Unregisters the tip of `owner`; nothing happens when it has none.
  virtual void removeTool(const Control& owner) = 0;
  virtual void updateText(const Control& owner, const base::TextValue& text) = 0;
  // The text of the tip of `owner`, or nothing when it has none.
  virtual std::optional<base::TextValue> toolText(const Control& owner) const = 0;
  // The tips in the order the platform keeps them, and the text of the one at `index` (from 0).
  virtual int toolCount() const = 0;
  virtual base::TextValue toolTextAt(int index) const = 0;

  virtual Color backgroundColor() const = 0;
  virtual void setBackgroundColor(Color color) = 0;
  virtual Color textColor() const = 0;
  virtual void setTextColor(Color color) = 0;
  // Milliseconds, 0 to 32767 (larger values are taken as 32767).
  virtual void setDelay(TooltipDelay which, int milliseconds) = 0;
  // Tips wider than this many pixels break into several lines; -1: one line, however long. Gives
  // the previous width.
  virtual int setMaxWidth(int pixels) = 0;
  // Hides the tip shown now.
  virtual void pop() = 0;
};

}  // namespace ui
