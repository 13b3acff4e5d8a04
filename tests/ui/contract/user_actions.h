#pragma once
// What the contract suite needs of a backend beyond ui::Toolkit: a way to act as the user, and to
// look at what only the backend knows (pixels, the message boxes on screen). Each backend's test
// program defines makeBackendUnderTest; the suite's files are the same for every backend.
//
// An action happens as the user would make it happen (real input where the backend can), and
// returns once the events it raises have run. Actions on a control the user cannot reach (hidden or
// disabled) do nothing.

#include <memory>
#include <optional>
#include <vector>

#include "ui/list_controls.h"
#include "ui/panels.h"
#include "ui/simple_controls.h"
#include "ui/toolbar.h"
#include "ui/toolkit.h"
#include "ui/tree_view.h"

namespace ui_contract {

enum class LabelEdit { Refused, Rejected, Accepted };

class UserActions {
 public:
  virtual ~UserActions() = default;

  // The keyboard focus moves to the control (as Tab or a click would move it).
  virtual void focus(ui::Control& control) = 0;
  // Keyboard input into an edit box, which gets the focus first; "\r\n" is the Enter key.
  virtual void type(ui::EditBox& box, const base::TextValue& text) = 0;
  // Selects the box's whole content and types `text` over it.
  virtual void typeOver(ui::EditBox& box, const base::TextValue& text) = 0;
  virtual void pressEnter(ui::EditBox& box) = 0;
  // A key pressed with `keys` (ui::kCtrl, kShift, kAlt) held, aimed at the control, which gets the
  // focus first when it takes it; the window hears of it before the control.
  virtual void pressKey(ui::Control& target, ui::Key key, int keys) = 0;
  // Pastes the clipboard's text into the box (Ctrl+V).
  virtual void paste(ui::EditBox& box) = 0;
  // A left click on a button, check box, radio button or label.
  virtual void click(ui::Control& control) = 0;
  // Chooses an item of a drop-down list (opening it), list box or checked list box.
  virtual void pick(ui::ItemList& list, int index) = 0;
  // Clicks the check box of an item of a checked list box.
  virtual void toggleCheck(ui::CheckedListBox& list, int index) = 0;
  // Mouse buttons and moves over a control; positions relative to the control.
  virtual void pressMouse(ui::Control& control, const ui::MouseEvent& event) = 0;
  virtual void releaseMouse(ui::Control& control, const ui::MouseEvent& event) = 0;
  virtual void moveMouse(ui::Control& control, const ui::MouseEvent& event) = 0;
  virtual void clickToolbarButton(ui::Toolbar& toolbar, int index) = 0;
  // Drags the splitter so that its left edge would be at `position` (client coordinates of its
  // parent).
  virtual void dragSplitter(ui::Splitter& splitter, int position) = 0;
  virtual void clickTreeItem(ui::TreeView& tree, int index) = 0;
  // Starts editing the item's label and ends the edit with `text` (Enter).
  virtual LabelEdit editTreeLabel(ui::TreeView& tree, int index, const base::TextValue& text) = 0;
  // Ends the label edit under way (started by the program) with `text` (Enter); Refused when no
  // edit is under way. `index` is the item being edited, whose label tells the outcome.
  virtual LabelEdit endTreeLabelEdit(ui::TreeView& tree, int index, const base::TextValue& text) = 0;
  // The window's close box.
  virtual void closeWindow(ui::Window& window) = 0;
  virtual void minimize(ui::Window& window) = 0;
  // The wheel turns by `delta` (positive: away from the user; ui::kWheelNotch a notch) with the
  // pointer at `screen`.
  virtual void turnWheel(ui::Window& window, int delta, ui::Point screen) = 0;

  // The user moves the window to a screen of another DPI (the system tells the window so).
  virtual void moveToScreenOfDpi(ui::Window& window, int dpi) = 0;
  // Where the backend placed the control, in device pixels relative to its parent, and the pixel
  // height of the characters of its font.
  virtual ui::Rect deviceBounds(ui::Control& control) = 0;
  virtual int deviceFontPixels(ui::Control& control) = 0;

  // The colour of a pixel of what the panel shows (its back buffer); nothing when the backend
  // cannot tell.
  virtual std::optional<ui::Color> pixelAt(ui::DrawingPanel& panel, ui::Point point) = 0;

  // Message boxes: the next OK/Cancel box is answered so; every box shown so far, as requested.
  virtual void answerNextMessageBox(ui::MessageAnswer answer) = 0;
  virtual std::vector<ui::MessageBoxRequest> shownMessageBoxes() = 0;
  // The toolkit's beeps so far.
  virtual int beepCount() = 0;
};

// The toolkit and its user; `user` goes before `toolkit`.
struct BackendUnderTest {
  std::unique_ptr<ui::Toolkit> toolkit;
  std::unique_ptr<UserActions> user;
};

std::unique_ptr<BackendUnderTest> makeBackendUnderTest();

}  // namespace ui_contract
