// The selection moved from the keyboard: where each move leads, the single row it leaves selected,
// and the least scroll that shows it.

#include <gtest/gtest.h>

#include "tests/grid/grid_fixture.h"

namespace grid {
namespace {

using testing::GridFixture;

RowMove by(int rows) { return {RowMoveKind::By, rows}; }

struct KeyGrid : GridFixture {
  explicit KeyGrid(int rows = 100) {
    addColumns({120, 120});
    addRows(rows);
    layOut();
  }
};

TEST(GridKeysTest, MovesStepFromTheEdgeOfTheSelectionAndStayWithinTheRows) {
  KeyGrid f(10);
  EXPECT_EQ(f.grid.rowAfterMove(by(1)), 1);  // nothing selected: onto the first row
  EXPECT_EQ(f.grid.rowAfterMove(by(-1)), 1);
  f.grid.selectRow(4, true);
  f.grid.selectRow(6, false);
  f.grid.selectRow(5, false);
  EXPECT_EQ(f.grid.rowAfterMove(by(1)), 7);   // below the range
  EXPECT_EQ(f.grid.rowAfterMove(by(-1)), 3);  // above it
  EXPECT_EQ(f.grid.rowAfterMove(by(100)), 10);
  EXPECT_EQ(f.grid.rowAfterMove(by(-100)), 1);
  EXPECT_EQ(f.grid.rowAfterMove({RowMoveKind::ToFirst, 0}), 1);
  EXPECT_EQ(f.grid.rowAfterMove({RowMoveKind::ToLast, 0}), 10);
  // An entry of a row that is gone (entries are not renumbered) counts as the last row.
  f.grid.setSelectedRow(40);
  EXPECT_EQ(f.grid.rowAfterMove(by(-1)), 9);
  f.grid.clearRows(true);
  EXPECT_EQ(f.grid.rowAfterMove(by(1)), 0);
  EXPECT_EQ(f.grid.rowAfterMove({RowMoveKind::ToLast, 0}), 0);
  EXPECT_FALSE(f.grid.moveSelection(by(1)));
}

TEST(GridKeysTest, AMoveSelectsOneRowAndScrollsOnlyAsFarAsNeeded) {
  KeyGrid f;
  const int shown = f.grid.visibleRowCount();
  ASSERT_GT(shown, 3);
  f.grid.selectAll();
  EXPECT_TRUE(f.grid.moveSelection({RowMoveKind::ToFirst, 0}));
  EXPECT_EQ(f.grid.selection(), (std::vector<std::int32_t>{1}));
  EXPECT_EQ(f.grid.rowOffset(), 0);
  // Within the shown rows nothing scrolls; one past the last shown row scrolls by one.
  EXPECT_TRUE(f.grid.moveSelection(by(shown - 1)));
  EXPECT_EQ(f.grid.rowOffset(), 0);
  EXPECT_TRUE(f.grid.moveSelection(by(1)));
  EXPECT_EQ(f.grid.selection(), (std::vector<std::int32_t>{shown + 1}));
  EXPECT_EQ(f.grid.rowOffset(), 1);
  // Up to the first shown row: no scroll; one more scrolls back by one.
  EXPECT_TRUE(f.grid.moveSelection(by(-(shown - 1))));
  EXPECT_EQ(f.grid.rowOffset(), 1);
  EXPECT_TRUE(f.grid.moveSelection(by(-1)));
  EXPECT_EQ(f.grid.rowOffset(), 0);
  // The last row ends the last page; the first starts the first.
  EXPECT_TRUE(f.grid.moveSelection({RowMoveKind::ToLast, 0}));
  EXPECT_EQ(f.grid.selection(), (std::vector<std::int32_t>{100}));
  EXPECT_EQ(f.grid.rowOffset(), 100 - shown);
  EXPECT_TRUE(f.grid.moveSelection({RowMoveKind::ToFirst, 0}));
  EXPECT_EQ(f.grid.rowOffset(), 0);
}

TEST(GridKeysTest, AMoveRedrawsTheRowsWithTheNewSelection) {
  KeyGrid f(5);
  f.grid.selectRow(2, true);
  f.forgetDrawings();
  EXPECT_TRUE(f.grid.moveSelection(by(1)));
  EXPECT_FALSE(f.data.recording().operations().empty());
}

TEST(GridKeysTest, AGridWithoutSelectionsSelectsNothing) {
  KeyGrid f(5);
  f.grid.setSelectionMode(SelectionMode::None);
  EXPECT_FALSE(f.grid.moveSelection(by(1)));
  EXPECT_TRUE(f.grid.selection().empty());
  f.grid.setSelectionMode(SelectionMode::Single);
  EXPECT_TRUE(f.grid.moveSelection(by(2)));
  EXPECT_EQ(f.grid.selection(), (std::vector<std::int32_t>{2}));
}

}  // namespace
}  // namespace grid
