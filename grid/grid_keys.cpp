// RecordGrid: the selection moved from the keyboard, and the scroll that keeps it in view.

#include <algorithm>

#include "grid/record_grid.h"

namespace grid {

int RecordGrid::rowAfterMove(const RowMove& move) const {
  const int count = rowCount();
  if (count == 0) return 0;
  switch (move.kind) {
    case RowMoveKind::ToFirst: return 1;
    case RowMoveKind::ToLast: return count;
    case RowMoveKind::By: break;
  }
  // Entries of rows that are gone count as the nearest row.
  long long from = 0;
  if (!selection_.empty()) {
    const auto [top, bottom] = std::minmax_element(selection_.begin(), selection_.end());
    from = std::clamp<long long>(move.rows > 0 ? *bottom : *top, 0, count);
  }
  return static_cast<int>(std::clamp<long long>(from + move.rows, 1, count));
}

bool RecordGrid::moveSelection(const RowMove& move) {
  if (selectionMode_ == SelectionMode::None) return false;
  const int row = rowAfterMove(move);
  if (row == 0) return false;
  selectRow(row, true);
  scrollRowIntoView(row);
  return true;
}

void RecordGrid::scrollRowIntoView(int n) {
  const int shown = std::max(visibleRowCount(), 1);
  if (n >= 1 && n <= rowOffset_) {
    scrollRows(n - 1);
  } else if (n <= rowCount() && n > rowOffset_ + shown) {
    scrollRows(n - shown);
  } else {
    redrawRows();
  }
}

}  // namespace grid
