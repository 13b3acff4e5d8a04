#pragma once
// Panels that hold other controls, drawing panels, and the splitter.

#include "ui/canvas.h"
#include "ui/control.h"

namespace ui {

class Panel : public Control {
 protected:
  using Control::Control;
};

enum class PointerShape { Arrow, Hand, ResizeHorizontal };

// A panel the program draws on. What is drawn stays (a back buffer); mouse events carry the
// button, the position relative to the panel and the keys held.
class DrawingPanel : public Control {
 public:
  virtual Canvas& canvas() = 0;
  virtual void setPointer(PointerShape shape) = 0;
  // Shows what was drawn since the last call (drawing panels show their buffer when asked).
  virtual void refresh() = 0;

 protected:
  using Control::Control;
};

// A vertical splitter; its left edge is its position. Dragging it raises onMoved with the new
// position (the splitter itself is moved by the handler).
class Splitter : public Control {
 public:
  std::function<void(int position)> onMoved;

 protected:
  using Control::Control;
  void raiseMoved(int position) { fire(onMoved, position); }
};

}  // namespace ui
