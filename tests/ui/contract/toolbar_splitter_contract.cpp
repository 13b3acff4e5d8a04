// The toolbar (buttons, separators, checked and enabled states, click index) and the splitter.

#include "tests/ui/contract/contract_fixture.h"

namespace ui_contract {
namespace {

using ui::ControlKind;

class ToolbarContract : public ContractTest {
 protected:
  ToolbarContract()
      : window(openWindow({entry("工具条", ControlKind::Toolbar, {0, 0, 600, 43}),
                           entry("分隔条", ControlKind::Splitter, {304, 50, 6, 400})})),
        toolbar(control<ui::Toolbar>(window, "工具条")) {
    toolbar.setButtons({{0, "新建列表", "新建一个列表"}, {1, "删除列表", "删除选中的列表"}, {-1, "", ""}, {2, "自动列宽", "自动调整列宽"}},
                       {});
    toolbar.onButtonClick = [this](int index) { clicks.push_back(index); };
  }

  ui::Window& window;
  ui::Toolbar& toolbar;
  std::vector<int> clicks;
};

TEST_F(ToolbarContract, ButtonsKeepTheirCaptions) {
  EXPECT_EQ(toolbar.buttonCount(), 4);
  EXPECT_EQ(toolbar.buttonCaption(1), "删除列表");
  toolbar.setButtonCaption(1, "停止PING");
  EXPECT_EQ(toolbar.buttonCaption(1), "停止PING");
  EXPECT_EQ(toolbar.buttonCaption(0), "新建列表");
}

TEST_F(ToolbarContract, AClickRaisesTheButtonsIndexAndLeavesItsCheckedStateAlone) {
  toolbar.setChecked(3, true);
  EXPECT_TRUE(toolbar.isChecked(3));
  EXPECT_FALSE(toolbar.isChecked(0));
  user.clickToolbarButton(toolbar, 3);
  user.clickToolbarButton(toolbar, 0);
  EXPECT_EQ(clicks, (std::vector<int>{3, 0}));
  EXPECT_TRUE(toolbar.isChecked(3));
  toolbar.setChecked(3, false);
  EXPECT_FALSE(toolbar.isChecked(3));
  EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(ToolbarContract, SeparatorsAndDisabledButtonsCannotBeClicked) {
  EXPECT_TRUE(toolbar.isButtonEnabled(1));
  toolbar.setButtonEnabled(1, false);
  EXPECT_FALSE(toolbar.isButtonEnabled(1));
  user.clickToolbarButton(toolbar, 1);
  user.clickToolbarButton(toolbar, 2);
  EXPECT_TRUE(clicks.empty());
  toolbar.setButtonEnabled(1, true);
  user.clickToolbarButton(toolbar, 1);
  EXPECT_EQ(clicks, (std::vector<int>{1}));
}

TEST_F(ToolbarContract, DraggingTheSplitterReportsThePositionAndLeavesTheMoveToTheHandler) {
  auto& splitter = control<ui::Splitter>(window, "分隔条");
  std::vector<int> moves;
  splitter.onMoved = [&](int position) { moves.push_back(position); };
  user.dragSplitter(splitter, 250);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_NEAR(moves[0], 250, 1);
  EXPECT_EQ(splitter.bounds().left, 304);
  splitter.onMoved = [&](int position) { splitter.move(position, splitter.bounds().top); };
  user.dragSplitter(splitter, 350);
  EXPECT_NEAR(splitter.bounds().left, 350, 1);
}

}  // namespace
}  // namespace ui_contract
