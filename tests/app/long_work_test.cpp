// Long work of the main window while events run (the user acting in the middle of a page fill), the
// page after a failed open or a clear, and a filter on an empty key value.

#include <algorithm>
#include <chrono>

#include "grid/grid_colors.h"
#include "tests/app/program_fixture.h"
#include "ui/headless/headless_drawing_panel.h"

namespace app {
namespace {

class LongWorkTest : public ProgramFixture {
 protected:
  // Lists 客户 (items 0 to 2) and 客户1 (items 3 to 5) of the keyed form; 客户 gets `records` records
  // whose cities are 城0 … 城4 in turn, 客户1 one record in 上海. Events run at every step of long work.
  std::unique_ptr<Run> startWithTwoLists(int records) {
    storeForms({{"客户", kKeyedForm}});
    auto run = start();
    EXPECT_TRUE(run->clickToolbar(windows::kNewList));
    EXPECT_TRUE(run->clickToolbar(windows::kNewList));
    std::vector<std::pair<base::TextValue, base::TextValue>> values;
    for (int i = 0; i < records; ++i) values.emplace_back("城" + std::to_string(i % 5), "名" + std::to_string(i + 1));
    appendRecords("客户", values);
    appendRecords("客户1", {{"上海", "乙"}});
    run->application.mainWindow()->setEventInterval(0);
    run->tree().setCurrentItem(-1);
    return run;
  }

  static int indexOf(Run& run, const base::TextValue& text) {
    const std::vector<base::TextValue> texts = run.texts();
    return static_cast<int>(std::find(texts.begin(), texts.end(), text) - texts.begin());
  }

  static grid::RecordGrid& gridOf(Run& run) { return run.application.mainWindow()->grid(); }
};

TEST_F(LongWorkTest, ANewerSelectionEndsTheFillingPageAndItsPageWins) {
  auto run = startWithTwoLists(50);
  Run& r = *run;
  // The user clicks 客户1 while 客户 fills, some rows into it.
  r.toolkit.postAtPump(15, [&r] { EXPECT_TRUE(r.user.clickTreeItem(r.tree(), indexOf(r, "客户1"))); });
  EXPECT_TRUE(r.user.clickTreeItem(r.tree(), 0));
  grid::RecordGrid& grid = gridOf(r);
  ASSERT_EQ(grid.rowCount(), 1);  // 客户1's only record, once
  EXPECT_EQ(grid.cell(1, 1), "上海");
  EXPECT_EQ(grid.cell(1, 2), "乙");
  EXPECT_EQ(r.state.currentListForm.name, "客户1");
  EXPECT_EQ(r.state.listSelection.openListItem, indexOf(r, "客户1"));

  // 客户, whose fill was ended, files all its values when it opens again.
  EXPECT_TRUE(r.user.clickTreeItem(r.tree(), 0));
  EXPECT_EQ(grid.rowCount(), 50);
  EXPECT_EQ(grid.row(50).recordId, 50);
  const std::vector<base::TextValue> texts = r.texts();
  EXPECT_EQ(std::vector<base::TextValue>(texts.begin(), texts.begin() + 9),
            (std::vector<base::TextValue>{"客户", "城市", "城0", "城1", "城2", "城3", "城4", "区", ""}));
}

TEST_F(LongWorkTest, CommandsDuringAFillAreRefusedAndAClosingWaitsForTheFillToEnd) {
  auto run = startWithTwoLists(50);
  Run& r = *run;
  ui::Control& header = *r.window().control("画板表头");
  r.toolkit.postAtPump(10, [&r] { r.clickToolbar(windows::kNewList); });
  r.toolkit.postAtPump(11, [&r, &header] {
    r.user.pressMouse(header, {20, 10, ui::kNoKeys, ui::MouseButton::Left});
    r.user.releaseMouse(header, {20, 10, ui::kNoKeys, ui::MouseButton::Left});
  });
  EXPECT_TRUE(r.user.clickTreeItem(r.tree(), 0));
  grid::RecordGrid& grid = gridOf(r);
  ASSERT_EQ(grid.rowCount(), 50);
  for (int row = 1; row <= 50; ++row) ASSERT_EQ(grid.row(row).recordId, row);  // not sorted
  EXPECT_EQ(indexOf(r, "客户2"), static_cast<int>(r.texts().size()));  // no third list
  EXPECT_EQ(r.toolkit.beepCount(), 1);  // the refused command
  EXPECT_EQ(grid.columnTitle(1), "城市");

  // Closing the window while a page fills: the fill ends first, then the window closes and saves.
  r.tree().setCurrentItem(-1);
  r.toolkit.postAtPump(10, [&r] { r.window().close(); });
  EXPECT_TRUE(r.user.clickTreeItem(r.tree(), indexOf(r, "客户")));
  EXPECT_TRUE(r.toolkit.openWindows().empty());
  EXPECT_LT(grid.rowCount(), 50);
  r.state.settings.selectSection("主界面");
  EXPECT_EQ(r.state.settings.readNumber("树型框.索引", -1), 0);
}

// "找不到！" stays on the find button for a second while events run; a list selected meanwhile ends
// the wait, and its page opens once the caption is back.
TEST_F(LongWorkTest, ASelectionWhileNothingFoundIsShownEndsTheWait) {
  auto run = startWithTwoLists(3);
  Run& r = *run;
  ui::Window& window = r.window();
  EXPECT_TRUE(r.clickToolbar(windows::kFindRecords));
  EXPECT_TRUE(r.user.type(window.get<ui::EditBox>("编辑框查找内容"), "没有的"));
  base::TextValue captionWhenOpened;
  r.toolkit.postAtPump(2, [&r] { EXPECT_TRUE(r.user.clickTreeItem(r.tree(), indexOf(r, "客户1"))); });
  r.toolkit.postAtPump(3, [&r, &window] { EXPECT_TRUE(r.user.click(*window.control("按钮查找"))); });  // refused
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(r.user.click(*window.control("按钮查找")));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
  EXPECT_EQ(window.control("按钮查找")->caption(), "查找");
  EXPECT_EQ(r.state.currentListForm.name, "客户1");
  EXPECT_EQ(gridOf(r).rowCount(), 1);
}

TEST_F(LongWorkTest, AnEmptyKeyValueShowsTheRecordsWhoseKeyIsEmpty) {
  storeForms({{"客户", kKeyedForm}});
  auto run = start();
  EXPECT_TRUE(run->clickToolbar(windows::kNewList));
  appendRecords("客户", {{"北京", "甲"}, {"", "乙"}, {"上海", "丙"}, {"", "丁"}});
  run->tree().setCurrentItem(-1);
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 0));
  ASSERT_EQ(run->texts(), (std::vector<base::TextValue>{"客户", "城市", "北京", "", "上海", "区", ""}));
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 3));  // the empty city
  grid::RecordGrid& grid = gridOf(*run);
  ASSERT_EQ(grid.rowCount(), 2);
  EXPECT_EQ(grid.cell(1, 2), "乙");
  EXPECT_EQ(grid.cell(2, 2), "丁");
  EXPECT_TRUE(run->user.clickTreeItem(run->tree(), 1));  // the key field: every record again
  EXPECT_EQ(grid.rowCount(), 4);
}

// What the panels show is the model: after a failed open and after a clear, the header is painted
// whole in its background with no title on it, and the rows area is cleared.
TEST_F(LongWorkTest, AFailedOpenAndAClearLeaveNoOldPageOnThePanels) {
  auto run = startWithTwoLists(3);
  Run& r = *run;
  auto& header = r.window().get<ui::headless::HeadlessDrawingPanel>("画板表头");
  auto& data = r.window().get<ui::headless::HeadlessDrawingPanel>("画板数据");
  const auto showsAnEmptyPage = [&] {
    const std::vector<ui::headless::DrawOperation>& painted = header.recording().operations();
    const auto whole = std::find_if(painted.rbegin(), painted.rend(), [&](const ui::headless::DrawOperation& op) {
      return op.kind == ui::headless::DrawKind::Rectangle && op.area.width >= header.bounds().width &&
             op.state.brush == grid::colors::kHeaderNormal;
    });
    const bool titleAfter = std::any_of(painted.rbegin(), whole, [](const ui::headless::DrawOperation& op) {
      return op.kind == ui::headless::DrawKind::Text;
    });
    const bool rowsCleared = std::any_of(data.recording().operations().begin(), data.recording().operations().end(),
                                         [](const ui::headless::DrawOperation& op) {
                                           return op.kind == ui::headless::DrawKind::Clear && op.area.top <= 1;
                                         });
    return whole != painted.rend() && !titleAfter && rowsCleared && gridOf(r).columnCount() == 0;
  };
  EXPECT_TRUE(r.user.clickTreeItem(r.tree(), 0));
  ASSERT_EQ(gridOf(r).rowCount(), 3);

  recorddb::closeAllDatabases();
  ASSERT_EQ(platform::deleteFile(dataFile("客户1.edb")), 0);
  header.recording().forget();
  data.recording().forget();
  EXPECT_TRUE(r.user.clickTreeItem(r.tree(), indexOf(r, "客户1")));
  ASSERT_EQ(r.shownMessages().size(), 1u);
  EXPECT_EQ(r.shownMessages()[0], "打开列表页失败，请重开软件再试，还是不行请删除然后新建。");
  EXPECT_TRUE(showsAnEmptyPage());

  EXPECT_TRUE(r.user.clickTreeItem(r.tree(), 0));
  ASSERT_EQ(gridOf(r).columnCount(), 3);
  header.recording().forget();
  data.recording().forget();
  r.tree().setCurrentItem(-1);  // nothing selected: the page is cleared
  EXPECT_TRUE(showsAnEmptyPage());
}

}  // namespace
}  // namespace app
