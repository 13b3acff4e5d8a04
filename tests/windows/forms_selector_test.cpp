// The main window's forms selector: filled from the library, remembering its index, opening the
// designer from its last item and from the toolbar.

#include "windows/forms_selector.h"

#include "tests/windows/designer_fixture.h"

namespace windows {
namespace {

using FormsSelectorTest = DesignerFixture;

TEST_F(FormsSelectorTest, TheStoredIndexIsSelectedWhenTheWindowOpens) {
  start({{"一", ""}, {"二", ""}}, 1);
  EXPECT_EQ(selector().items(), (std::vector<base::TextValue>{"一", "二", "打开表单设计器.."}));
  EXPECT_EQ(selector().currentIndex(), 1);
}

TEST_F(FormsSelectorTest, AnIndexBeyondTheFormsLandsOnTheDesignerItemWithoutOpeningIt) {
  start({{"一", ""}, {"二", ""}}, 7);
  EXPECT_EQ(selector().currentIndex(), 2);
  EXPECT_EQ(mainWindow->formDesigner(), nullptr);
}

TEST_F(FormsSelectorTest, NoStoredIndexSelectsTheFirstForm) {
  start({{"一", ""}, {"二", ""}}, -1);
  EXPECT_EQ(selector().currentIndex(), 0);
}

TEST_F(FormsSelectorTest, PickingAFormRemembersItAndTheLastItemOpensTheDesigner) {
  start({{"一", ""}, {"二", ""}}, 0);
  EXPECT_TRUE(user.pick(selector(), 1));
  EXPECT_EQ(storedIndex(), 1);
  EXPECT_TRUE(user.pick(selector(), 2));
  ASSERT_NE(mainWindow->formDesigner(), nullptr);
  EXPECT_TRUE(designer().visible());
  EXPECT_EQ(designer().owner(), &mainWindow->window());
  // Opening selected the remembered form, which wrote it back with its index.
  EXPECT_EQ(formList().currentIndex(), 1);
  EXPECT_EQ(storedIndex(), 1);

  ui::Window* first = &designer();
  EXPECT_TRUE(user.clickToolbarButton(mainWindow->window().get<ui::Toolbar>("工具条"), kFormDesigner));
  EXPECT_EQ(&designer(), first);  // one designer at a time
  EXPECT_TRUE(user.closeWindow(designer()));
  EXPECT_EQ(mainWindow->formDesigner(), nullptr);
  openDesigner();
  EXPECT_NE(mainWindow->formDesigner(), nullptr);
}

TEST_F(FormsSelectorTest, TheSelectorFollowsTheDesignerAtOnce) {
  start({{"一", ""}}, 0);
  openDesigner();
  EXPECT_TRUE(press("按钮添加表单"));
  EXPECT_TRUE(user.type(formName(), "新表"));
  EXPECT_EQ(selector().items(), (std::vector<base::TextValue>{"一", "新表", "打开表单设计器.."}));
  EXPECT_EQ(selector().currentIndex(), 1);
  EXPECT_TRUE(user.pick(formList(), 0));
  EXPECT_TRUE(press("按钮删除表单"));
  EXPECT_EQ(selector().items(), (std::vector<base::TextValue>{"新表", "打开表单设计器.."}));
  EXPECT_EQ(selector().currentIndex(), 0);
}

TEST_F(FormsSelectorTest, APingRunRefusesTheDesignerButton) {
  start({{"一", ""}}, 0);
  ping.pingRunning = true;
  EXPECT_TRUE(user.clickToolbarButton(mainWindow->window().get<ui::Toolbar>("工具条"), kFormDesigner));
  EXPECT_EQ(mainWindow->formDesigner(), nullptr);
  ASSERT_EQ(toolkit.messageBoxes().size(), 1u);
  EXPECT_EQ(toolkit.messageBoxes()[0].request.text, "正在执行PING，不允许操作！");
  EXPECT_EQ(toolkit.messageBoxes()[0].request.caption, "信息：");
}

}  // namespace
}  // namespace windows
