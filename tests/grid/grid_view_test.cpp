// The grid's painting on the headless recording canvas: attaching, layout, header, rows, colours,
// fitted texts, column lines, the corner square, the scroll bars.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "grid/grid_colors.h"
#include "tests/grid/grid_fixture.h"

namespace grid {
namespace {

using testing::GridFixture;
using ui::headless::DrawKind;
using ui::headless::DrawOperation;

std::vector<DrawOperation> ofKind(const ui::headless::HeadlessDrawingPanel& panel, DrawKind kind) {
  std::vector<DrawOperation> found;
  for (const DrawOperation& op : const_cast<ui::headless::HeadlessDrawingPanel&>(panel).recording().operations()) {
    if (op.kind == kind) found.push_back(op);
  }
  return found;
}

// The last text drawn that equals `text`.
std::optional<DrawOperation> lastText(ui::headless::HeadlessDrawingPanel& panel, const base::TextValue& text) {
  std::optional<DrawOperation> found;
  for (const DrawOperation& op : panel.recording().operations()) {
    if (op.kind == DrawKind::Text && op.text == text) found = op;
  }
  return found;
}

TEST(GridAttachTest, MetricsPanelsAndRowHeight) {
  GridFixture f;
  EXPECT_EQ(f.grid.charWidth(), 14);  // "川" in the headless Song 11
  EXPECT_EQ(f.grid.charHeight(), 14);
  EXPECT_EQ(f.grid.rowHeight(), 30);  // the character plus 4 is smaller
  EXPECT_EQ(f.hScroll.bounds().height, 18);
  EXPECT_EQ(f.vScroll.bounds().width, 18);
  f.layOut();
  EXPECT_EQ(f.header.bounds(), (ui::Rect{0, 0, 866, 25}));
  EXPECT_EQ(f.data.bounds(), (ui::Rect{0, 24, 866, 454}));
  EXPECT_EQ(f.grid.visibleRowCount(), 15);

  AttachOptions small;
  small.rowHeight = 10;
  small.dataFontSize = 30;  // characters 40 wide
  small.autoScrollBars = false;
  GridFixture g(small);
  EXPECT_EQ(g.grid.rowHeight(), 44);
  EXPECT_FALSE(g.hScroll.visible());
  EXPECT_FALSE(g.vScroll.visible());
}

TEST(GridPaintTest, AnEmptyGridShowsAPlainDataAreaAndNoBars) {
  GridFixture f;
  f.addColumns({100, 50});
  f.layOut();
  EXPECT_TRUE(ofKind(f.data, DrawKind::Line).empty());
  EXPECT_TRUE(ofKind(f.data, DrawKind::Text).empty());
  EXPECT_FALSE(f.vScroll.visible());
  EXPECT_FALSE(f.hScroll.visible());
  // The frame, and the corner square where the bars meet, cleared last.
  EXPECT_EQ(f.data.recording().colorAt({0, 200}), colors::kOutline);
  const auto clears = ofKind(f.data, DrawKind::Clear);
  EXPECT_TRUE(std::any_of(clears.begin(), clears.end(), [](const DrawOperation& op) {
    return op.area == ui::Rect{866 - 1 - 18, 454 - 1 - 18, 18, 18};
  }));
}

TEST(GridPaintTest, TheRowAndColumnLinesEndUnderTheLastRow) {
  // Columns end at 100 and 150; rows are 30 high, 15 of them shown in the 454 px of the data area.
  struct Case {
    const char* what;
    int rows;
    int lastRowLine;  // the line under the last row shown
    int columnLinesEnd;
  };
  const Case cases[] = {
      {"three rows, the last one empty", 3, 90, 90},
      {"rows that go on below", 100, 450, 453},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GridFixture f;
    f.addColumns({100, 50});
    f.addRows(c.rows - 1);
    f.grid.appendRow({"", ""}, 0, 999, true, true);
    f.layOut();
    const auto& drawn = f.data.recording();
    EXPECT_EQ(drawn.colorAt({50, c.lastRowLine}), colors::kGridLine);
    for (const int x : {100, 150}) EXPECT_EQ(drawn.colorAt({x, c.columnLinesEnd - 1}), colors::kGridLine) << x;
    // Below the last row: no line where the next row would end, no column lines.
    for (int y = c.columnLinesEnd + 15; y < 453; y += 15) {
      for (const int x : {50, 100, 150}) EXPECT_EQ(drawn.colorAt({x, y}), colors::kDataBackground) << x << "," << y;
    }
  }
}

TEST(GridPaintTest, CellsTextsColoursAndSelection) {
  GridFixture f;
  f.addColumns({120, 120, 120, 40});
  f.form.fields[1].kind = 22;  // a link
  f.form.fields[2].key = true;
  f.addRows(3);
  f.grid.setCell(1, 4, "a cut text");
  f.grid.selectRow(2, true);
  f.forgetDrawings();
  f.layOut();

  const auto plain = lastText(f.data, "r1c1");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->area.left, 5);
  EXPECT_EQ(plain->area.top, (30 - 14) / 2 + 1);
  EXPECT_EQ(plain->state.textColor, colors::kText);
  EXPECT_FALSE(plain->state.font.underline);

  const auto link = lastText(f.data, "r1c2");
  ASSERT_TRUE(link);
  EXPECT_EQ(link->area.left, 125);
  EXPECT_EQ(link->state.textColor, colors::kLinkText);
  EXPECT_TRUE(link->state.font.underline);

  const auto selectedLink = lastText(f.data, "r2c2");
  ASSERT_TRUE(selectedLink);
  EXPECT_EQ(selectedLink->state.textColor, colors::kLinkText);
  EXPECT_EQ(selectedLink->area.top, 30 + 9);
  EXPECT_EQ(lastText(f.data, "r2c1")->state.textColor, colors::kSelectedText);
  EXPECT_EQ(lastText(f.data, "r2c3")->state.textColor, colors::kKeyText);  // key wins on a selected row
  EXPECT_EQ(f.data.recording().colorAt({10, 45}), colors::kSelectedFill);
  EXPECT_EQ(f.data.recording().colorAt({10, 15}), colors::kDataBackground);

  // 40 px wide: 10 bytes at 7 px do not fit 40 - 12.
  // (each round cuts at least one character).
  EXPECT_TRUE(lastText(f.data, "a cu..").has_value());
  EXPECT_EQ(f.grid.fitCellText(1, 4), "a cu..");
  EXPECT_EQ(f.grid.fitCellText(1, 1), "r1c1");  // 28 <= 120 - 12: whole, no ".."
}

TEST(GridPaintTest, AColumnPastThePanelsEdgeIsCutThere) {
  GridFixture f;
  f.addColumns({800, 100});
  f.addRows(1);
  f.grid.setCell(1, 2, "0123456789");
  f.forgetDrawings();
  f.layOut();
  const auto clears = ofKind(f.data, DrawKind::Clear);
  // x = 801, the box ends 2 px before the panel's right edge.
  EXPECT_TRUE(std::any_of(clears.begin(), clears.end(), [](const DrawOperation& op) {
    return op.area == ui::Rect{801, 1, 866 - 801 - 2, 29};
  }));
  // Available 866 - 800 = 66: 70 px of text does not fit 54; cut by 4 characters, then 1.
  EXPECT_EQ(f.grid.fitCellText(1, 2), "0123456..");
}

TEST(GridPaintTest, HeaderCellsTitlesAndStates) {
  GridFixture f;
  f.addColumns({100, 30});
  f.grid.setColumnTitle(2, "很长的标题", true);
  f.forgetDrawings();
  f.layOut();
  const auto rects = ofKind(f.header, DrawKind::Rectangle);
  EXPECT_TRUE(std::any_of(rects.begin(), rects.end(), [](const DrawOperation& op) {
    return op.area == ui::Rect{0, 0, 101, 25} && op.state.brush == colors::kHeaderNormal && op.state.pen == colors::kOutline;
  }));
  EXPECT_TRUE(lastText(f.header, "列1").has_value());
  EXPECT_EQ(lastText(f.header, "列1")->area.left, 5);
  EXPECT_EQ(lastText(f.header, "列1")->area.top, 5);
  EXPECT_TRUE(lastText(f.header, "很..").has_value());  // 30 - 10 = 20 px: 2 bytes

  f.forgetDrawings();
  f.grid.paintHeader(2, HeaderState::Pressed);
  const auto pressed = ofKind(f.header, DrawKind::Rectangle);
  ASSERT_EQ(pressed.size(), 1u);
  EXPECT_EQ(pressed[0].area, (ui::Rect{100, 0, 31, 25}));
  EXPECT_EQ(pressed[0].state.brush, colors::kHeaderPressed);
}

// The rows of the sort mark drawn on the header since its drawings were last forgotten, top first.
std::vector<ui::Rect> sortMarkRows(const ui::headless::HeadlessDrawingPanel& header) {
  std::vector<ui::Rect> rows;
  for (const DrawOperation& op : ofKind(header, DrawKind::Fill)) {
    if (op.state.brush == colors::kSortMark) rows.push_back(op.area);
  }
  return rows;
}

ui::Point middleOf(const ui::Rect& r) { return {r.left + r.width / 2, r.top + r.height / 2}; }

TEST(GridSortMarkTest, TheSortedColumnShowsItsDirectionBesideItsTitleAndTheMarkMovesWithIt) {
  GridFixture f;
  f.addColumns({120, 120, 120});
  f.addRows(3);
  f.layOut();
  for (const bool ascending : {true, false}) {
    f.forgetDrawings();
    f.grid.sortByColumn(2, ascending, 2);
    const auto mark = sortMarkRows(f.header);
    ASSERT_EQ(mark.size(), 5u);
    EXPECT_EQ(mark.front().width < mark.back().width, ascending);  // the point up, or down
    const auto title = lastText(f.header, "列2");
    ASSERT_TRUE(title);
    for (const ui::Rect& row : mark) {
      EXPECT_GE(row.left, title->area.right());
      EXPECT_LE(row.right(), f.grid.columnRight(2));
      EXPECT_GT(row.top, 0);
      EXPECT_LT(row.bottom(), 25);
    }
  }
  const ui::Point before = middleOf(sortMarkRows(f.header)[2]);
  f.grid.sortByColumn(3, true, 2);
  EXPECT_EQ(f.header.recording().colorAt(before), colors::kHeaderNormal);
  f.forgetDrawings();
  f.grid.insertColumn(1, "新", 50);
  EXPECT_EQ(f.grid.sortIndicator(), (SortIndicator{4, true}));
  const auto moved = sortMarkRows(f.header);
  ASSERT_FALSE(moved.empty());
  EXPECT_GT(moved.front().left, f.grid.columnLeft(4));
}

TEST(GridSortMarkTest, TheMarkGoesWhenTheRowsNoLongerFollowTheSort) {
  struct Case {
    const char* what;
    std::function<void(RecordGrid&)> change;
    bool kept;
  };
  const Case cases[] = {
      {"a row appended", [](RecordGrid& g) { g.appendRow({"x", "y", "z"}, 0, 9, true); }, false},
      {"a cell of the column changed", [](RecordGrid& g) { g.setCell(1, 2, "zz"); }, false},
      {"a row changed in the column", [](RecordGrid& g) { g.setRow(1, CellTexts{"a", "zz", "c"}, {}, {}); }, false},
      {"the rows cleared", [](RecordGrid& g) { g.clearRows(); }, false},
      {"the columns cleared", [](RecordGrid& g) { g.clearColumns(); }, false},
      {"the column removed", [](RecordGrid& g) { g.removeColumn(2); }, false},
      {"another column's cell changed", [](RecordGrid& g) { g.setCell(1, 3, "zz"); }, true},
      {"a row changed elsewhere", [](RecordGrid& g) { g.setRow(1, CellTexts{"zz", "r1c2", "c"}, {}, {}); }, true},
      {"a row removed", [](RecordGrid& g) { g.removeRow(1); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GridFixture f;
    f.addColumns({120, 120, 120});
    f.addRows(3);
    f.layOut();
    f.grid.sortByColumn(2, true, 2);
    const auto drawn = sortMarkRows(f.header);
    ASSERT_EQ(drawn.size(), 5u);
    const ui::Point mark = middleOf(drawn[2]);
    c.change(f.grid);
    EXPECT_EQ(f.header.recording().colorAt(mark) == colors::kSortMark, c.kept);
    EXPECT_EQ(f.grid.sortIndicator().column != 0, c.kept);
  }
}

TEST(GridScrollBarTest, BarsAppearOnOverflowWithThumbsAndGrips) {
  GridFixture f;
  f.addColumns({500, 500, 500});
  f.addRows(100);
  f.layOut();
  EXPECT_TRUE(f.vScroll.visible());
  EXPECT_TRUE(f.hScroll.visible());
  EXPECT_EQ(f.grid.visibleRowCount(), 14);  // (454 - 18) / 30
  EXPECT_EQ(f.vScroll.bounds(), (ui::Rect{866 - 20, 26, 18, 478 - 28 - 18}));
  EXPECT_EQ(f.hScroll.bounds(), (ui::Rect{2, 478 - 20, 866 - 4 - 18, 18}));

  f.forgetDrawings();
  f.grid.scrollRows(50);
  // Track 432 - 38 = 394; the thumb starts 197 below the track's top, 394 - 338 = 56 long.
  const auto thumbs = ofKind(f.vScroll, DrawKind::RoundRectangle);
  ASSERT_EQ(thumbs.size(), 1u);
  EXPECT_EQ(thumbs[0].area, (ui::Rect{0, 19 + 197, 18, 56}));
  EXPECT_EQ(thumbs[0].corner, (ui::Size{5, 5}));
  EXPECT_EQ(ofKind(f.vScroll, DrawKind::Line).size(), 5u);
  EXPECT_EQ(f.vScroll.recording().colorAt({4, 9}), colors::kOutline);
  EXPECT_EQ(f.vScroll.recording().colorAt({2, 2}), colors::kBarPart);
  EXPECT_EQ(f.grid.rowOffset(), 50);
  f.grid.scrollToEnd();
  EXPECT_EQ(f.grid.rowOffset(), 86);
  f.grid.wheel(2);
  EXPECT_EQ(f.grid.rowOffset(), 82);
  f.grid.scrollToRow(3);
  EXPECT_EQ(f.grid.rowOffset(), 0);
}

TEST(GridScrollBarTest, TheLastPageOfColumnsShowsTheLastColumnWhole) {
  // The data area is 866 wide: columns show up to its frame at 865, or up to 845 beside the
  // vertical bar (more than 15 rows).
  struct Case {
    const char* what;
    std::vector<int> widths;
    int rows;
    std::function<void(GridFixture&)> change;
    int lastOffset;
  };
  const auto none = [](GridFixture&) {};
  const Case cases[] = {
      {"several columns over", {300, 300, 300, 300}, 0, none, 2},
      {"1 px over", {433, 433}, 0, none, 1},
      {"part of a column over", {400, 400, 100}, 0, none, 1},
      {"under the vertical bar", {430, 430}, 100, none, 1},
      {"a narrower container", {400, 400}, 0, [](GridFixture& f) { f.grid.setBounds(10, 10, 700, 478); }, 1},
      {"a wider column", {400, 400}, 0, [](GridFixture& f) { f.grid.setColumnWidth(2, 470); }, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GridFixture f;
    f.addColumns(c.widths);
    f.addRows(c.rows);
    f.layOut();
    c.change(f);
    ASSERT_TRUE(f.hScroll.visible());
    const int barWidth = f.hScroll.bounds().width;
    f.user.pressMouse(f.hScroll, {barWidth - 5, 9, 0, ui::MouseButton::Right});  // to the far right
    EXPECT_EQ(f.grid.columnOffset(), c.lastOffset);
    const int viewRight = f.data.bounds().width - 1 - (f.vScroll.visible() ? 20 : 0);
    EXPECT_LE(f.grid.columnRight(f.grid.columnCount()), viewRight);
    // The thumb ends where the track does.
    const auto thumbs = ofKind(f.hScroll, DrawKind::RoundRectangle);
    ASSERT_FALSE(thumbs.empty());
    EXPECT_EQ(thumbs.back().area.right(), barWidth - 19);
  }
}

}  // namespace
}  // namespace grid
