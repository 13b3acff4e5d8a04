// Mouse events with their position, button and keys; the keyboard focus and its events.

#include "tests/ui/contract/contract_fixture.h"

namespace ui_contract {
namespace {

using ui::ControlKind;

class MouseFocusContract : public ContractTest {
 protected:
  MouseFocusContract()
      : window(openWindow({entry("画板表头", ControlKind::DrawingPanel, {10, 10, 300, 24}),
                           entry("编辑框甲", ControlKind::EditBox, {10, 50, 100, 24}),
                           entry("编辑框乙", ControlKind::EditBox, {120, 50, 100, 24}),
                           entry("按钮录入", ControlKind::Button, {10, 90, 100, 48}, "录入")})),
        panel(control<ui::DrawingPanel>(window, "画板表头")),
        first(control<ui::EditBox>(window, "编辑框甲")),
        second(control<ui::EditBox>(window, "编辑框乙")),
        button(control<ui::Button>(window, "按钮录入")) {
    first.onFocusGained = logs("甲 gained");
    first.onFocusLost = logs("甲 lost");
    second.onFocusGained = logs("乙 gained");
    second.onFocusLost = logs("乙 lost");
  }

  ui::Window& window;
  ui::DrawingPanel& panel;
  ui::EditBox& first;
  ui::EditBox& second;
  ui::Button& button;
};

TEST_F(MouseFocusContract, MouseEventsCarryPositionButtonAndKeys) {
  std::vector<ui::MouseEvent> downs, ups, moves;
  panel.onMouseDown = [&](const ui::MouseEvent& e) { downs.push_back(e); };
  panel.onMouseUp = [&](const ui::MouseEvent& e) { ups.push_back(e); };
  panel.onMouseMove = [&](const ui::MouseEvent& e) { moves.push_back(e); };

  user.pressMouse(panel, {40, 12, ui::kCtrl | ui::kShift, ui::MouseButton::Left});
  user.moveMouse(panel, {60, 13, ui::kNoKeys, ui::MouseButton::None});
  user.releaseMouse(panel, {61, 14, ui::kAlt, ui::MouseButton::Right});

  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0].x, 40);
  EXPECT_EQ(downs[0].y, 12);
  EXPECT_EQ(downs[0].keys, ui::kCtrl | ui::kShift);
  EXPECT_EQ(downs[0].button, ui::MouseButton::Left);
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(moves.back().x, 60);
  EXPECT_EQ(moves.back().y, 13);
  ASSERT_EQ(ups.size(), 1u);
  EXPECT_EQ(ups[0].x, 61);
  EXPECT_EQ(ups[0].keys, ui::kAlt);
  EXPECT_EQ(ups[0].button, ui::MouseButton::Right);
}

TEST_F(MouseFocusContract, MovingTheFocusRaisesLostOfTheOldThenGainedOfTheNew) {
  user.focus(first);
  EXPECT_TRUE(first.hasFocus());
  user.focus(second);
  EXPECT_TRUE(second.hasFocus());
  EXPECT_FALSE(first.hasFocus());
  EXPECT_EQ(log, (std::vector<std::string>{"甲 gained", "甲 lost", "乙 gained"}));
}

TEST_F(MouseFocusContract, TheProgramMovesTheFocusWithTheSameEvents) {
  first.focus();
  second.focus();
  second.focus();
  EXPECT_TRUE(second.hasFocus());
  EXPECT_EQ(log, (std::vector<std::string>{"甲 gained", "甲 lost", "乙 gained"}));
}

TEST_F(MouseFocusContract, ClickingAButtonTakesTheFocusFromTheEditBoxBeforeTheClick) {
  // The entry panel relies on this: leaving a box shows its hint before the button's command runs.
  button.onClick = logs("click");
  user.type(first, "12");
  user.click(button);
  EXPECT_EQ(log, (std::vector<std::string>{"甲 gained", "甲 lost", "click"}));
  EXPECT_FALSE(first.hasFocus());
}

TEST_F(MouseFocusContract, TheWheelReportsItsSignedDeltaAndThePointer) {
  std::vector<int> deltas;
  ui::Point at;
  window.onMouseWheel = [&](int delta, ui::Point screen) {
    deltas.push_back(delta);
    at = screen;
  };
  const ui::Rect bounds = window.bounds();
  const ui::Point inside{bounds.left + 200, bounds.top + 200};
  user.turnWheel(window, ui::kWheelNotch, inside);
  user.turnWheel(window, -2 * ui::kWheelNotch, inside);
  user.turnWheel(window, 30, inside);  // a fine wheel: less than a notch, forward
  EXPECT_EQ(deltas, (std::vector<int>{120, -240, 30}));
  EXPECT_EQ(at, inside);
}

}  // namespace
}  // namespace ui_contract
