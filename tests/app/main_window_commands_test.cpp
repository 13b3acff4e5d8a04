// The main window's own commands on the headless toolkit: the find bar and its search of the
// tree, and the commands that need an open list.

#include <algorithm>
#include <chrono>

#include "tests/app/program_fixture.h"
#include "ui/panels.h"
#include "ui/simple_controls.h"

namespace app {
namespace {

class MainWindowCommandsTest : public ProgramFixture {
 protected:
  // A list 客户 with one record per city, its page open.
  std::unique_ptr<Run> startWithRecords(const std::vector<const char*>& cities) {
    storeForms({{"客户", kKeyedForm}});
    auto run = start();
    EXPECT_TRUE(run->clickToolbar(windows::kNewList));
    EXPECT_TRUE(recorddb::setCurrentDatabase("客户"));
    for (const char* city : cities) {
      EXPECT_TRUE(recorddb::appendRecord());
      EXPECT_TRUE(recorddb::writeField(1, recorddb::FieldValue::text(city)));
    }
    run->tree().setCurrentItem(-1);
    EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
    return run;
  }
};

TEST_F(MainWindowCommandsTest, AddingARecordNeedsAnOpenList) {
  storeForms({{"客户", kKeyedForm}});
  auto run = start();
  EXPECT_TRUE(run->clickToolbar(windows::kAddRecord));
  EXPECT_EQ(run->shownMessages(), (std::vector<base::TextValue>{"请先在左侧选中一个列表再录入！"}));
  EXPECT_EQ(run->toolkit.messageBoxes()[0].request.icon, ui::MessageIcon::Warning);
}

TEST_F(MainWindowCommandsTest, TheFindBarIsToggledAndRemembered) {
  storeForms({{"客户", kKeyedForm}});
  {
    auto run = start();
    EXPECT_FALSE(run->window().control("图片框查找")->visible());
    const int gridTop = run->window().control("画板容器")->bounds().top;
    EXPECT_TRUE(run->clickToolbar(windows::kFindRecords));
    EXPECT_TRUE(run->window().control("图片框查找")->visible());
    EXPECT_TRUE(run->window().get<ui::Toolbar>("工具条").isChecked(windows::kFindRecords));
    EXPECT_EQ(run->window().control("画板容器")->bounds().top, gridTop + 40);
    EXPECT_TRUE(run->user.closeWindow(run->window()));
  }
  auto next = start();
  EXPECT_TRUE(next->window().control("图片框查找")->visible());
  EXPECT_TRUE(next->clickToolbar(windows::kFindRecords));
  EXPECT_FALSE(next->window().control("图片框查找")->visible());
  next->state.settings.selectSection("主界面");
  EXPECT_FALSE(next->state.settings.readLogical("显示查找框", true));
}

TEST_F(MainWindowCommandsTest, TabGoesFromTheFindTextToTheFindButtonThenToItsOption) {
  storeForms({{"客户", kKeyedForm}});
  auto run = start();
  EXPECT_TRUE(run->clickToolbar(windows::kFindRecords));
  ui::Window& window = run->window();
  EXPECT_TRUE(run->user.pressKey(*window.control("编辑框查找内容"), ui::Key::Tab));
  EXPECT_TRUE(window.control("按钮查找")->hasFocus());
  EXPECT_TRUE(run->user.pressKey(*window.control("按钮查找"), ui::Key::Tab));
  EXPECT_TRUE(window.control("选择框查树")->hasFocus());
}

TEST_F(MainWindowCommandsTest, TheTreeSearchWrapsToTheFirstItem) {
  storeForms({{"客户", kKeyedForm}, {"供应商", "名称|10|20|0|假"}});
  auto run = start();
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));  // 客户 (0) 城市 (1) 区 (2)
  EXPECT_TRUE(run->user.pick(run->selector(), 1));
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));  // 供应商 (3)
  EXPECT_TRUE(run->clickToolbar(windows::kFindRecords));
  ui::Window& window = run->window();
  EXPECT_TRUE(run->user.click(window.get<ui::CheckBox>("选择框查树")));
  EXPECT_TRUE(run->user.type(window.get<ui::EditBox>("编辑框查找内容"), "客"));

  EXPECT_TRUE(run->user.click(*window.control("按钮查找")));  // from 供应商, wrapping to 客户
  EXPECT_EQ(run->tree().currentItem(), 0);
  EXPECT_EQ(run->state.currentListForm.name, "客户");
  EXPECT_TRUE(run->user.click(*window.control("按钮查找")));  // from the first item: all others
  EXPECT_EQ(run->tree().currentItem(), 0);
  EXPECT_EQ(window.control("按钮查找")->caption(), "查找");
  EXPECT_TRUE(run->shownMessages().empty());
}

TEST_F(MainWindowCommandsTest, NothingFoundShowsOnTheButtonForASecond) {
  storeForms({{"客户", kKeyedForm}});
  auto run = start();
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  EXPECT_TRUE(run->clickToolbar(windows::kFindRecords));
  ui::Window& window = run->window();
  EXPECT_TRUE(run->user.click(window.get<ui::CheckBox>("选择框查树")));
  EXPECT_TRUE(run->user.type(window.get<ui::EditBox>("编辑框查找内容"), "没有的"));
  base::TextValue shownMeanwhile;
  run->toolkit.post([&] { shownMeanwhile = window.control("按钮查找")->caption(); });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(run->user.click(*window.control("按钮查找")));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
  EXPECT_EQ(shownMeanwhile, "找不到！");  // events kept running while it showed
  EXPECT_EQ(window.control("按钮查找")->caption(), "查找");
  EXPECT_EQ(run->tree().currentItem(), 0);
}

TEST_F(MainWindowCommandsTest, ASelectedListFillsTheGridAndAValueFiltersIt) {
  storeForms({{"客户", kKeyedForm}});
  auto run = start();
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  for (const char* city : {"北京", "上海", "北京"}) {
    ASSERT_TRUE(recorddb::appendRecord());
    ASSERT_TRUE(recorddb::writeField(1, recorddb::FieldValue::text(city)));
    ASSERT_TRUE(recorddb::writeField(2, recorddb::FieldValue::text(std::string("名") + city)));
  }
  run->tree().setCurrentItem(-1);
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
  grid::RecordGrid& grid = run->application.mainWindow()->grid();
  ASSERT_EQ(grid.columnCount(), 3);
  EXPECT_EQ(grid.columnTitle(2), "名称");
  ASSERT_EQ(grid.rowCount(), 3);
  EXPECT_EQ(grid.cell(2, 1), "上海");
  EXPECT_EQ(grid.row(3).recordId, 3);
  EXPECT_GT(grid.columnWidth(1), 0);  // automatic widths
  const auto status = [&run] { return run->window().control("标签状态栏")->caption(); };
  EXPECT_EQ(status(), "客户 · 3 / 3 条");

  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 2));  // the value 北京
  ASSERT_EQ(grid.rowCount(), 2);
  EXPECT_EQ(status(), "客户 · 城市 = 北京 · 2 / 3 条");
  EXPECT_EQ(grid.row(2).recordId, 3);
  EXPECT_TRUE(run->clickToolbar(windows::kSelectAllRecords));
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{1, 2}));

  EXPECT_TRUE(run->clickToolbar(windows::kAutoColumnWidth));  // off: widths stay as they are
  grid.setColumnWidth(1, 5, true);
  run->state.settings.selectSection("使用表单库");
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
  EXPECT_EQ(grid.columnWidth(1), 100);  // the form copy's width (a stored 0 reads as 100)
  EXPECT_TRUE(run->clickToolbar(windows::kAutoColumnWidth));  // on: sized at once
  EXPECT_EQ(grid.columnWidth(1), 42);  // the title 城市, four bytes
  run->state.settings.selectSection("主界面");
  EXPECT_TRUE(run->state.settings.readLogical("自动列宽", false));
}

// A long page fill lets events run while it fills (the window stays responsive): opening the page
// of many records runs the event pump more often than opening it with one record did. Events may
// run at every step here, so that how fast the machine fills does not matter.
TEST_F(MainWindowCommandsTest, EventsRunWhileALongPageFills) {
  constexpr int kRecords = 20000;
  auto run = startWithRecords({"北京"});
  run->application.mainWindow()->setEventInterval(0);
  const auto pumpsOfAnOpening = [&] {
    const int before = run->toolkit.processPendingEventsCalls();
    run->state.listSelection.openListItem = lists::kNoListOpenYet;
    run->tree().setCurrentItem(-1);
    EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
    return run->toolkit.processPendingEventsCalls() - before;
  };
  const int shortFill = pumpsOfAnOpening();
  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  for (int i = 1; i < kRecords; ++i) {
    ASSERT_TRUE(recorddb::appendRecord());
    ASSERT_TRUE(recorddb::writeField(1, recorddb::FieldValue::text(i + 1 == kRecords ? "上海" : "北京")));
  }
  EXPECT_GT(pumpsOfAnOpening(), shortFill);
  grid::RecordGrid& grid = run->application.mainWindow()->grid();
  ASSERT_EQ(grid.rowCount(), kRecords);
  EXPECT_EQ(grid.cell(kRecords, 1), "上海");
  EXPECT_EQ(grid.row(kRecords).recordId, kRecords);
  EXPECT_EQ(run->texts(), (std::vector<base::TextValue>{"客户", "城市", "北京", "上海", "区", ""}));
}

// A value item of a list other than the open one opens that list filtered: every record's values
// are filed (once), and only the records holding the value are shown.
TEST_F(MainWindowCommandsTest, AValueOfAnotherListOpensItFiltered) {
  storeForms({{"客户", kKeyedForm}});
  auto run = start();
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  appendRecords("客户1", {{"北京", "甲"}, {"上海", "乙"}, {"北京", "丙"}});
  appendRecords("客户", {{"广州", "丁"}});
  const auto indexOf = [&](const base::TextValue& text, int after = 0) {
    const std::vector<base::TextValue> texts = run->texts();
    return static_cast<int>(std::find(texts.begin() + after, texts.end(), text) - texts.begin());
  };
  run->tree().setCurrentItem(-1);
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), indexOf("客户1")));
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), indexOf("客户")));
  grid::RecordGrid& grid = run->application.mainWindow()->grid();
  ASSERT_EQ(grid.rowCount(), 1);

  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), indexOf("北京", indexOf("客户1"))));
  ASSERT_EQ(grid.rowCount(), 2);
  EXPECT_EQ(grid.row(1).recordId, 1);
  EXPECT_EQ(grid.row(2).recordId, 3);
  EXPECT_EQ(grid.cell(2, 2), "丙");
  EXPECT_EQ(run->texts(), (std::vector<base::TextValue>{"客户", "城市", "广州", "区", "", "客户1", "城市", "北京", "上海",
                                                         "区", ""}));
}

TEST_F(MainWindowCommandsTest, AFormCopyWithMoreFieldsThanTheDatabaseReadsWhatExists) {
  storeForms({{"客户", kKeyedForm}});
  auto run = start();
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  ASSERT_TRUE(recorddb::appendRecord());
  run->state.settings.selectSection("使用表单库");
  run->state.settings.writeText("客户", std::string(kKeyedForm) + "||多余|10|20|0|真");
  run->state.listSelection.openListItem = lists::kNoListOpenYet;
  run->tree().setCurrentItem(-1);
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
  EXPECT_EQ(run->application.mainWindow()->grid().rowCount(), 1);
}

TEST_F(MainWindowCommandsTest, RemovingRecordsAsksAndRemovesEachSelectedRowOnce) {
  auto run = startWithRecords({"北京", "上海", "广州", "深圳", "杭州"});
  grid::RecordGrid& grid = run->application.mainWindow()->grid();
  ASSERT_EQ(grid.rowCount(), 5);
  EXPECT_TRUE(run->clickToolbar(windows::kRemoveRecords));
  EXPECT_EQ(run->shownMessages(), (std::vector<base::TextValue>{"请先选择要移除的记录行！"}));

  for (int row : {4, 2, 2, 5}) grid.selectRow(row, false);  // row 2 twice, as Ctrl+clicks leave it
  run->toolkit.answerNextMessageBox(ui::MessageAnswer::Cancel);
  EXPECT_TRUE(run->clickToolbar(windows::kRemoveRecords));
  EXPECT_EQ(grid.rowCount(), 5);
  EXPECT_EQ(run->shownMessages().back(), "确定要移除选中的记录吗？");

  run->toolkit.answerNextMessageBox(ui::MessageAnswer::Ok);
  EXPECT_TRUE(run->clickToolbar(windows::kRemoveRecords));
  ASSERT_EQ(grid.rowCount(), 2);
  EXPECT_EQ(grid.cell(1, 1), "北京");
  EXPECT_EQ(grid.cell(2, 1), "广州");
  ASSERT_TRUE(recorddb::setCurrentDatabase("客户"));
  EXPECT_EQ(recorddb::recordCount(), 2);  // packed
  EXPECT_EQ(run->texts(), (std::vector<base::TextValue>{"客户", "城市", "北京", "广州", "区", ""}));
  EXPECT_EQ(run->tree().currentItem(), 0);
}

TEST_F(MainWindowCommandsTest, TheGridSearchWrapsToRowOne) {
  auto run = startWithRecords({"北京", "上海", "北京西", "广州"});
  grid::RecordGrid& grid = run->application.mainWindow()->grid();
  ui::Window& window = run->window();
  EXPECT_TRUE(run->clickToolbar(windows::kFindRecords));
  EXPECT_TRUE(run->user.type(window.get<ui::EditBox>("编辑框查找内容"), "北京"));
  EXPECT_TRUE(run->user.click(*window.control("按钮查找")));
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{1}));
  EXPECT_TRUE(run->user.click(*window.control("按钮查找")));
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{3}));
  grid.selectRow(4, true);  // the last row: the search starts again at row 1
  EXPECT_TRUE(run->user.click(*window.control("按钮查找")));
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{1}));
  EXPECT_EQ(window.control("按钮查找")->caption(), "查找");
}

// 俠 (82 62) and 侭 (82 42): the search ignores the case of letters, not of second bytes.
TEST_F(MainWindowCommandsTest, TheGridSearchTellsDoubleByteCharactersApart) {
  auto run = startWithRecords({"侭客", "俠客", "XIA"});
  grid::RecordGrid& grid = run->application.mainWindow()->grid();
  ui::Window& window = run->window();
  EXPECT_TRUE(run->clickToolbar(windows::kFindRecords));
  EXPECT_TRUE(run->user.type(window.get<ui::EditBox>("编辑框查找内容"), "俠"));
  EXPECT_TRUE(run->user.click(*window.control("按钮查找")));
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{2}));
  EXPECT_TRUE(run->user.click(*window.control("按钮查找")));  // wraps, and finds row 2 again
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{2}));
  EXPECT_TRUE(run->user.typeOver(window.get<ui::EditBox>("编辑框查找内容"), "xia"));
  EXPECT_TRUE(run->user.click(*window.control("按钮查找")));
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{3}));
}

TEST_F(MainWindowCommandsTest, AHeaderPressSortsByTheFieldsKindAndFlipsTheDirection) {
  storeForms({{"数表", "数|3|4|0|假||名|10|10|0|假"}});
  auto run = start();
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  ASSERT_TRUE(recorddb::setCurrentDatabase("数表"));
  for (int value : {10, 9, 100}) {
    ASSERT_TRUE(recorddb::appendRecord());
    ASSERT_TRUE(recorddb::writeField(1, recorddb::FieldValue::integer(value)));
  }
  run->tree().setCurrentItem(-1);
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
  grid::RecordGrid& grid = run->application.mainWindow()->grid();
  ui::Window& window = run->window();
  auto column1 = [&grid] {
    std::vector<base::TextValue> cells;
    for (int row = 1; row <= grid.rowCount(); ++row) cells.push_back(grid.cell(row, 1));
    return cells;
  };
  const ui::MouseEvent press{5, 5, ui::kNoKeys, ui::MouseButton::Left};
  auto& header = window.get<ui::DrawingPanel>("画板表头");
  EXPECT_TRUE(run->user.pressMouse(header, press) && run->user.releaseMouse(header, press));
  EXPECT_EQ(column1(), (std::vector<base::TextValue>{"9", "10", "100"}));  // as integers, ascending first
  EXPECT_EQ(grid.columnTitle(1), "数");
  EXPECT_TRUE(header.hasFocus());
  EXPECT_TRUE(run->user.pressMouse(header, press) && run->user.releaseMouse(header, press));
  EXPECT_EQ(column1(), (std::vector<base::TextValue>{"100", "10", "9"}));

  run->state.ping.pingRunning = true;  // no sorting while PING runs
  EXPECT_TRUE(run->user.pressMouse(header, press) && run->user.releaseMouse(header, press));
  EXPECT_EQ(column1(), (std::vector<base::TextValue>{"100", "10", "9"}));
  run->state.ping.pingRunning = false;

  const ui::MouseEvent onData{5, 5, ui::kNoKeys, ui::MouseButton::Left};
  auto& data = window.get<ui::DrawingPanel>("画板数据");
  EXPECT_TRUE(run->user.pressMouse(data, onData) && run->user.releaseMouse(data, onData));
  EXPECT_TRUE(header.hasFocus());  // a press on the rows gives the focus to the header too
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{1}));
}

TEST_F(MainWindowCommandsTest, ADragThatLeavesTheRowsGoesOnThroughTheWindow) {
  auto run = startWithRecords({"北京", "上海", "广州", "深圳"});
  grid::RecordGrid& grid = run->application.mainWindow()->grid();
  ui::Window& window = run->window();
  auto& data = window.get<ui::DrawingPanel>("画板数据");
  const ui::Rect container = window.control("画板容器")->bounds();
  const int rowHeight = grid.rowHeight();
  EXPECT_TRUE(run->user.pressMouse(data, {5, rowHeight / 2, ui::kNoKeys, ui::MouseButton::Left}));
  // The pointer moves over the window, in its client coordinates, down to row 3.
  const ui::MouseEvent over{container.left + data.bounds().left + 5,
                            container.top + data.bounds().top + rowHeight * 2 + rowHeight / 2, ui::kNoKeys,
                            ui::MouseButton::Left};
  EXPECT_TRUE(run->user.moveMouseOver(window, over));
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_TRUE(run->user.releaseMouseOver(window, over));
  EXPECT_EQ(grid.pressRow(), 0);
}

}  // namespace
}  // namespace app
