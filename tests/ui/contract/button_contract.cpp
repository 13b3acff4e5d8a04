// Buttons, check boxes and radio buttons: the program's state changes raise nothing; the user's
// click changes the state first and then raises onClick.

#include "tests/ui/contract/contract_fixture.h"

namespace ui_contract {
namespace {

using ui::ControlKind;

class ButtonContract : public ContractTest {
 protected:
  ButtonContract()
      : window(openWindow({entry("按钮查找", ControlKind::Button, {10, 10, 80, 24}, "查找"),
                           entry("选择框查树", ControlKind::CheckBox, {100, 10, 64, 24}, "查树"),
                           entry("图片框组", ControlKind::Panel, {10, 50, 300, 100}),
                           entry("单选框甲", ControlKind::RadioButton, {8, 8, 80, 24}, "甲", "图片框组"),
                           entry("单选框乙", ControlKind::RadioButton, {8, 40, 80, 24}, "乙", "图片框组")})),
        button(control<ui::Button>(window, "按钮查找")),
        check(control<ui::CheckBox>(window, "选择框查树")),
        first(control<ui::RadioButton>(window, "单选框甲")),
        second(control<ui::RadioButton>(window, "单选框乙")) {}

  ui::Window& window;
  ui::Button& button;
  ui::CheckBox& check;
  ui::RadioButton& first;
  ui::RadioButton& second;
};

TEST_F(ButtonContract, AClickRaisesOnClickOnce) {
  button.onClick = logs("click");
  user.click(button);
  EXPECT_EQ(logged("click"), 1);
  button.setCaption("找不到！");
  EXPECT_EQ(button.caption(), "找不到！");
  EXPECT_EQ(logged("click"), 1);
}

TEST_F(ButtonContract, DisabledOrHiddenButtonsCannotBeClicked) {
  button.onClick = logs("click");
  button.setEnabled(false);
  user.click(button);
  button.setEnabled(true);
  button.setVisible(false);
  user.click(button);
  EXPECT_EQ(logged("click"), 0);
}

TEST_F(ButtonContract, SettingACheckStateRaisesNothing) {
  check.onClick = logs("click");
  first.onClick = logs("click");
  check.setChecked(true);
  EXPECT_TRUE(check.checked());
  check.setChecked(false);
  first.setChecked(true);
  EXPECT_FALSE(check.checked());
  EXPECT_TRUE(first.checked());
  EXPECT_TRUE(log.empty());
}

TEST_F(ButtonContract, TheUsersClickTogglesACheckBoxBeforeOnClick) {
  std::vector<bool> seen;
  check.onClick = [&] { seen.push_back(check.checked()); };
  user.click(check);
  user.click(check);
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST_F(ButtonContract, AClickedRadioButtonIsTheOnlyCheckedOneOfItsGroup) {
  std::vector<bool> seen;
  second.onClick = [&] { seen.push_back(second.checked()); };
  first.setChecked(true);
  user.click(second);
  EXPECT_TRUE(second.checked());
  EXPECT_FALSE(first.checked());
  user.click(second);  // a checked radio button stays checked
  EXPECT_TRUE(second.checked());
  EXPECT_EQ(seen, (std::vector<bool>{true, true}));
}

}  // namespace
}  // namespace ui_contract
