// The grid's data operations and their invariants, geometry, automatic widths.

#include "grid/record_grid.h"

#include <gtest/gtest.h>

#include "grid/text_fit.h"

namespace grid {
namespace {

std::vector<base::TextValue> cellsOf(const RecordGrid& grid, int row) { return grid.row(row).cells.texts(); }

TEST(RecordGridRowsTest, RowsAreAddedInsertedAndRemovedWhereAllowed) {
  RecordGrid grid;
  grid.addColumn("a", std::nullopt, true);
  grid.addColumn("b", 40, true);
  EXPECT_EQ(grid.columnWidth(1), 88);
  grid.appendRow({"1", "x", "extra"}, 0, 11, true, true);
  grid.appendRow({"2"}, 3, 12, false, true);
  EXPECT_EQ(cellsOf(grid, 1), (std::vector<base::TextValue>{"1", "x"}));
  EXPECT_EQ(cellsOf(grid, 2), (std::vector<base::TextValue>{"2"}));
  EXPECT_EQ(grid.row(2).image, 3);
  grid.insertRow(0, {"no"}, 0, 0, false, true);
  grid.insertRow(4, {"no"}, 0, 0, false, true);
  EXPECT_EQ(grid.rowCount(), 2);
  grid.insertRow(3, {"3"}, 0, 13, false, true);
  grid.insertRow(1, {"0"}, 0, 10, false, true);
  EXPECT_EQ(grid.cell(1, 1), "0");
  EXPECT_EQ(grid.cell(4, 1), "3");
  EXPECT_EQ(grid.cell(9, 9), "");
  EXPECT_EQ(grid.row(99), GridRow{});

  grid.setCell(3, 2, "y", true);
  EXPECT_EQ(grid.cell(3, 2), "y");
  grid.setRow(2, std::nullopt, std::nullopt, 99, false, true);
  EXPECT_EQ(grid.row(2).cells.texts(), (std::vector<base::TextValue>{"1", "x"}));
  EXPECT_EQ(grid.row(2).recordId, 99);

  grid.selectRow(4, true);
  grid.selectRow(2, false);
  grid.selectRow(4, false);
  grid.removeRow(4, true);
  // Only the first entry goes; others are not renumbered.
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{2, 4}));
  grid.removeRow(0, true);
  grid.removeRow(4, true);
  EXPECT_EQ(grid.rowCount(), 3);
  grid.setRowOffset(2);
  grid.clearRows(true);
  EXPECT_EQ(grid.rowCount(), 0);
  EXPECT_TRUE(grid.selection().empty());
  EXPECT_EQ(grid.rowOffset(), 0);
}

TEST(RecordGridRowsTest, SelectionOperations) {
  RecordGrid grid;
  grid.addColumn("a", 10, true);
  for (int i = 0; i < 3; ++i) grid.appendRow({"r"}, 0, i, true, true);
  grid.setSelectedRow(77);  // as it is
  EXPECT_EQ(grid.firstSelectedRow(), 77);
  grid.selectRow(0, true);
  EXPECT_EQ(grid.firstSelectedRow(), -1);
  grid.selectRow(4, false);
  EXPECT_TRUE(grid.selection().empty());
  grid.selectRow(2, false);
  grid.selectRow(2, false);
  std::vector<std::int32_t> rows{9};
  EXPECT_EQ(grid.selectedRows(rows), 2);
  EXPECT_EQ(rows, (std::vector<std::int32_t>{2, 2}));
  grid.selectAll();
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{1, 2, 3}));
}

TEST(RecordGridColumnsTest, ColumnChangesKeepEveryRowsCellsInStep) {
  RecordGrid grid;
  grid.addColumn("a", 10, true);
  grid.addColumn("b", 20, true);
  grid.appendRow({"a1", "b1"}, 0, 1, true, true);
  grid.appendRow({"a2"}, 0, 2, false, true);  // one cell short
  grid.insertColumn(2, "new", std::nullopt, true);
  EXPECT_EQ(grid.columnCount(), 3);
  EXPECT_EQ(grid.columnTitle(2), "new");
  EXPECT_EQ(grid.columnWidth(2), 88);
  EXPECT_EQ(cellsOf(grid, 1), (std::vector<base::TextValue>{"a1", "", "b1"}));
  EXPECT_EQ(cellsOf(grid, 2), (std::vector<base::TextValue>{"a2", ""}));
  grid.insertColumn(5, "no", 1, true);
  grid.insertColumn(0, "no", 1, true);
  EXPECT_EQ(grid.columnCount(), 3);

  grid.removeColumn(1, true);
  EXPECT_EQ(grid.columnTitle(1), "new");
  EXPECT_EQ(cellsOf(grid, 1), (std::vector<base::TextValue>{"", "b1"}));
  grid.removeColumn(9, true);
  EXPECT_EQ(grid.columnCount(), 2);

  grid.setColumns({{5, "x"}, {6, "y"}, {7, "z"}}, true);
  EXPECT_EQ(cellsOf(grid, 2), (std::vector<base::TextValue>{"", "", ""}));
  grid.addColumn("w", 1, true, true);  // without row sync
  EXPECT_EQ(cellsOf(grid, 1).size(), 3u);

  grid.setColumnWidth(1, -30, true);  // as given
  EXPECT_EQ(grid.columnWidth(1), -30);
  grid.setColumnTitle(2, "标题", true);
  EXPECT_EQ(grid.columnTitle(2), "标题");
  EXPECT_EQ(grid.columnTitle(0), "");
  EXPECT_EQ(grid.columnWidth(99), 0);

  grid.setColumnOffset(2);
  grid.clearColumns(true);
  EXPECT_EQ(grid.columnCount(), 0);
  EXPECT_EQ(grid.columnOffset(), 0);
  EXPECT_TRUE(cellsOf(grid, 1).empty());
  grid.clear();
  EXPECT_EQ(grid.rowCount(), 0);
}

TEST(RecordGridImagesTest, PicturesLoadAtOnceAndEmptyBytesGiveNoPicture) {
  struct Fake : ui::Picture {
    ui::Size size() const override { return {1, 1}; }
  };
  int loads = 0;
  RecordGrid grid([&](const std::string&) {
    ++loads;
    return std::make_unique<Fake>();
  });
  EXPECT_NE(grid.addImage("bytes", true), nullptr);
  EXPECT_EQ(grid.addImage("", true), nullptr);
  grid.insertImage(1, "first", true);
  EXPECT_EQ(loads, 2);
  EXPECT_EQ(grid.imageCount(), 3);
  EXPECT_EQ(grid.image(3), nullptr);
  grid.removeImage(3, true);
  grid.removeImage(0, true);
  EXPECT_EQ(grid.imageCount(), 2);
  grid.setImages({"a", "b", "c"}, true);
  EXPECT_EQ(grid.imageCount(), 3);
  grid.clearImages(true);
  EXPECT_EQ(grid.imageCount(), 0);
}

TEST(GeometryTest, ColumnsAreHitWithTheThreePixelShift) {
  const std::vector<GridColumn> columns = {{50, "a"}, {30, "b"}, {40, "c"}};
  ColumnLayout layout{columns, 0};
  EXPECT_EQ(layout.left(1), 0);
  EXPECT_EQ(layout.left(3), 80);
  EXPECT_EQ(layout.right(3), 120);
  EXPECT_EQ(layout.columnAt(0), 1);
  EXPECT_EQ(layout.columnAt(52), 1);  // the 2 pixels right of the border
  EXPECT_EQ(layout.columnAt(53), 2);
  EXPECT_EQ(layout.columnAt(122), 3);
  EXPECT_EQ(layout.columnAt(123), 0);
  EXPECT_EQ(layout.columnAt(-1), 0);
  EXPECT_EQ(layout.visibleCount(81), 3);
  EXPECT_EQ(layout.visibleCount(80), 2);
  EXPECT_EQ(layout.visibleCount(0), 0);

  ColumnLayout scrolled{columns, 1};
  EXPECT_EQ(scrolled.left(1), 0);
  EXPECT_EQ(scrolled.left(3), 30);
  // The first shown column starts at 0; a column scrolled off is never hit.
  EXPECT_EQ(scrolled.columnAt(0), 2);
  EXPECT_EQ(scrolled.columnAt(32), 2);
  EXPECT_EQ(scrolled.columnAt(33), 3);

  const std::vector<GridColumn> none;
  EXPECT_EQ((ColumnLayout{none, 0}.columnAt(5)), 0);
  EXPECT_EQ((ColumnLayout{none, 3}.left(7)), 0);
}

TEST(GeometryTest, RowsAreHitInsideThePanelOnly) {
  RowLayout layout{30, 2, 10, 200};
  EXPECT_EQ(layout.rowAt(0), 0);
  EXPECT_EQ(layout.rowAt(1), 3);
  EXPECT_EQ(layout.rowAt(30), 4);
  EXPECT_EQ(layout.rowAt(199), 9);
  EXPECT_EQ(layout.rowAt(200), 0);
  EXPECT_EQ(layout.visibleCount(0), 6);
  EXPECT_EQ(layout.visibleCount(18), 6);
  EXPECT_EQ(layout.visibleCount(500), 0);
  EXPECT_EQ((RowLayout{30, 8, 10, 200}.rowAt(150)), 0);  // past the last row
}

TEST(AutoFitTest, TitlesAndCellsAreEstimated) {
  // Two Chinese characters of title (four bytes), cells 1 and 12, characters 15 wide: the cells
  // need 27 pixels, the title 42.
  EXPECT_EQ(std::max(cellWidthEstimate(1, 15), cellWidthEstimate(2, 15)), 27);
  EXPECT_EQ(titleWidthEstimate("列名"), 42);
  RecordGrid grid;
  grid.addColumn("列名", 5, true);
  grid.addColumn("", 5, true);
  grid.appendRow({"1", "1234567890"}, 0, 1, true, true);
  grid.appendRow({"12", ""}, 0, 2, true, true);
  // Not attached: characters are 0 wide, a byte counts 1.
  EXPECT_EQ(grid.autoFitColumns(0, 0, true), 20);
  EXPECT_EQ(grid.columnWidth(1), 42);
  EXPECT_EQ(grid.autoFitColumns(2, 1, true, true), 12);
  EXPECT_EQ(grid.columnWidth(1), 42);  // measuring changes nothing
  grid.autoFitColumns(0, 2, true, false, 15);
  EXPECT_EQ(grid.columnWidth(2), 15);
  EXPECT_EQ(grid.autoFitColumns(0, 9, true), 0);
}

TEST(TextFitTest, CellsAreCutByEstimateAndMarked) {
  // 4 bytes at 7 px: 28 <= 40 - 12, shown whole.
  EXPECT_EQ(fitCellText("abcd", 40, 14, true), "abcd");
  EXPECT_EQ(fitCellText("abcdef", 40, 14, true), "abcd..");
  EXPECT_EQ(fitCellText("abcdef", 40, 14, false), "abcd");
  EXPECT_EQ(fitCellText("是川是川", 40, 14, true), "是川..");
  EXPECT_EQ(fitCellText("abc", 5, 14, true), "");
  EXPECT_EQ(fitCellText("abc", 11, 14, true), "..");
  EXPECT_EQ(fitCellText("", -100, 0, true), "");
  const base::TextValue longCell(2000, 'x');
  EXPECT_EQ(fitCellText(longCell, 1'000'000, 14, true), base::TextValue(500, 'x') + "..");

  EXPECT_EQ(fitHeaderTitle("标题", 42), "标题");
  EXPECT_EQ(fitHeaderTitle("标题", 41), "标..");
  EXPECT_EQ(fitHeaderTitle("标题", 9), "");
  EXPECT_EQ(fitHeaderTitle("", -5), "");
}

}  // namespace
}  // namespace grid
