#pragma once
// Window: a top-level window built from a designed layout. Its controls are found by name and
// listed in layout order; controls can be copied at run time from hidden templates. The window hears
// of the keys of Key before the control with the keyboard focus does; Tab moves the focus along the
// window's tab order.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "base/text_value.h"
#include "ui/control.h"
#include "ui/dpi_scale.h"

namespace ui {

// The wheel delta of one notch of an ordinary mouse wheel.
inline constexpr int kWheelNotch = 120;

// The keys a window hears of before its focused control: those that move the focus, confirm and
// cancel, and those of the program's shortcuts. A key the window leaves reaches the control as the
// keyboard gives it (an arrow moves an edit box's caret, a letter is typed).
enum class Key { Tab, Enter, Escape, F2, F3, Delete, Up, Down, PageUp, PageDown, Home, End, A, F, N };

// A key pressed in a window: the control with the keyboard focus (null when none of the window's
// controls has it), the key, and the keys held with it (kCtrl, kShift, kAlt added).
struct KeyPress {
  Control* target = nullptr;
  Key key = Key::Enter;
  int keys = kNoKeys;
};

struct WindowLayout {
  base::TextValue name;  // also the window class of a main window
  base::TextValue title;
  Rect bounds;           // outer bounds on the screen
  std::vector<LayoutEntry> controls;
};

class Window {
 public:
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  const base::TextValue& name() const { return name_; }
  Window* owner() const { return owner_; }

  // The control of that name, or null.
  Control* control(const base::TextValue& name) const;
  template <typename Kind>
  Kind& get(const base::TextValue& name) const {
    return dynamic_cast<Kind&>(*control(name));
  }
  // Every control, in layout order (copies after the designed ones).
  std::vector<Control*> controls() const;

  // A hidden copy of `original` (same kind, size, font, caption, colours, tag, input mode, byte limit
  // and event handlers, which are told the copy as their sender), placed in the same parent, under
  // `name`. Its state is never saved.
  Control& copyControl(const Control& original, const base::TextValue& name);
  // Destroys a control made by copyControl (it leaves the tab order too).
  void destroyControl(Control& control);

  // The controls Tab moves the keyboard focus through, in order: by default every control of a kind
  // that takes the focus, as controls() lists them; setTabOrder sets another order (controls of
  // other windows left out), an empty one goes back to the default. A control the program puts in
  // its order takes the focus by Tab whatever its kind (a drawing panel whose keys the window
  // handles).
  std::vector<Control*> tabOrder() const;
  void setTabOrder(std::vector<Control*> order);

  // What a backend does with a key the user pressed in the window, before the focused control gets
  // it; true when the key is used up and the control is not to see it. onKeyPress comes first; then
  // Tab moves the focus to the next control of the tab order that the user can reach (Shift+Tab: the
  // previous one), round from the last to the first; with the focus outside the order, Tab goes to
  // the first, Shift+Tab to the last. Everything else is the control's (an edit box's Enter).
  bool handleKeyPress(const KeyPress& press);

  // The scale of the screen the window is on. Everything the program sees of the window and its
  // controls is in designed 96-DPI pixels; the backend scales at its boundary (ui/dpi_scale.h).
  const DpiScale& dpiScale() const { return dpiScale_; }

  virtual base::TextValue title() const = 0;
  virtual void setTitle(const base::TextValue& title) = 0;
  virtual Rect bounds() const = 0;  // on the screen
  virtual void setBounds(const Rect& bounds) = 0;
  virtual Size clientSize() const = 0;
  virtual bool visible() const = 0;
  virtual void setVisible(bool visible) = 0;
  virtual bool minimized() const = 0;
  virtual void restore() = 0;  // from minimised to normal
  // Maximised, the window fills the work area of its screen; its normal bounds are where it goes
  // back to (they are its bounds while it is neither maximised nor minimised).
  virtual bool maximized() const = 0;
  virtual void maximize() = 0;
  virtual Rect normalBounds() const = 0;
  virtual void centerOnScreen() = 0;
  virtual bool topmost() const = 0;
  virtual void setTopmost(bool topmost) = 0;
  virtual void activate() = 0;  // to the foreground, with the keyboard focus
  // Asks to close: onQueryClose runs first and may refuse; then the window is destroyed, after the
  // windows it owns (theirs is no question: they are destroyed, their onClosed runs).
  virtual void close() = 0;

  std::function<void()> onCreated;
  // The size changed (set by the program, or by the user, minimising and restoring included); a
  // move alone raises nothing.
  std::function<void()> onResized;
  std::function<bool()> onQueryClose;  // false keeps the window open
  std::function<void()> onClosed;
  // Mouse moves and left releases over the window itself (outside its controls, or while the
  // mouse is captured), in client coordinates.
  std::function<void(const MouseEvent&)> onMouseMove;
  std::function<void(const MouseEvent&)> onMouseUp;
  // The wheel turned while the pointer is over the window: the signed wheel delta (positive:
  // away from the user; kWheelNotch a notch, less for fine wheels and touchpads) and the pointer's
  // screen position.
  std::function<void(int delta, Point screen)> onMouseWheel;
  // A menu command chosen in a popup menu owned by this window.
  std::function<void(int command)> onCommand;
  // A key of Key pressed in the window, before the focused control sees it; true when the window
  // took the key (the control does not get it).
  std::function<bool(const KeyPress&)> onKeyPress;

 protected:
  Window(const WindowLayout& layout, Window* owner);

  // Builds the designed controls (backends call it once their window exists).
  void buildControls(const std::vector<LayoutEntry>& entries);
  // A control of the entry's kind, not yet shown or placed (the backend's own class).
  virtual std::unique_ptr<Control> makeControl(const LayoutEntry& entry, Control* parent) = 0;

  bool raiseQueryClose() { return !onQueryClose || onQueryClose(); }
  // The DPI the window starts with; backends set it before they build the controls.
  void setInitialDpi(int dpi) { dpiScale_ = DpiScale(dpi); }
  // The window is now on a screen of another DPI: every control takes its bounds and font again at
  // the new scale (parents before the controls in them), then onResized lays the window out again.
  void changeDpi(int dpi);
  template <typename Handler, typename... Args>
  static void fire(const Handler& handler, Args&&... args) {
    if (handler) handler(std::forward<Args>(args)...);
  }

 private:
  friend class Control;

  // A control refused or cut the user's input (Control::raiseInputRefused): the toolkit beeps.
  virtual void inputRefused() = 0;

  // Moves the focus to the next reachable control of the tab order after `from` (backwards: before
  // it); false when the order holds no reachable control.
  bool tabFrom(const Control* from, bool backwards);

  base::TextValue name_;
  Window* owner_;
  DpiScale dpiScale_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::optional<std::vector<Control*>> tabOrder_;  // set by the program; none: the default
};

}  // namespace ui
