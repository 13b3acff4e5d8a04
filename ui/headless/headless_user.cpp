#include "ui/headless/headless_user.h"

#include "ui/headless/headless_list_controls.h"
#include "ui/headless/headless_simple_controls.h"
#include "ui/headless/headless_toolbar.h"
#include "ui/headless/headless_window.h"

namespace ui::headless {

namespace {

HeadlessControlBase& headless(Control& control) { return dynamic_cast<HeadlessControlBase&>(control); }

// Keys held while a user action runs, released afterwards.
class HeldKeys {
 public:
  HeldKeys(HeadlessToolkit& toolkit, int keys) : toolkit_(toolkit), before_(toolkit.keyState()) { toolkit.setKeyState(keys); }
  ~HeldKeys() { toolkit_.setKeyState(before_); }
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

 private:
  HeadlessToolkit& toolkit_;
  int before_;
};

}  // namespace

bool HeadlessUser::reachable(const Window& window) const {
  const auto& headlessWindow = dynamic_cast<const HeadlessWindow&>(window);
  return headlessWindow.visible() && !headlessWindow.closed() && !headlessWindow.minimized();
}

bool HeadlessUser::canReach(const Control& control) const { return control.reachable() && reachable(control.window()); }

bool HeadlessUser::focus(Control& control) {
  if (!canReach(control)) return false;
  toolkit_.setFocus(&headless(control));
  return true;
}

bool HeadlessUser::type(EditBox& box, const base::TextValue& text) {
  if (!focus(box)) return false;
  dynamic_cast<HeadlessEditBox&>(box).userType(text);
  return true;
}

bool HeadlessUser::typeOver(EditBox& box, const base::TextValue& text) {
  if (!focus(box)) return false;
  dynamic_cast<HeadlessEditBox&>(box).userTypeOver(text);
  return true;
}

bool HeadlessUser::paste(EditBox& box) {
  if (!focus(box)) return false;
  dynamic_cast<HeadlessEditBox&>(box).userPaste(toolkit_.clipboardText());
  return true;
}

bool HeadlessUser::pressEnter(EditBox& box) { return pressKey(box, Key::Enter); }

bool HeadlessUser::pressKey(Control& target, Key key, int keys) {
  if (!canReach(target)) return false;
  if (takesFocus(target.kind())) focus(target);
  Window& window = target.window();
  Control* focused = toolkit_.focusedControl();
  if (focused != nullptr && &focused->window() != &window) focused = nullptr;
  HeldKeys held(toolkit_, keys);
  if (window.handleKeyPress({focused, key, keys})) return true;
  // The handlers moved the focus away or destroyed the control: the key has gone nowhere.
  if (focused == nullptr || toolkit_.focusedControl() != focused) return true;
  // What the focused control does with the key: Enter in an edit box, as the keyboard gives it
  // (a line break in a multi-line box, Ctrl+Enter too; onEnter in a single-line one, not with Ctrl;
  // with Alt a menu key, nothing).
  auto* box = dynamic_cast<HeadlessEditBox*>(focused);
  if (key == Key::Enter && box != nullptr && (keys & kAlt) == 0 && (box->multiLine() || (keys & kCtrl) == 0)) {
    box->userPressEnter();
  }
  return true;
}

bool HeadlessUser::erase(EditBox& box) {
  if (!focus(box)) return false;
  dynamic_cast<HeadlessEditBox&>(box).userErase();
  return true;
}

bool HeadlessUser::click(Control& control) {
  if (!canReach(control)) return false;
  if (takesFocus(control.kind())) focus(control);
  headless(control).userClick();
  return true;
}

bool HeadlessUser::pick(ItemList& list, int index, int keys) {
  if (!canReach(list)) return false;
  focus(list);
  if (auto* combo = dynamic_cast<HeadlessComboBox*>(&list)) {
    combo->userPick(index);
  } else if (auto* box = dynamic_cast<HeadlessListBox*>(&list)) {
    box->userPick(index, keys);
  } else {
    dynamic_cast<HeadlessCheckedListBox&>(list).userPick(index);
  }
  return true;
}

bool HeadlessUser::doubleClick(ItemList& list, int index) {
  if (!canReach(list)) return false;
  focus(list);
  if (auto* box = dynamic_cast<HeadlessListBox*>(&list)) {
    box->userDoubleClick(index);
    return true;
  }
  return pick(list, index);
}

bool HeadlessUser::toggleCheck(CheckedListBox& list, int index) {
  if (!canReach(list)) return false;
  focus(list);
  dynamic_cast<HeadlessCheckedListBox&>(list).userToggle(index);
  return true;
}

bool HeadlessUser::chooseColor(ColorPicker& picker, Color color) {
  if (!canReach(picker)) return false;
  focus(picker);
  dynamic_cast<HeadlessColorPicker&>(picker).userChoose(color);
  return true;
}

template <typename Action>
bool HeadlessUser::mouseAction(Control& control, const MouseEvent& event, Action action) {
  if (!canReach(control)) return false;
  const auto& window = dynamic_cast<const HeadlessWindow&>(control.window());
  toolkit_.setCursorPosition(window.screenPosition(control, {event.x, event.y}));
  HeldKeys held(toolkit_, event.keys);
  action(headless(control));
  return true;
}

bool HeadlessUser::pressMouse(Control& control, const MouseEvent& event) {
  return mouseAction(control, event, [&event](HeadlessControlBase& c) { c.userMouseDown(event); });
}

bool HeadlessUser::releaseMouse(Control& control, const MouseEvent& event) {
  return mouseAction(control, event, [&event](HeadlessControlBase& c) { c.userMouseUp(event); });
}

bool HeadlessUser::moveMouse(Control& control, const MouseEvent& event) {
  return mouseAction(control, event, [&event](HeadlessControlBase& c) { c.userMouseMove(event); });
}

bool HeadlessUser::moveMouseOver(Window& window, const MouseEvent& event) {
  if (!reachable(window)) return false;
  auto& headlessWindow = dynamic_cast<HeadlessWindow&>(window);
  const Point origin = headlessWindow.clientOrigin();
  toolkit_.setCursorPosition({origin.x + event.x, origin.y + event.y});
  HeldKeys held(toolkit_, event.keys);
  headlessWindow.userMouseMove(event);
  return true;
}

bool HeadlessUser::releaseMouseOver(Window& window, const MouseEvent& event) {
  if (!reachable(window)) return false;
  auto& headlessWindow = dynamic_cast<HeadlessWindow&>(window);
  const Point origin = headlessWindow.clientOrigin();
  toolkit_.setCursorPosition({origin.x + event.x, origin.y + event.y});
  HeldKeys held(toolkit_, event.keys);
  headlessWindow.userMouseUp(event);
  return true;
}

bool HeadlessUser::turnWheel(Window& window, int delta, Point screen) {
  if (!reachable(window)) return false;
  toolkit_.setCursorPosition(screen);
  dynamic_cast<HeadlessWindow&>(window).userWheel(delta, screen);
  return true;
}

bool HeadlessUser::clickToolbarButton(Toolbar& toolbar, int index) {
  if (!canReach(toolbar)) return false;
  return dynamic_cast<HeadlessToolbar&>(toolbar).userClickButton(index);
}

bool HeadlessUser::dragSplitter(Splitter& splitter, int position) {
  if (!canReach(splitter)) return false;
  dynamic_cast<HeadlessSplitter&>(splitter).userDrag(position);
  return true;
}

bool HeadlessUser::clickTreeItem(TreeView& tree, int index) {
  if (!canReach(tree) || index < 0 || index >= tree.itemCount()) return false;
  focus(tree);
  dynamic_cast<HeadlessTreeView&>(tree).userClickItem(index);
  return true;
}

LabelEditResult HeadlessUser::editTreeLabel(TreeView& tree, int index, const base::TextValue& text) {
  if (!canReach(tree)) return LabelEditResult::Refused;
  focus(tree);
  return dynamic_cast<HeadlessTreeView&>(tree).userEditLabel(index, text);
}

LabelEditResult HeadlessUser::endTreeLabelEdit(TreeView& tree, const base::TextValue& text) {
  if (!canReach(tree)) return LabelEditResult::Refused;
  return dynamic_cast<HeadlessTreeView&>(tree).userEndLabelEdit(text);
}

bool HeadlessUser::closeWindow(Window& window) {
  if (!window.visible()) return false;  // minimised windows close from the task bar
  window.close();
  return dynamic_cast<HeadlessWindow&>(window).closed();
}

bool HeadlessUser::minimize(Window& window) {
  if (!reachable(window)) return false;
  dynamic_cast<HeadlessWindow&>(window).userMinimize();
  return true;
}

}  // namespace ui::headless
