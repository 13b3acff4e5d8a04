#include "grid/grid_data.h"

namespace grid {

const base::TextValue& cellOf(const GridRow& row, int column) {
  static const base::TextValue kEmpty;
  if (column < 1 || static_cast<std::size_t>(column) > row.cells.size()) return kEmpty;
  return row.cells[static_cast<std::size_t>(column) - 1];
}

}  // namespace grid
