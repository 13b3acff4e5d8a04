#include "grid/grid_geometry.h"

#include <algorithm>

namespace grid {

int ColumnLayout::width(int column) const {
  if (column < 1 || column > count()) return 0;
  return columns[static_cast<std::size_t>(column) - 1].width;
}

int ColumnLayout::left(int column) const {
  long long sum = 0;
  const int last = std::min(column - 1, count());
  for (int c = std::max(columnOffset + 1, 1); c <= last; ++c) sum += width(c);
  return static_cast<int>(std::clamp<long long>(sum, -1'000'000'000, 1'000'000'000));
}

int ColumnLayout::columnAt(int x) const {
  const int first = std::max(columnOffset + 1, 1);
  // From the last column to the first; the lefts are summed once.
  std::vector<int> lefts;
  int sum = 0;
  for (int c = first; c <= count(); ++c) {
    lefts.push_back(sum);
    sum = static_cast<int>(std::clamp<long long>(static_cast<long long>(sum) + width(c), -1'000'000'000, 1'000'000'000));
  }
  for (int c = count(); c >= first; --c) {
    const int columnLeft = lefts[static_cast<std::size_t>(c - first)];
    const int shift = c == first ? 0 : 3;
    if (columnLeft + shift <= x && x < columnLeft + width(c) + 3) return c;
  }
  return 0;
}

int ColumnLayout::visibleCount(int panelWidth) const {
  int shown = 0;
  long long sum = 0;
  for (int c = std::max(columnOffset + 1, 1); c <= count() && sum < panelWidth; ++c) {
    sum += width(c);
    ++shown;
  }
  return shown;
}

int ColumnLayout::lastOffset(int viewWidth) const {
  if (count() == 0) return 0;
  int offset = count() - 1;
  long long fitting = width(count());
  while (offset > 0 && fitting + width(offset) <= viewWidth) fitting += width(offset--);
  return offset;
}

int RowLayout::rowAt(int y) const {
  if (y < 1 || y > panelHeight - 1 || rowHeight < 1) return 0;
  const long long row = y / rowHeight + static_cast<long long>(rowOffset) + 1;
  return row > rowCount || row < 1 ? 0 : static_cast<int>(row);
}

int RowLayout::visibleCount(int reserved) const {
  if (rowHeight < 1) return 0;
  return std::max(0, (panelHeight - reserved) / rowHeight);
}

}  // namespace grid
