#pragma once
// What every headless control shares: the properties the program sets are only kept (the toolkit's
// base classes keep them), the keyboard focus is the toolkit's, and the simulated user reaches the
// control's events through the user* functions. HeadlessControl<Kind> adds this to a control kind.

#include <type_traits>

#include "ui/control.h"
#include "ui/simple_controls.h"
#include "ui/window.h"

namespace ui::headless {

class HeadlessToolkit;
class HeadlessControlBase;

// The toolkit's keyboard focus, as the controls use it (headless_toolkit.cpp).
void moveFocus(HeadlessToolkit& toolkit, HeadlessControlBase* control);
bool holdsFocus(const HeadlessToolkit& toolkit, const Control& control);
void controlGone(HeadlessToolkit& toolkit, const Control& control);

class HeadlessControlBase {
 public:
  virtual ~HeadlessControlBase() = default;
  virtual Control& self() = 0;
  // A click by the user (the kind's reaction first: a check box toggles; then onClick).
  virtual void userClick() = 0;
  virtual void userMouseDown(const MouseEvent& event) = 0;
  virtual void userMouseUp(const MouseEvent& event) = 0;
  virtual void userMouseMove(const MouseEvent& event) = 0;
  // The toolkit moved the keyboard focus to (gained) or away from this control.
  virtual void focusChanged(bool gained) = 0;

  // Where a platform control would be, in device pixels of its window's DPI, relative to its
  // parent, and the pixel height of its font: as the backend last placed it and set its font.
  const Rect& deviceBounds() const { return deviceBounds_; }
  int deviceFontPixels() const { return deviceFontPixels_; }

 protected:
  Rect deviceBounds_;
  int deviceFontPixels_ = 0;
};

template <typename Kind>
class HeadlessControl : public Kind, public HeadlessControlBase {
 public:
  HeadlessControl(HeadlessToolkit& toolkit, Window& window, Control* parent, const LayoutEntry& entry)
      : Kind(window, parent, entry), toolkit_(toolkit) {
    deviceFontPixels_ = window.dpiScale().fontPixels(this->font().size);
  }
  ~HeadlessControl() override { controlGone(toolkit_, *this); }

  Control& self() override { return *this; }
  bool hasFocus() const override { return holdsFocus(toolkit_, *this); }
  void userClick() override { this->raiseClick(); }
  void userMouseDown(const MouseEvent& event) override { this->raiseMouseDown(event); }
  void userMouseUp(const MouseEvent& event) override { this->raiseMouseUp(event); }
  void userMouseMove(const MouseEvent& event) override { this->raiseMouseMove(event); }
  void focusChanged(bool gained) override {
    if (gained) {
      this->raiseFocusGained();
    } else {
      this->raiseFocusLost();
    }
  }

 protected:
  HeadlessToolkit& toolkit() const { return toolkit_; }

  void applyBounds(const Rect& bounds) override { deviceBounds_ = this->window().dpiScale().toDevice(bounds); }
  void applyVisible(bool) override {}
  void applyEnabled(bool) override {}
  void applyTextColor(Color) override {}
  void applyFont(const Font& font) override { deviceFontPixels_ = this->window().dpiScale().fontPixels(font.size); }
  // An edit box keeps its content itself (EditBox turns a caption into writeText).
  void applyCaption([[maybe_unused]] const base::TextValue& text) override {
    if constexpr (std::is_base_of_v<EditBox, Kind>) this->writeText(text);
  }
  void applyFocus() override { moveFocus(toolkit_, this); }

 private:
  HeadlessToolkit& toolkit_;
};

}  // namespace ui::headless
