// RecordGrid: sorting the rows by a column, and the mark in the header that shows which sort the
// rows follow.

#include "grid/prefetch.h"
#include "grid/record_grid.h"

namespace grid {

void RecordGrid::sortByColumn(int column, bool ascending, int sortKind) {
  if (rows_.empty()) return;
  if (!gate_) {
    sortRows(column, ascending, sortKind, {});
    return;
  }
  gate_->run(ui::WhenBusy::Refuse, this, [this, column, ascending, sortKind] {
    sortRows(column, ascending, sortKind, [this] { return gate_->letEventsRun(); });
  });
}

void RecordGrid::sortRows(int column, bool ascending, int sortKind, const EventPump& pump) {
  const std::uint64_t changesBefore = rowChanges_;
  std::vector<std::string_view> cells;
  cells.reserve(rows_.size());
  constexpr std::size_t kAhead = 8;  // rows whose blocks are asked from memory before they are read
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    if (r + kAhead < rows_.size()) prefetch(rows_[r + kAhead].cells.blockAddress());
    cells.push_back(cellOf(rows_[r], column));
  }
  // Keys are computed before the pump first runs; what events do to the rows meanwhile is kept
  // unless they changed the row count, when the old order no longer applies. A stopped sort gives
  // no order and leaves the rows as they are.
  const std::vector<std::size_t> order =
      sortOrder(cells, ascending, sortKind, pump, pumpIntervalMs_, kSortBlock, &sortBuffers_);
  if (order.size() != rows_.size()) return;
  std::vector<GridRow> sorted;
  sorted.reserve(rows_.size());
  for (std::size_t from : order) sorted.push_back(std::move(rows_[from]));
  rows_ = std::move(sorted);
  selection_.clear();
  // Rows that events changed while the keys were sorted need not follow the order.
  const bool followed = rowChanges_ == changesBefore && column >= 1 && column <= columnCount();
  showSortIndicator(followed ? SortIndicator{column, ascending} : SortIndicator{}, false);
  redrawRows();
}

void RecordGrid::noteRowChange(RowChange change, bool noRedraw) {
  ++rowChanges_;
  if (change == RowChange::BreaksOrder) showSortIndicator({}, noRedraw);
}

void RecordGrid::showSortIndicator(SortIndicator shown, bool noRedraw) {
  if (shown == sortedBy_) return;
  const int before = sortedBy_.column;
  sortedBy_ = shown;
  if (noRedraw || !attached()) return;
  const auto repaint = [this](int column) {
    if (column >= 1) paintHeader(column, column == resize_.hoverColumn ? HeaderState::Hover : HeaderState::Normal);
  };
  if (before != shown.column) repaint(before);
  repaint(shown.column);
  header_->refresh();
}

}  // namespace grid
