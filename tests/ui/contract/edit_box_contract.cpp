// Edit boxes: the program's setText raises content-changed exactly once; the user's typing raises it
// per character that goes in; input modes and rejected characters keep characters out; the byte
// limit stops typing and cuts pastes, with a beep, and never cuts what the program put in.

#include "tests/ui/contract/contract_fixture.h"

namespace ui_contract {
namespace {

using ui::ControlKind;

class EditBoxContract : public ContractTest {
 protected:
  EditBoxContract()
      : window(openWindow({entry("编辑框内容", ControlKind::EditBox, {10, 10, 200, 24}, "初始"),
                           entry("编辑框备注", ControlKind::EditBox, {10, 40, 200, 80})})),
        box(control<ui::EditBox>(window, "编辑框内容")) {
    box.onContentChanged = [this] { seen.push_back(box.text()); };
    box.onEnter = logs("enter");
  }

  ui::Window& window;
  ui::EditBox& box;
  std::vector<base::TextValue> seen;  // the content each content-changed event saw
};

TEST_F(EditBoxContract, ProgramSetRaisesOnceAlsoWhenTheTextStaysTheSame) {
  EXPECT_EQ(box.text(), "初始");
  box.setText("砚川");
  EXPECT_EQ(seen, (std::vector<base::TextValue>{"砚川"}));
  box.setText("砚川");
  box.setCaption("");
  box.setText("");
  EXPECT_EQ(seen, (std::vector<base::TextValue>{"砚川", "砚川", "", ""}));
  EXPECT_EQ(logged("enter"), 0);
}

TEST_F(EditBoxContract, SettingTheTextInsideItsOwnHandlerRunsTheHandlerAgain) {
  // A handler that corrects the content (as a length box limits its number) sets it again.
  box.onContentChanged = [this] {
    seen.push_back(box.text());
    if (box.text() == "999") box.setText("100");
  };
  box.setText("999");
  EXPECT_EQ(seen, (std::vector<base::TextValue>{"999", "100"}));
  EXPECT_EQ(box.text(), "100");
}

TEST_F(EditBoxContract, TypingRaisesOncePerCharacterThatGoesIn) {
  box.setText("");
  seen.clear();
  user.type(box, "ab川");
  EXPECT_EQ(box.text(), "ab川");
  EXPECT_EQ(seen, (std::vector<base::TextValue>{"a", "ab", "ab川"}));
}

TEST_F(EditBoxContract, InputModesKeepOtherCharactersOut) {
  box.setText("");
  box.setInputMode(ui::InputMode::Integer);
  seen.clear();
  user.type(box, "1a2-.x");
  EXPECT_EQ(box.text(), "12-");
  EXPECT_EQ(seen.size(), 3u);

  box.setText("");
  box.setInputMode(ui::InputMode::Decimal);
  user.type(box, "-1.5e川");
  EXPECT_EQ(box.text(), "-1.5");
}

TEST_F(EditBoxContract, RejectedCharactersCannotBeTypedOrPasted) {
  box.setText("");
  box.setRejectedCharacters("|,");
  user.type(box, "a|b,c");
  EXPECT_EQ(box.text(), "abc");

  kit.setClipboardText("d|e,川");
  seen.clear();
  user.paste(box);
  EXPECT_EQ(box.text(), "abcde川");
  EXPECT_EQ(seen.size(), 1u);
}

TEST_F(EditBoxContract, PasteIntoAnIntegerBoxKeepsTheDigits) {
  box.setText("");
  box.setInputMode(ui::InputMode::Integer);
  kit.setClipboardText("12ab34川");
  seen.clear();
  user.paste(box);
  EXPECT_EQ(box.text(), "1234");
  EXPECT_EQ(seen, (std::vector<base::TextValue>{"1234"}));
}

TEST_F(EditBoxContract, EnterRaisesOnEnterInASingleLineBoxAndBreaksTheLineInAMultiLineBox) {
  box.setText("x");
  seen.clear();
  user.pressEnter(box);
  EXPECT_EQ(logged("enter"), 1);
  EXPECT_EQ(box.text(), "x");
  EXPECT_TRUE(seen.empty());

  auto& memo = control<ui::EditBox>(window, "编辑框备注");
  memo.setMultiLine(true);
  EXPECT_TRUE(memo.multiLine());
  memo.onEnter = logs("memo enter");
  user.type(memo, "一\r\n二");
  EXPECT_EQ(memo.text(), "一\r\n二");
  EXPECT_EQ(logged("memo enter"), 0);
  memo.setText("三\r\n四");
  EXPECT_EQ(memo.text(), "三\r\n四");
}

TEST_F(EditBoxContract, TypingStopsAtTheByteLimitWithABeepPerRefusedCharacter) {
  box.setText("");
  box.setMaxBytes(5);
  seen.clear();
  const int beeps = user.beepCount();
  // a, b and 川 take 4 bytes; 砚 would need 2 of the 1 left; c fills the box; d finds no room.
  user.type(box, "ab川砚cd");
  EXPECT_EQ(box.text(), "ab川c");
  EXPECT_EQ(seen.size(), 4u);
  EXPECT_EQ(user.beepCount(), beeps + 2);
  // Typed over the whole content, the room is counted as the selection gives it up.
  user.typeOver(box, "格簿录");
  EXPECT_EQ(box.text(), "格簿");
  EXPECT_EQ(user.beepCount(), beeps + 3);
}

TEST_F(EditBoxContract, APastePastTheByteLimitIsCutAtACharacterBoundaryWithOneBeep) {
  box.setText("");
  user.type(box, "甲");
  box.setMaxBytes(5);
  kit.setClipboardText("a乙丙\r\n丁");
  seen.clear();
  const int beeps = user.beepCount();
  user.paste(box);  // the first line's 5 bytes into the 3 left: 丙 is not split
  EXPECT_EQ(box.text(), "甲a乙");
  EXPECT_EQ(seen.size(), 1u);
  EXPECT_EQ(user.beepCount(), beeps + 1);
  user.paste(box);
  EXPECT_EQ(box.text(), "甲a乙");
  EXPECT_EQ(seen.size(), 1u);
  EXPECT_EQ(user.beepCount(), beeps + 2);
}

TEST_F(EditBoxContract, NeitherTheProgramsTextNorALoweredLimitIsCut) {
  box.setText("");
  user.type(box, "砚川格");
  box.setMaxBytes(2);
  EXPECT_EQ(box.text(), "砚川格");
  box.setText("砚川格簿录入");
  EXPECT_EQ(box.text(), "砚川格簿录入");
  const int beeps = user.beepCount();
  user.type(box, "a");
  EXPECT_EQ(box.text(), "砚川格簿录入");
  EXPECT_EQ(user.beepCount(), beeps + 1);
  // A limit of 0 takes nothing; kNoByteLimit takes anything.
  box.setText("");
  box.setMaxBytes(0);
  user.type(box, "a");
  EXPECT_EQ(box.text(), "");
  box.setMaxBytes(ui::kNoByteLimit);
  user.type(box, "a");
  EXPECT_EQ(box.text(), "a");
}

}  // namespace
}  // namespace ui_contract
