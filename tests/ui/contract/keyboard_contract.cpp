// Keys a window hears of before its controls: Tab moving the focus along the tab order, and the
// window's own key handler, which hears every key of ui::Key with the keys held.

#include "tests/ui/contract/contract_fixture.h"

namespace ui_contract {
namespace {

using ui::ControlKind;
using ui::Key;

class KeyboardContract : public ContractTest {
 protected:
  KeyboardContract()
      : window(openWindow({entry("编辑框甲", ControlKind::EditBox, {10, 10, 100, 24}),
                           entry("标签", ControlKind::Label, {120, 10, 60, 24}, "标签"),
                           entry("按钮乙", ControlKind::Button, {10, 40, 100, 30}, "乙"),
                           entry("图片框", ControlKind::Panel, {10, 80, 300, 100}),
                           entry("选择框丙", ControlKind::CheckBox, {10, 10, 80, 24}, "丙", "图片框"),
                           entry("编辑框丁", ControlKind::EditBox, {10, 200, 200, 60}),
                           entry("画板", ControlKind::DrawingPanel, {220, 10, 100, 60})})),
        first(control<ui::EditBox>(window, "编辑框甲")),
        button(control<ui::Button>(window, "按钮乙")),
        panel(*window.control("图片框")),
        check(control<ui::CheckBox>(window, "选择框丙")),
        last(control<ui::EditBox>(window, "编辑框丁")),
        drawing(control<ui::DrawingPanel>(window, "画板")) {}

  // Presses Tab (with `keys` held) at `from`; the control that has the focus afterwards.
  ui::Control* tab(ui::Control& from, int keys = ui::kNoKeys) {
    user.pressKey(from, Key::Tab, keys);
    return focused();
  }
  ui::Control* focused() const {
    for (ui::Control* control : window.controls()) {
      const bool canHold = ui::takesFocus(control->kind()) || control == &drawing;
      if (canHold && control->hasFocus()) return control;
    }
    return nullptr;
  }

  ui::Window& window;
  ui::EditBox& first;
  ui::Button& button;
  ui::Control& panel;
  ui::CheckBox& check;
  ui::EditBox& last;
  ui::DrawingPanel& drawing;
};

constexpr Key kEveryKey[] = {Key::Tab,  Key::Enter,  Key::Escape,   Key::F2,   Key::F3,  Key::Delete, Key::Up, Key::Down,
                             Key::PageUp, Key::PageDown, Key::Home, Key::End, Key::A, Key::F, Key::N};

TEST_F(KeyboardContract, TabWalksTheControlsThatTakeTheFocusInLayoutOrderRoundBothWays) {
  EXPECT_EQ(tab(first), &button);
  EXPECT_EQ(tab(button), &check);
  EXPECT_EQ(tab(check), &last);
  EXPECT_EQ(tab(last), &first);
  EXPECT_EQ(tab(first, ui::kShift), &last);
  EXPECT_EQ(tab(last, ui::kShift), &check);
}

TEST_F(KeyboardContract, TabPassesOverControlsOutOfReach) {
  button.setEnabled(false);
  panel.setVisible(false);
  EXPECT_EQ(tab(first), &last);
  EXPECT_EQ(tab(last, ui::kShift), &first);
  panel.setVisible(true);
  check.setEnabled(false);
  EXPECT_EQ(tab(first), &last);
}

TEST_F(KeyboardContract, TabMovesTheFocusWithTheEventsOfAClick) {
  user.focus(first);
  first.onFocusLost = logs("甲 lost");
  button.onFocusGained = logs("乙 gained");
  tab(first);
  EXPECT_EQ(log, (std::vector<std::string>{"甲 lost", "乙 gained"}));
}

TEST_F(KeyboardContract, ASetTabOrderTakesCopiesAndLosesDestroyedControls) {
  ui::Control& copy = window.copyControl(last, "编辑框丁_1");
  copy.setVisible(true);
  EXPECT_EQ(tab(last), &copy);  // copies come after the designed controls

  window.setTabOrder({&copy, &first, &last});
  EXPECT_EQ(tab(first), &last);
  EXPECT_EQ(tab(last), &copy);
  EXPECT_EQ(tab(copy), &first);

  window.destroyControl(copy);
  EXPECT_EQ(window.tabOrder(), (std::vector<ui::Control*>{&first, &last}));
  EXPECT_EQ(tab(last), &first);

  window.setTabOrder({});
  EXPECT_EQ(tab(first), &button);
}

TEST_F(KeyboardContract, TheWindowHearsOfKeysBeforeTheFocusedControlAndMayTakeThem) {
  std::vector<ui::KeyPress> heard;
  window.onKeyPress = [&heard](const ui::KeyPress& press) {
    heard.push_back(press);
    return press.key == Key::Tab || (press.keys & ui::kCtrl) != 0;
  };
  first.onEnter = logs("enter");

  user.pressKey(first, Key::Enter, ui::kCtrl);
  user.pressKey(first, Key::Tab, ui::kNoKeys);
  EXPECT_EQ(focused(), &first);
  user.pressKey(button, Key::Escape, ui::kShift);
  user.pressKey(first, Key::Enter, ui::kNoKeys);

  ASSERT_EQ(heard.size(), 4u);
  EXPECT_EQ(heard[0].target, &first);
  EXPECT_EQ(heard[0].key, Key::Enter);
  EXPECT_EQ(heard[0].keys, ui::kCtrl);
  EXPECT_EQ(heard[1].key, Key::Tab);
  EXPECT_EQ(heard[2].target, &button);
  EXPECT_EQ(heard[2].key, Key::Escape);
  EXPECT_EQ(heard[2].keys, ui::kShift);
  EXPECT_EQ(heard[3].keys, ui::kNoKeys);
  // Only the Enter the window left reached the box.
  EXPECT_EQ(log, (std::vector<std::string>{"enter"}));
}

TEST_F(KeyboardContract, EveryKeyReachesTheWindowWithTheKeysHeldAndTheFocusedControl) {
  std::vector<ui::KeyPress> heard;
  window.onKeyPress = [&heard](const ui::KeyPress& press) {
    heard.push_back(press);
    return true;
  };
  first.onEnter = logs("enter");
  const int heldKeys[] = {ui::kNoKeys, ui::kCtrl, ui::kShift, ui::kAlt, ui::kCtrl | ui::kShift};
  std::vector<ui::KeyPress> pressed;
  for (const Key key : kEveryKey) {
    for (const int keys : heldKeys) {
      ui::Control& target = pressed.size() % 2 == 0 ? static_cast<ui::Control&>(first) : button;
      user.pressKey(target, key, keys);
      pressed.push_back({&target, key, keys});
    }
  }
  ASSERT_EQ(heard.size(), pressed.size());
  for (std::size_t i = 0; i < pressed.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "key " << static_cast<int>(pressed[i].key) << " keys " << pressed[i].keys);
    EXPECT_EQ(heard[i].target, pressed[i].target);
    EXPECT_EQ(heard[i].key, pressed[i].key);
    EXPECT_EQ(heard[i].keys, pressed[i].keys);
  }
  // Taken by the window, no key reached the box: no Enter, no typed letter.
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(first.text(), "");
}

TEST_F(KeyboardContract, ADrawingPanelInASetTabOrderTakesTheFocusAndItsKeysReachTheWindow) {
  window.setTabOrder({&first, &drawing, &last});
  EXPECT_EQ(tab(first), &drawing);
  std::vector<ui::KeyPress> heard;
  window.onKeyPress = [&heard](const ui::KeyPress& press) {
    heard.push_back(press);
    return press.key != Key::Tab;
  };
  user.pressKey(drawing, Key::Down, ui::kNoKeys);
  user.pressKey(drawing, Key::A, ui::kCtrl);
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_EQ(heard[0].target, &drawing);
  EXPECT_EQ(heard[0].key, Key::Down);
  EXPECT_EQ(heard[1].key, Key::A);
  EXPECT_EQ(heard[1].keys, ui::kCtrl);
  EXPECT_EQ(tab(drawing), &last);
  EXPECT_EQ(tab(last, ui::kShift), &drawing);
  // Out of reach, it is passed over.
  drawing.setVisible(false);
  EXPECT_EQ(tab(first), &last);
}

TEST_F(KeyboardContract, AMultiLineBoxBreaksTheLineOnEnterAndTabLeavesIt) {
  last.setMultiLine(true);
  user.type(last, "一行");
  user.pressKey(last, Key::Enter, ui::kNoKeys);
  EXPECT_EQ(last.text(), "一行\r\n");
  EXPECT_EQ(tab(last), &first);
  EXPECT_EQ(last.text(), "一行\r\n");
}

}  // namespace
}  // namespace ui_contract
