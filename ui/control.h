#pragma once
// Control: one named element of a window, built from a layout entry. The properties that only
// the program changes (bounds, visibility, enabled state, tag, text colour, font) are kept here
// and handed to the backend; what the user can change (content, check state, selection) is asked
// of the backend. The event rules live here, once for every backend: a backend reports what the
// user did through the raise* functions and never raises events for changes the program makes.

#include <functional>
#include <memory>

#include "base/text_value.h"
#include "ui/geometry.h"
#include "ui/sender_handler.h"

namespace ui {

class Window;

enum class StateSaving {
  Saved,       // in the settings file
  NeverSaved,  // neither saved nor restored
  AsBytes,     // a button's or edit box's value in a bytes file of its own
};

enum class ControlKind {
  Label,
  Button,
  EditBox,
  CheckBox,
  RadioButton,
  ComboBox,        // a drop-down list
  ListBox,
  CheckedListBox,
  GroupBox,
  Panel,           // a picture box used as a container
  DrawingPanel,
  TreeView,
  Toolbar,
  Splitter,
  ColorPicker,
};

// One row of a window's designed layout: the control's name, kind, parent (empty: the window),
// bounds relative to the parent, caption (or content), and whether it is shown and enabled.
// Whether controls of the kind take the keyboard focus (by a click, or by Tab): edit boxes, buttons,
// check boxes, radio buttons, the lists, tree views and colour pickers.
bool takesFocus(ControlKind kind);

struct LayoutEntry {
  base::TextValue name;
  ControlKind kind = ControlKind::Label;
  base::TextValue parent;
  Rect bounds;
  base::TextValue caption;
  bool visible = true;
  bool enabled = true;
};

class Control {
 public:
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const base::TextValue& name() const { return name_; }
  ControlKind kind() const { return kind_; }
  Window& window() const { return window_; }
  // The control it is placed in, or null for the window itself.
  Control* parent() const { return parent_; }

  const Rect& bounds() const { return bounds_; }
  void setBounds(const Rect& bounds);
  void move(int left, int top) { setBounds({left, top, bounds_.width, bounds_.height}); }
  void resize(int width, int height) { setBounds({bounds_.left, bounds_.top, width, height}); }

  bool visible() const { return visible_; }
  // A control the program shows comes in front of the controls beside it, so that of two controls
  // laid over each other the one shown last is seen.
  void setVisible(bool visible);
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  // Shown and enabled, and so is every control it is placed in: the user can get at it (when its
  // window is shown).
  bool reachable() const;

  // A free text every control carries for the program (which field a generated control belongs to,
  // a button's remembered text). Control-state saving has a marker of its own, below.
  const base::TextValue& tag() const { return tag_; }
  void setTag(base::TextValue tag) { tag_ = std::move(tag); }

  // Whether saving a window's control states keeps this control's state, and where. Copies of
  // controls are never kept: their names are made at run time.
  StateSaving stateSaving() const { return stateSaving_; }
  void setStateSaving(StateSaving saving) { stateSaving_ = saving; }

  Color textColor() const { return textColor_; }
  void setTextColor(Color color);
  const Font& font() const { return font_; }
  void setFont(const Font& font);

  // The caption of labels, buttons, check boxes and group boxes; an edit box's content.
  virtual base::TextValue caption() const { return caption_; }
  virtual void setCaption(const base::TextValue& caption);

  void focus() { applyFocus(); }
  virtual bool hasFocus() const = 0;

  // Events; each handler is told the control that raised it (see SenderHandler), mouse events in
  // the event's `sender`. Mouse positions are relative to the control.
  SenderHandler<Control> onClick;
  SenderHandler<Control> onFocusGained;
  SenderHandler<Control> onFocusLost;
  std::function<void(const MouseEvent&)> onMouseDown;
  std::function<void(const MouseEvent&)> onMouseUp;
  std::function<void(const MouseEvent&)> onMouseMove;

 protected:
  Control(Window& window, Control* parent, const LayoutEntry& entry);

  // What the backend does for a property the program set.
  virtual void applyBounds(const Rect& bounds) = 0;
  virtual void applyVisible(bool visible) = 0;
  virtual void applyEnabled(bool enabled) = 0;
  virtual void applyTextColor(Color color) = 0;
  virtual void applyFont(const Font& font) = 0;
  virtual void applyCaption(const base::TextValue& caption) = 0;
  virtual void applyFocus() = 0;
  virtual void applyBringToFront() {}
  // The window's DPI changed: the backend places the control and sets its font again at the new
  // scale. Kinds with more device metrics (image sizes, item heights) extend it.
  virtual void applyScale() {
    applyFont(font_);
    applyBounds(bounds_);
  }

  // What the backend reports of the user.
  void raiseClick() { fire(onClick, *this); }
  void raiseFocusGained() { fire(onFocusGained, *this); }
  void raiseFocusLost() { fire(onFocusLost, *this); }
  void raiseMouseDown(MouseEvent event) { fire(onMouseDown, from(event)); }
  void raiseMouseUp(MouseEvent event) { fire(onMouseUp, from(event)); }
  void raiseMouseMove(MouseEvent event) { fire(onMouseMove, from(event)); }
  // The user's input was refused or cut short (a character the box cannot hold, a paste cut to the
  // room left): the window's toolkit beeps.
  void raiseInputRefused();

  const MouseEvent& from(MouseEvent& event) {
    event.sender = this;
    return event;
  }

  template <typename Handler, typename... Args>
  static void fire(const Handler& handler, Args&&... args) {
    if (handler) handler(std::forward<Args>(args)...);
  }

  // Takes over the properties (tag included, the state-saving marker not) and event handlers of a
  // template control (copying controls); kinds with more of them extend it.
  virtual void copyFrom(const Control& original);

  base::TextValue caption_;

 private:
  friend class Window;

  base::TextValue name_;
  ControlKind kind_;
  Window& window_;
  Control* parent_;
  Rect bounds_;
  bool visible_;
  bool enabled_;
  base::TextValue tag_;
  StateSaving stateSaving_ = StateSaving::Saved;
  Color textColor_ = kBlack;
  Font font_;
};

}  // namespace ui
