#pragma once
// HeadlessUser: what a user does to headless windows, for tests. A user only reaches a control that
// is shown and enabled, in a shown window (its parents shown and enabled too); every action on a
// control out of reach does nothing and returns false. Mouse actions put the pointer where they
// happen and hold their keys (the toolkit's keyState) while their events run.

#include "ui/headless/headless_toolkit.h"
#include "ui/headless/headless_tree_view.h"
#include "ui/list_controls.h"
#include "ui/panels.h"
#include "ui/simple_controls.h"
#include "ui/toolbar.h"

namespace ui::headless {

class HeadlessUser {
 public:
  explicit HeadlessUser(HeadlessToolkit& toolkit) : toolkit_(toolkit) {}

  bool canReach(const Control& control) const;

  // The keyboard focus moves to the control (Tab or a click): onFocusLost of the old holder, then
  // onFocusGained of the control.
  bool focus(Control& control);

  // Edit boxes get the focus first. Typing raises onContentChanged for every character that goes
  // in; the box's input mode, rejected characters and byte limit keep others out.
  bool type(EditBox& box, const base::TextValue& text);
  // Selects the whole content and types `text` over it.
  bool typeOver(EditBox& box, const base::TextValue& text);
  // Pastes the clipboard's text.
  bool paste(EditBox& box);
  // Enter in the box: pressKey(box, Key::Enter).
  bool pressEnter(EditBox& box);
  // A key pressed with `keys` held (the toolkit's keyState while its events run); the target gets
  // the focus first when its kind takes it. The window hears of the key first (Window::
  // handleKeyPress: its onKeyPress, Tab moving the focus); a key it leaves goes to the control with
  // the focus: Enter in an edit box breaks the line of a multi-line box and raises onEnter of a
  // single-line one. Other keys change nothing here (an edit box's caret stays at its end).
  bool pressKey(Control& target, Key key, int keys = kNoKeys);
  // Selects the whole content and deletes it.
  bool erase(EditBox& box);

  // A click with the left button: controls that take the focus get it first (buttons, edit boxes,
  // check boxes, lists, trees); a check box toggles, a radio button checks; then onClick.
  bool click(Control& control);
  // Picks an item of a drop-down list, list box or checked list box (keys: Ctrl or Shift in list
  // boxes); onSelectionChanged follows.
  bool pick(ItemList& list, int index, int keys = kNoKeys);
  bool doubleClick(ItemList& list, int index);
  bool toggleCheck(CheckedListBox& list, int index);
  bool chooseColor(ColorPicker& picker, Color color);

  // Mouse buttons and moves over a control, at a position relative to it.
  bool pressMouse(Control& control, const MouseEvent& event);
  bool releaseMouse(Control& control, const MouseEvent& event);
  bool moveMouse(Control& control, const MouseEvent& event);
  // Over the window itself, in client coordinates.
  bool moveMouseOver(Window& window, const MouseEvent& event);
  bool releaseMouseOver(Window& window, const MouseEvent& event);
  // The wheel turns by `delta` (positive: away from the user; kWheelNotch a notch) with the pointer
  // at `screen`.
  bool turnWheel(Window& window, int delta, Point screen);

  bool clickToolbarButton(Toolbar& toolbar, int index);
  bool dragSplitter(Splitter& splitter, int position);
  bool clickTreeItem(TreeView& tree, int index);
  LabelEditResult editTreeLabel(TreeView& tree, int index, const base::TextValue& text);
  // Ends the label edit under way (one the program started: TreeView::editLabel) with `text`.
  LabelEditResult endTreeLabelEdit(TreeView& tree, const base::TextValue& text);

  // The window's close box (onQueryClose may refuse); false when the window stays.
  bool closeWindow(Window& window);
  bool minimize(Window& window);

 private:
  bool reachable(const Window& window) const;
  // Runs a mouse action with the pointer on the control's point and the event's keys held.
  template <typename Action>
  bool mouseAction(Control& control, const MouseEvent& event, Action action);

  HeadlessToolkit& toolkit_;
};

}  // namespace ui::headless
