// The main window's keyboard shortcuts on the headless toolkit: the find bar's keys, the grid's
// keys while it has the focus (and only then), F2's rename, Ctrl+N, the tab order through the
// grid, and the refusals that toolbar commands meet from the keyboard as from their buttons.
// Escape closes the entry panel, not the main window.

#include "tests/app/program_fixture.h"
#include "ui/panels.h"
#include "ui/simple_controls.h"
#include "windows/entry_panel_layout.h"
#include "windows/field_control_tag.h"

namespace app {
namespace {

using ui::Key;

class MainWindowKeyboardTest : public ProgramFixture {
 protected:
  // A list 客户 (tree items 客户 0, 城市 1, …) with one record per city, its page open.
  std::unique_ptr<Run> startWithRecords(const std::vector<base::TextValue>& cities) {
    storeForms({{"客户", kKeyedForm}});
    auto run = start();
    EXPECT_TRUE(run->clickToolbar(windows::kNewList));
    std::vector<std::pair<base::TextValue, base::TextValue>> values;
    for (const base::TextValue& city : cities) values.emplace_back(city, "名" + city);
    appendRecords("客户", values);
    run->tree().setCurrentItem(-1);
    EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
    return run;
  }
  static std::vector<base::TextValue> numberedCities(int count) {
    std::vector<base::TextValue> cities;
    for (int i = 1; i <= count; ++i) cities.push_back("城" + std::to_string(i));
    return cities;
  }

  static grid::RecordGrid& gridOf(Run& run) { return run.application.mainWindow()->grid(); }
  static ui::Control& header(Run& run) { return *run.window().control("画板表头"); }
  static ui::EditBox& findBox(Run& run) { return run.window().get<ui::EditBox>("编辑框查找内容"); }
  static bool findBarShown(Run& run) { return run.window().control("图片框查找")->visible(); }
  // A left click on grid row `row` (none scrolled away): the grid takes the focus, as on a press.
  static void clickRow(Run& run, int row) {
    auto& data = run.window().get<ui::DrawingPanel>("画板数据");
    const int y = (row - 1) * gridOf(run).rowHeight() + 3;
    run.user.pressMouse(data, {20, y, ui::kNoKeys, ui::MouseButton::Left});
    run.user.releaseMouse(data, {20, y, ui::kNoKeys, ui::MouseButton::Left});
  }
  // A key pressed on the grid, which has the focus.
  static void pressOnGrid(Run& run, Key key, int keys = ui::kNoKeys) {
    EXPECT_TRUE(header(run).hasFocus());
    EXPECT_TRUE(run.user.pressKey(header(run), key, keys));
  }
};

TEST_F(MainWindowKeyboardTest, CtrlFShowsTheFindBarOnceAndPutsTheFocusInItsBox) {
  storeForms({{"客户", kKeyedForm}});
  auto run = start();
  EXPECT_TRUE(run->user.pressKey(run->tree(), Key::F, ui::kCtrl));
  EXPECT_TRUE(findBarShown(*run));
  EXPECT_TRUE(run->window().get<ui::Toolbar>("工具条").isChecked(windows::kFindRecords));
  EXPECT_TRUE(findBox(*run).hasFocus());
  // Shown already, it stays shown: only the focus moves.
  EXPECT_TRUE(run->user.pressKey(run->tree(), Key::F, ui::kCtrl));
  EXPECT_TRUE(findBarShown(*run));
  EXPECT_TRUE(findBox(*run).hasFocus());
  run->state.settings.selectSection("主界面");
  EXPECT_TRUE(run->state.settings.readLogical("显示查找框", false));
  // F alone, or with other keys held, is no shortcut.
  EXPECT_TRUE(run->clickToolbar(windows::kFindRecords));
  EXPECT_TRUE(run->user.pressKey(run->tree(), Key::F, ui::kCtrl | ui::kShift));
  EXPECT_TRUE(run->user.pressKey(run->tree(), Key::F));
  EXPECT_FALSE(findBarShown(*run));
}

TEST_F(MainWindowKeyboardTest, EnterInTheFindBoxAndF3FindTheNextMatchingRow) {
  auto run = startWithRecords({"北京", "上海", "北京"});
  EXPECT_TRUE(run->user.pressKey(run->tree(), Key::F3));  // no find text yet: the bar opens
  EXPECT_TRUE(findBarShown(*run));
  EXPECT_TRUE(findBox(*run).hasFocus());
  EXPECT_TRUE(run->user.type(findBox(*run), "北京"));
  EXPECT_TRUE(run->user.pressEnter(findBox(*run)));
  EXPECT_EQ(gridOf(*run).selection(), (std::vector<std::int32_t>{1}));
  EXPECT_TRUE(run->user.pressKey(findBox(*run), Key::F3));
  EXPECT_EQ(gridOf(*run).selection(), (std::vector<std::int32_t>{3}));
  EXPECT_TRUE(run->user.pressKey(run->tree(), Key::F3));  // from anywhere, wrapping round
  EXPECT_EQ(gridOf(*run).selection(), (std::vector<std::int32_t>{1}));
  EXPECT_EQ(run->window().control("按钮查找")->caption(), "查找");
}

TEST_F(MainWindowKeyboardTest, TheArrowsPagesHomeAndEndMoveOneSelectedRowAndKeepItInView) {
  auto run = startWithRecords(numberedCities(60));
  grid::RecordGrid& grid = gridOf(*run);
  const int shown = grid.visibleRowCount();
  ASSERT_GT(shown, 2);
  ASSERT_LT(shown, 60);
  clickRow(*run, 2);
  pressOnGrid(*run, Key::Down);
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{3}));
  pressOnGrid(*run, Key::Up);
  pressOnGrid(*run, Key::Up);
  pressOnGrid(*run, Key::Up);  // the first row stays
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{1}));
  pressOnGrid(*run, Key::PageDown);
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{1 + shown}));
  EXPECT_EQ(grid.rowOffset(), 1);  // scrolled just far enough
  pressOnGrid(*run, Key::End);
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{60}));
  EXPECT_EQ(grid.rowOffset(), 60 - shown);
  pressOnGrid(*run, Key::PageUp);
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{60 - shown}));
  pressOnGrid(*run, Key::Home);
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{1}));
  EXPECT_EQ(grid.rowOffset(), 0);
  // With the focus in the tree the arrows are the tree's.
  EXPECT_TRUE(run->user.pressKey(run->tree(), Key::Down));
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{1}));
}

TEST_F(MainWindowKeyboardTest, AMoveFromTheKeyboardFillsTheEntryPanelAsAClickDoes) {
  auto run = startWithRecords({"北京", "上海", "广州"});
  clickRow(*run, 1);
  EXPECT_TRUE(run->user.pressKey(header(*run), Key::N, ui::kCtrl));
  windows::EntryPanel* panel = run->application.mainWindow()->entryPanel();
  ASSERT_NE(panel, nullptr);
  ui::Control* city = nullptr;
  for (ui::Control* control : panel->window().controls()) {
    if (control->tag() == windows::valueBoxTag({1, 10, 1})) city = control;
  }
  ASSERT_NE(city, nullptr);
  EXPECT_TRUE(run->user.focus(header(*run)));
  pressOnGrid(*run, Key::Down);
  EXPECT_EQ(dynamic_cast<ui::EditBox&>(*city).text(), "上海");
  pressOnGrid(*run, Key::End);
  EXPECT_EQ(dynamic_cast<ui::EditBox&>(*city).text(), "广州");

  // Escape closes the panel; the main window stays, and hears nothing of Escape itself.
  EXPECT_TRUE(run->user.pressKey(*city, Key::Escape));
  EXPECT_EQ(run->application.mainWindow()->entryPanel(), nullptr);
  EXPECT_TRUE(run->user.pressKey(run->tree(), Key::Escape));
  EXPECT_TRUE(run->window().visible());
}

TEST_F(MainWindowKeyboardTest, CtrlAAndDeleteAreTheGridsOnlyWhileItHasTheFocus) {
  auto run = startWithRecords({"北京", "上海", "广州"});
  grid::RecordGrid& grid = gridOf(*run);
  EXPECT_TRUE(run->user.pressKey(run->tree(), Key::F, ui::kCtrl));
  clickRow(*run, 2);
  // In the find box Ctrl+A and Delete are the box's.
  EXPECT_TRUE(run->user.pressKey(findBox(*run), Key::A, ui::kCtrl));
  EXPECT_TRUE(run->user.pressKey(findBox(*run), Key::Delete));
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{2}));
  EXPECT_TRUE(run->shownMessages().empty());

  EXPECT_TRUE(run->user.focus(header(*run)));
  pressOnGrid(*run, Key::A, ui::kCtrl);
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{1, 2, 3}));
  pressOnGrid(*run, Key::Delete, ui::kShift);  // no shortcut
  EXPECT_TRUE(run->shownMessages().empty());
  // Delete asks first, as "移除记录" does.
  clickRow(*run, 2);
  run->toolkit.answerNextMessageBox(ui::MessageAnswer::Cancel);
  pressOnGrid(*run, Key::Delete);
  EXPECT_EQ(run->shownMessages(), (std::vector<base::TextValue>{"确定要移除选中的记录吗？"}));
  EXPECT_EQ(grid.rowCount(), 3);
  run->toolkit.answerNextMessageBox(ui::MessageAnswer::Ok);
  pressOnGrid(*run, Key::Delete);
  ASSERT_EQ(grid.rowCount(), 2);
  EXPECT_EQ(grid.cell(2, 1), "广州");
  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  EXPECT_EQ(recorddb::recordCount(), 2);
}

TEST_F(MainWindowKeyboardTest, F2RenamesTheSelectedListAndNothingElse) {
  auto run = startWithRecords({"北京"});
  ui::headless::HeadlessTreeView& tree = dynamic_cast<ui::headless::HeadlessTreeView&>(run->tree());
  EXPECT_TRUE(run->user.pressKey(header(*run), Key::F2));
  EXPECT_EQ(tree.editingItem(), 0);
  EXPECT_TRUE(tree.hasFocus());
  EXPECT_EQ(run->user.endTreeLabelEdit(tree, "顾客"), ui::headless::LabelEditResult::Accepted);
  EXPECT_EQ(run->texts()[0], "顾客");
  EXPECT_TRUE(exists("顾客.edb"));

  // A key field or a value is no list: no edit begins.
  EXPECT_TRUE(run->user.clickTreeItem(tree, 1));
  EXPECT_TRUE(run->user.pressKey(tree, Key::F2));
  EXPECT_EQ(tree.editingItem(), -1);
  // Nor in a tree out of reach (a PING run disables it).
  EXPECT_TRUE(run->user.clickTreeItem(tree, 0));
  tree.setEnabled(false);
  EXPECT_TRUE(run->user.pressKey(header(*run), Key::F2));
  EXPECT_EQ(tree.editingItem(), -1);
}

TEST_F(MainWindowKeyboardTest, CtrlNAddsARecordAsItsToolbarButtonDoes) {
  storeForms({{"客户", kKeyedForm}});
  auto run = start();
  EXPECT_TRUE(run->user.pressKey(run->tree(), Key::N, ui::kCtrl));
  EXPECT_EQ(run->shownMessages(), (std::vector<base::TextValue>{"请先在左侧选中一个列表再录入！"}));
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  run->tree().setCurrentItem(-1);
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
  EXPECT_TRUE(run->user.pressKey(run->tree(), Key::N, ui::kCtrl));
  EXPECT_NE(run->application.mainWindow()->entryPanel(), nullptr);
}

TEST_F(MainWindowKeyboardTest, ToolbarShortcutsAreRefusedDuringAPingRunAsTheirButtonsAre) {
  auto run = startWithRecords({"北京", "上海"});
  clickRow(*run, 1);
  run->state.ping.pingRunning = true;
  pressOnGrid(*run, Key::A, ui::kCtrl);
  EXPECT_TRUE(run->user.pressKey(header(*run), Key::N, ui::kCtrl));
  EXPECT_TRUE(run->user.pressKey(header(*run), Key::F, ui::kCtrl));
  EXPECT_EQ(run->shownMessages(), (std::vector<base::TextValue>(3, "正在执行PING，不允许操作！")));
  EXPECT_EQ(gridOf(*run).selection(), (std::vector<std::int32_t>{1}));
  EXPECT_EQ(run->application.mainWindow()->entryPanel(), nullptr);
  EXPECT_FALSE(findBarShown(*run));
  EXPECT_TRUE(header(*run).hasFocus());  // no focus moved into a hidden box
  // Moving the selection is no toolbar command: it goes on as a click would.
  pressOnGrid(*run, Key::Down);
  EXPECT_EQ(gridOf(*run).selection(), (std::vector<std::int32_t>{2}));
  run->state.ping.pingRunning = false;
}

TEST_F(MainWindowKeyboardTest, KeysWhileAPageFillsAreRefusedTheToolbarOnesWithABeep) {
  storeForms({{"客户", kKeyedForm}});
  auto run = start();
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  std::vector<std::pair<base::TextValue, base::TextValue>> values;
  for (const base::TextValue& city : numberedCities(20)) values.emplace_back(city, "甲");
  appendRecords("客户", values);
  run->application.mainWindow()->setEventInterval(0);
  run->tree().setCurrentItem(-1);
  Run& r = *run;
  r.toolkit.postAtPump(2, [&r] {
    EXPECT_TRUE(r.user.focus(header(r)));
    EXPECT_TRUE(r.user.pressKey(header(r), Key::N, ui::kCtrl));
    EXPECT_TRUE(r.user.pressKey(header(r), Key::End));
    EXPECT_TRUE(r.user.pressKey(header(r), Key::F3));
  });
  EXPECT_TRUE(r.user.clickTreeItem(r.tree(), 0));
  EXPECT_EQ(gridOf(r).rowCount(), 20);
  EXPECT_EQ(r.toolkit.beepCount(), 2);  // Ctrl+N and F3 (opening the find bar); not the move
  EXPECT_EQ(r.application.mainWindow()->entryPanel(), nullptr);
  EXPECT_FALSE(findBarShown(r));
  EXPECT_TRUE(gridOf(r).selection().empty());
}

TEST_F(MainWindowKeyboardTest, TabGoesFromTheTreeToTheGridAndOnToTheFindBar) {
  storeForms({{"客户", kKeyedForm}});
  auto run = start();
  ui::Window& window = run->window();
  EXPECT_TRUE(run->user.pressKey(run->tree(), Key::Tab));
  EXPECT_TRUE(header(*run).hasFocus());
  EXPECT_TRUE(run->user.pressKey(header(*run), Key::Tab));  // the find bar is hidden: round to the selector
  EXPECT_TRUE(window.control("组合框表单")->hasFocus());
  EXPECT_TRUE(run->clickToolbar(windows::kFindRecords));
  EXPECT_TRUE(run->user.pressKey(run->tree(), Key::Tab));
  EXPECT_TRUE(run->user.pressKey(header(*run), Key::Tab));
  EXPECT_TRUE(findBox(*run).hasFocus());
  EXPECT_TRUE(run->user.pressKey(findBox(*run), Key::Tab, ui::kShift));
  EXPECT_TRUE(header(*run).hasFocus());
}

}  // namespace
}  // namespace app
