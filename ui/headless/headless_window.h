#pragma once
// The headless window: bounds on a screen of the toolkit's metrics, a client area inside a fixed
// frame, and the states a platform window has (created, visible, minimised, topmost, closed).

#include "ui/window.h"

namespace ui::headless {

class HeadlessToolkit;

class HeadlessWindow : public Window {
 public:
  HeadlessWindow(HeadlessToolkit& toolkit, const WindowLayout& layout, Window* owner);
  ~HeadlessWindow() override;

  base::TextValue title() const override { return title_; }
  void setTitle(const base::TextValue& title) override { title_ = title; }
  Rect bounds() const override { return bounds_; }
  void setBounds(const Rect& bounds) override;
  // Zero while minimised.
  Size clientSize() const override;
  bool visible() const override { return visible_; }
  void setVisible(bool visible) override;
  bool minimized() const override { return minimized_; }
  void restore() override;
  bool maximized() const override { return maximized_; }
  void maximize() override;
  Rect normalBounds() const override { return maximized_ ? normalBounds_ : bounds_; }
  void centerOnScreen() override;
  bool topmost() const override { return topmost_; }
  void setTopmost(bool topmost) override { topmost_ = topmost; }
  void activate() override;
  void close() override;

  bool created() const { return created_; }
  bool closed() const { return closed_; }
  // The screen position of the client area's top-left corner, and of a point of a control.
  Point clientOrigin() const;
  Point screenPosition(const Control& control, Point inControl) const;

  // Toolkit::show: the first time onCreated, visible, onResized; later only visible.
  void showByToolkit();
  // Destroys the window without asking (its owner went): owned windows first, then onClosed.
  void destroy();

  // What the user does to the window itself.
  void userMinimize();
  void userMouseMove(const MouseEvent& event) { fire(onMouseMove, event); }
  void userMouseUp(const MouseEvent& event) { fire(onMouseUp, event); }
  void userWheel(int delta, Point screen) { fire(onMouseWheel, delta, screen); }
  // The user moved the window to a screen of another DPI.
  void userMoveToScreenOfDpi(int dpi) { changeDpi(dpi); }

 protected:
  std::unique_ptr<Control> makeControl(const LayoutEntry& entry, Control* parent) override;

 private:
  void inputRefused() override;

  HeadlessToolkit& toolkit_;
  base::TextValue title_;
  Rect bounds_;
  bool created_ = false;
  bool visible_ = false;
  bool minimized_ = false;
  bool maximized_ = false;
  Rect normalBounds_;  // while maximised
  bool topmost_ = false;
  bool closed_ = false;
};

}  // namespace ui::headless
