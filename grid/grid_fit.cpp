// RecordGrid: automatic column widths, estimated from byte counts and one character width.

#include <algorithm>

#include "grid/record_grid.h"
#include "grid/text_fit.h"

namespace grid {

int RecordGrid::autoFitColumns(int what, int column, bool noRedraw, bool measureOnly, int maxWidth) {
  const int first = column == 0 ? 1 : column;
  const int last = column == 0 ? columnCount() : column;
  if (column != 0 && (column < 1 || column > columnCount())) return 0;
  int width = 0;
  for (int c = first; c <= last; ++c) {
    width = 0;
    if (what != 2) width = titleWidthEstimate(columnTitle(c));
    if (what != 1) {
      const int extra = c == 1 && !images_.empty() ? imageWidth_ : 0;
      for (const GridRow& row : rows_) width = std::max(width, cellWidthEstimate(cellOf(row, c), charWidth_) + extra);
    }
    if (column != 0 && measureOnly) return width;
    if (maxWidth >= 1 && width > maxWidth) width = maxWidth;
    setColumnWidth(c, width, true);
  }
  if (!noRedraw) scrollColumns();
  return width;
}

}  // namespace grid
