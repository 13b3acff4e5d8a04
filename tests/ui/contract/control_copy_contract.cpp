// Copying a control from a hidden template: kind, size, font, caption, colours, tag and event
// handlers come along, the handlers told the copy as their sender; the copy starts hidden in the
// template's parent; destroyControl removes it.

#include "tests/ui/contract/contract_fixture.h"

namespace ui_contract {
namespace {

using ui::ControlKind;

class ControlCopyContract : public ContractTest {
 protected:
  ControlCopyContract()
      : window(openWindow({entry("图片框", ControlKind::Panel, {0, 0, 600, 400}),
                           entry("标签复制", ControlKind::Label, {336, 288, 64, 32}, "标签", "图片框", false),
                           entry("编辑框复制", ControlKind::EditBox, {416, 288, 80, 24}, "", "图片框", false),
                           entry("选择框复制", ControlKind::CheckBox, {528, 288, 64, 32}, "OK", "图片框", false),
                           entry("按钮弹出关键内容", ControlKind::Button, {496, 288, 16, 24}, "▼", "图片框", false)})) {}

  ui::Window& window;
};

TEST_F(ControlCopyContract, ACopyTakesOverKindSizeFontCaptionAndColours) {
  ui::Control& label = *window.control("标签复制");
  ui::Font font;
  font.name = "黑体";
  font.size = 12;
  font.bold = true;
  label.setFont(font);
  label.setTextColor(255);
  label.setTag("模板");

  ui::Control& copy = window.copyControl(label, "标签_1");
  EXPECT_EQ(copy.name(), "标签_1");
  EXPECT_EQ(copy.kind(), ControlKind::Label);
  EXPECT_EQ(copy.parent(), window.control("图片框"));
  EXPECT_EQ(copy.bounds(), label.bounds());
  EXPECT_EQ(copy.font(), font);
  EXPECT_EQ(copy.textColor(), 255u);
  EXPECT_EQ(copy.caption(), "标签");
  EXPECT_EQ(copy.tag(), "模板");
  EXPECT_EQ(copy.stateSaving(), ui::StateSaving::NeverSaved);
  EXPECT_FALSE(copy.visible());
  EXPECT_EQ(window.control("标签_1"), &copy);
}

TEST_F(ControlCopyContract, ACopiedEditBoxRunsTheTemplatesHandlersAndKeepsItsInputModeAndByteLimit) {
  auto& original = window.get<ui::EditBox>("编辑框复制");
  original.setInputMode(ui::InputMode::Integer);
  original.setMaxBytes(2);
  original.onFocusGained = logs("focus gained");
  original.onContentChanged = logs("changed");

  auto& copy = dynamic_cast<ui::EditBox&>(window.copyControl(original, "编辑框_1"));
  EXPECT_EQ(logged("changed"), 0);  // making the copy raises nothing
  EXPECT_EQ(copy.inputMode(), ui::InputMode::Integer);
  EXPECT_EQ(copy.maxBytes(), 2u);
  copy.move(10, 10);
  copy.setVisible(true);
  user.type(copy, "4x21");
  EXPECT_EQ(copy.text(), "42");
  EXPECT_EQ(logged("focus gained"), 1);
  EXPECT_EQ(logged("changed"), 2);
  EXPECT_EQ(original.text(), "");
}

TEST_F(ControlCopyContract, OneHandlerOnTheTemplateIsToldWhichCopyRaisedTheEvent) {
  auto& original = window.get<ui::EditBox>("编辑框复制");
  std::vector<std::string> senders;
  original.onFocusGained = [&](ui::Control& sender) { senders.push_back("gained " + sender.tag()); };
  original.onFocusLost = [&](ui::Control& sender) { senders.push_back("lost " + sender.tag()); };
  original.onContentChanged = [&](ui::EditBox& sender) { senders.push_back("changed " + sender.tag()); };
  auto& button = window.get<ui::Button>("按钮弹出关键内容");
  button.onClick = [&](ui::Control& sender) { senders.push_back("click " + sender.tag()); };
  button.onMouseMove = [&](const ui::MouseEvent& event) { senders.push_back("move " + event.sender->tag()); };

  std::vector<ui::Control*> copies;
  for (const char* tag : {"一", "二"}) {
    ui::Control& copy = window.copyControl(original, std::string("编辑框_") + tag);
    copy.setTag(tag);
    copy.setBounds({10, tag == std::string("一") ? 10 : 40, 80, 24});
    copy.setVisible(true);
    copies.push_back(&copy);
  }
  ui::Control& buttonCopy = window.copyControl(button, "按钮_1");
  buttonCopy.setTag("钮");
  buttonCopy.move(100, 10);
  buttonCopy.setVisible(true);

  user.type(dynamic_cast<ui::EditBox&>(*copies[0]), "a");
  user.focus(*copies[1]);
  user.moveMouse(buttonCopy, {4, 4});
  user.click(buttonCopy);
  EXPECT_EQ(senders, (std::vector<std::string>{"gained 一", "changed 一", "lost 一", "gained 二", "move 钮",
                                               "lost 二", "click 钮"}));
}

TEST_F(ControlCopyContract, CopiedButtonsAndCheckBoxesActOnTheirOwnState) {
  auto& button = window.get<ui::Button>("按钮弹出关键内容");
  button.onClick = logs("popup");
  ui::Control& buttonCopy = window.copyControl(button, "按钮_1");
  EXPECT_EQ(buttonCopy.caption(), "▼");
  buttonCopy.setVisible(true);
  user.click(buttonCopy);
  EXPECT_EQ(logged("popup"), 1);

  auto& check = window.get<ui::CheckBox>("选择框复制");
  auto& checkCopy = dynamic_cast<ui::CheckBox&>(window.copyControl(check, "选择框_1"));
  checkCopy.setVisible(true);
  user.click(checkCopy);
  EXPECT_TRUE(checkCopy.checked());
  EXPECT_FALSE(check.checked());
}

TEST_F(ControlCopyContract, CopiesComeAfterTheDesignedControlsAndGoWhenDestroyed) {
  ui::Control& first = window.copyControl(*window.control("标签复制"), "标签_1");
  window.copyControl(*window.control("编辑框复制"), "编辑框_1");
  std::vector<ui::Control*> all = window.controls();
  ASSERT_EQ(all.size(), 7u);
  EXPECT_EQ(all[5]->name(), "标签_1");
  EXPECT_EQ(all[6]->name(), "编辑框_1");

  window.destroyControl(first);
  EXPECT_EQ(window.control("标签_1"), nullptr);
  all = window.controls();
  ASSERT_EQ(all.size(), 6u);
  EXPECT_EQ(all[5]->name(), "编辑框_1");
  EXPECT_NE(window.control("标签复制"), nullptr);
}

}  // namespace
}  // namespace ui_contract
