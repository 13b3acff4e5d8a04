// Message boxes reach the screen with their text, caption, icon and buttons, and return the
// user's answer. Kept apart: a backend that answers boxes only by automation may adapt or skip it.

#include "tests/ui/contract/contract_fixture.h"

namespace ui_contract {
namespace {

class MessageBoxContract : public ContractTest {};

TEST_F(MessageBoxContract, ABoxShowsWhatWasAskedAndReturnsTheAnswer) {
  ui::MessageBoxRequest question;
  question.text = "确定要移除选中的记录吗？";
  question.buttons = ui::MessageButtons::OkCancel;
  question.icon = ui::MessageIcon::Question;
  user.answerNextMessageBox(ui::MessageAnswer::Cancel);
  EXPECT_EQ(kit.show(question), ui::MessageAnswer::Cancel);
  user.answerNextMessageBox(ui::MessageAnswer::Ok);
  EXPECT_EQ(kit.show(question), ui::MessageAnswer::Ok);

  ui::MessageBoxRequest refusal;
  refusal.text = "请先选择要移除的记录行！";
  refusal.caption = "数据库错误";
  EXPECT_EQ(kit.show(refusal), ui::MessageAnswer::Ok);

  const std::vector<ui::MessageBoxRequest> shown = user.shownMessageBoxes();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].text, "确定要移除选中的记录吗？");
  EXPECT_EQ(shown[0].caption, "信息：");
  EXPECT_EQ(shown[0].icon, ui::MessageIcon::Question);
  EXPECT_EQ(shown[0].buttons, ui::MessageButtons::OkCancel);
  EXPECT_EQ(shown[2].caption, "数据库错误");
  EXPECT_EQ(shown[2].icon, ui::MessageIcon::Warning);
  EXPECT_EQ(shown[2].buttons, ui::MessageButtons::Ok);
}

TEST_F(MessageBoxContract, TheProgramErrorReportIsAWarningBox) {
  kit.show(ui::programErrorReport("没有打开的数据库"));
  const std::vector<ui::MessageBoxRequest> shown = user.shownMessageBoxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "运行时出错!\r\n\r\n错误信息：没有打开的数据库");
  EXPECT_EQ(shown[0].caption, "信息：");
}

}  // namespace
}  // namespace ui_contract
