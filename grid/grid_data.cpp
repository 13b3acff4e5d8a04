#include "grid/grid_data.h"

namespace grid {

std::string_view cellOf(const GridRow& row, int column) {
  if (column < 1 || static_cast<std::size_t>(column) > row.cells.size()) return {};
  return row.cells[static_cast<std::size_t>(column) - 1];
}

}  // namespace grid
