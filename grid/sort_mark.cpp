#include "grid/sort_mark.h"

namespace grid {

void paintSortMark(ui::Canvas& canvas, ui::Point at, bool ascending, ui::Color color) {
  canvas.setBrush(color);
  const int middle = kSortMarkWidth / 2;
  for (int row = 0; row < kSortMarkHeight; ++row) {
    // The point is one pixel wide, and every row away from it one pixel wider on either side.
    const int fromPoint = ascending ? row : kSortMarkHeight - 1 - row;
    canvas.fill({at.x + middle - fromPoint, at.y + row, 2 * fromPoint + 1, 1});
  }
}

}  // namespace grid
