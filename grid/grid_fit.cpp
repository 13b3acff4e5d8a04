// RecordGrid: automatic column widths, estimated from byte counts and one character width.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "grid/prefetch.h"
#include "grid/record_grid.h"
#include "grid/text_fit.h"

namespace grid {

namespace {

struct CellSizeRange {
  std::size_t shortest = SIZE_MAX;
  std::size_t longest = 0;
};

// The shortest and longest cell (in bytes) of columns first..last, a missing cell counting as
// empty, in one pass over the rows.
std::vector<CellSizeRange> cellSizeRanges(const std::vector<GridRow>& rows, int first, int last) {
  std::vector<CellSizeRange> ranges(static_cast<std::size_t>(last - first + 1));
  constexpr std::size_t kAhead = 8;  // rows whose cells are asked from memory before they are read
  for (std::size_t r = 0; r < rows.size(); ++r) {
    if (r + kAhead < rows.size()) {
      const CellTexts& ahead = rows[r + kAhead].cells;
      prefetchBytes(ahead.blockAddress(), (ahead.size() + 1) * sizeof(std::uint32_t));
    }
    const GridRow& row = rows[r];
    for (int c = first; c <= last; ++c) {
      const std::size_t size = cellOf(row, c).size();
      CellSizeRange& range = ranges[static_cast<std::size_t>(c - first)];
      range.shortest = std::min(range.shortest, size);
      range.longest = std::max(range.longest, size);
    }
  }
  return ranges;
}

}  // namespace

int RecordGrid::autoFitColumns(int what, int column, bool noRedraw, bool measureOnly, int maxWidth) {
  const int first = column == 0 ? 1 : column;
  const int last = column == 0 ? columnCount() : column;
  if (column != 0 && (column < 1 || column > columnCount())) return 0;
  // A cell's estimate grows (or shrinks) steadily with its byte count, so the widest cell of a
  // column is its shortest or its longest one.
  const std::vector<CellSizeRange> sizes = what != 1 && !rows_.empty() ? cellSizeRanges(rows_, first, last)
                                                                        : std::vector<CellSizeRange>{};
  int width = 0;
  for (int c = first; c <= last; ++c) {
    width = 0;
    if (what != 2) width = titleWidthEstimate(columnTitle(c));
    if (!sizes.empty()) {
      const int extra = c == 1 && !images_.empty() ? imageWidth_ : 0;
      const CellSizeRange& range = sizes[static_cast<std::size_t>(c - first)];
      for (const std::size_t size : {range.shortest, range.longest}) {
        width = std::max(width, cellWidthEstimate(size, charWidth_) + extra);
      }
    }
    if (column != 0 && measureOnly) return width;
    if (maxWidth >= 1 && width > maxWidth) width = maxWidth;
    setColumnWidth(c, width, true);
  }
  if (!noRedraw) scrollColumns();
  return width;
}

}  // namespace grid
