#pragma once
// The headless drawing panel: a recording canvas the size of the panel, the pointer shape it asks
// for, and how often it was told to show its drawing.

#include "ui/headless/headless_canvas.h"
#include "ui/headless/headless_control.h"
#include "ui/panels.h"

namespace ui::headless {

class HeadlessDrawingPanel : public HeadlessControl<DrawingPanel> {
 public:
  HeadlessDrawingPanel(HeadlessToolkit& toolkit, Window& window, Control* parent, const LayoutEntry& entry)
      : HeadlessControl(toolkit, window, parent, entry), canvas_([this] { return Size{bounds().width, bounds().height}; }) {}

  Canvas& canvas() override { return canvas_; }
  void setPointer(PointerShape shape) override { pointer_ = shape; }
  void refresh() override { ++refreshCount_; }

  HeadlessCanvas& recording() { return canvas_; }
  PointerShape pointer() const { return pointer_; }
  int refreshCount() const { return refreshCount_; }

 private:
  HeadlessCanvas canvas_;
  PointerShape pointer_ = PointerShape::Arrow;
  int refreshCount_ = 0;
};

}  // namespace ui::headless
