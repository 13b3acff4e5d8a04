#pragma once
// Panels (containers of other controls), drawing panels (a back buffer shown on WM_PAINT) and the
// vertical splitter (dragged with the mouse captured), as windows of the toolkit's own classes.

#include "ui/panels.h"
#include "ui/win32/win32_canvas.h"
#include "ui/win32/win32_control.h"

namespace ui::win32 {

class Win32Panel : public Win32Control<Panel> {
 public:
  Win32Panel(Win32Window& window, Control* parent, const LayoutEntry& entry);

 protected:
  void applyCaption(const base::TextValue&) override {}
  void mouseButton(UINT message, const MouseEvent& event) override;
};

class Win32DrawingPanel : public Win32Control<DrawingPanel> {
 public:
  Win32DrawingPanel(Win32Window& window, Control* parent, const LayoutEntry& entry);

  Canvas& canvas() override { return canvas_; }
  GdiCanvas& gdiCanvas() { return canvas_; }
  void setPointer(PointerShape shape) override { pointer_ = shape; }
  PointerShape pointer() const { return pointer_; }
  void refresh() override;

 protected:
  void applyBounds(const Rect& bounds) override;
  void applyScale() override;
  void applyCaption(const base::TextValue&) override {}
  bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void mouseButton(UINT message, const MouseEvent& event) override;

 private:
  GdiCanvas canvas_;
  PointerShape pointer_ = PointerShape::Arrow;
};

class Win32Splitter : public Win32Control<Splitter> {
 public:
  Win32Splitter(Win32Window& window, Control* parent, const LayoutEntry& entry);

 protected:
  void applyCaption(const base::TextValue&) override {}
  bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  bool dragging_ = false;
  int grab_ = 0;  // where in the splitter the drag started
};

}  // namespace ui::win32
