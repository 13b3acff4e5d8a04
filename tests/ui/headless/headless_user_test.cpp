// The simulated user: what is out of reach, editing keys, list box selection with keys, radio
// groups, the window's own mouse events.

#include <gtest/gtest.h>

#include "ui/headless/headless_list_controls.h"
#include "ui/headless/headless_simple_controls.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/headless/headless_user.h"

namespace ui::headless {
namespace {

LayoutEntry entry(const base::TextValue& name, ControlKind kind, const base::TextValue& parent = {}, bool visible = true) {
  LayoutEntry made;
  made.name = name;
  made.kind = kind;
  made.bounds = {10, 10, 100, 24};
  made.parent = parent;
  made.visible = visible;
  return made;
}

class HeadlessUserTest : public ::testing::Test {
 protected:
  HeadlessUserTest() {
    WindowLayout layout;
    layout.bounds = {0, 0, 640, 480};
    layout.controls = {entry("图片框查找", ControlKind::Panel, {}, false), entry("按钮查找", ControlKind::Button, "图片框查找"),
                       entry("编辑框", ControlKind::EditBox),           entry("列表框", ControlKind::ListBox),
                       entry("分组框", ControlKind::GroupBox),          entry("单选框甲", ControlKind::RadioButton, "分组框"),
                       entry("单选框乙", ControlKind::RadioButton, "分组框"), entry("单选框丙", ControlKind::RadioButton)};
    window = kit.createWindow(layout, nullptr);
  }

  HeadlessToolkit kit;
  HeadlessUser user{kit};
  std::unique_ptr<Window> window;
};

TEST_F(HeadlessUserTest, NothingIsReachableBeforeTheWindowShowsNorInsideAHiddenParent) {
  Control& edit = *window->control("编辑框");
  Control& button = *window->control("按钮查找");
  EXPECT_FALSE(user.click(edit));
  kit.show(*window);
  EXPECT_TRUE(user.click(edit));
  EXPECT_FALSE(user.click(button));
  window->control("图片框查找")->setVisible(true);
  EXPECT_TRUE(user.click(button));
  window->control("图片框查找")->setEnabled(false);
  EXPECT_FALSE(user.canReach(button));
}

TEST_F(HeadlessUserTest, BackspaceAndEraseChangeTheContentOnceEach) {
  kit.show(*window);
  auto& edit = window->get<EditBox>("编辑框");
  int changes = 0;
  edit.setText("ab川\r\n");
  edit.onContentChanged = [&] { ++changes; };
  auto& headless = dynamic_cast<HeadlessEditBox&>(edit);
  headless.userBackspace();
  EXPECT_EQ(edit.text(), "ab川");
  headless.userBackspace();
  EXPECT_EQ(edit.text(), "ab");
  EXPECT_TRUE(user.erase(edit));
  EXPECT_EQ(edit.text(), "");
  headless.userBackspace();
  user.erase(edit);
  EXPECT_EQ(changes, 3);
}

TEST_F(HeadlessUserTest, ListBoxPicksWithCtrlAndShiftExtendTheSelection) {
  kit.show(*window);
  auto& list = window->get<ListBox>("列表框");
  list.setItems({"a", "b", "c", "d", "e"});
  int changes = 0;
  list.onSelectionChanged = [&] { ++changes; };
  int doubles = 0;
  list.onDoubleClick = [&] { ++doubles; };
  user.pick(list, 1);
  user.pick(list, 3, kShift);
  EXPECT_EQ(list.selectedIndices(), (std::vector<int>{1, 2, 3}));
  user.pick(list, 2, kCtrl);
  EXPECT_EQ(list.selectedIndices(), (std::vector<int>{1, 3}));
  EXPECT_EQ(list.currentIndex(), 2);
  user.doubleClick(list, 4);
  EXPECT_EQ(list.selectedIndices(), (std::vector<int>{4}));
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(doubles, 1);
}

TEST_F(HeadlessUserTest, RadioButtonsFormAGroupPerParent) {
  kit.show(*window);
  auto& first = window->get<RadioButton>("单选框甲");
  auto& second = window->get<RadioButton>("单选框乙");
  auto& outside = window->get<RadioButton>("单选框丙");
  outside.setChecked(true);
  user.click(first);
  user.click(second);
  EXPECT_FALSE(first.checked());
  EXPECT_TRUE(second.checked());
  EXPECT_TRUE(outside.checked());
}

TEST_F(HeadlessUserTest, TheWindowGetsMouseEventsOutsideItsControls) {
  kit.show(*window);
  std::vector<std::string> seen;
  window->onMouseMove = [&](const MouseEvent& e) { seen.push_back("move " + std::to_string(e.x)); };
  window->onMouseUp = [&](const MouseEvent& e) { seen.push_back("up " + std::to_string(e.keys)); };
  user.moveMouseOver(*window, {300, 200, kNoKeys, MouseButton::None});
  user.releaseMouseOver(*window, {301, 200, kCtrl, MouseButton::Left});
  EXPECT_EQ(seen, (std::vector<std::string>{"move 300", "up 1"}));
  EXPECT_EQ(kit.cursorPosition(), (Point{309, 231}));
}

TEST_F(HeadlessUserTest, TypingIntoAHiddenBoxDoesNothing) {
  kit.show(*window);
  auto& edit = window->get<EditBox>("编辑框");
  edit.setVisible(false);
  EXPECT_FALSE(user.type(edit, "x"));
  EXPECT_EQ(edit.text(), "");
  EXPECT_FALSE(edit.hasFocus());
}

}  // namespace
}  // namespace ui::headless
