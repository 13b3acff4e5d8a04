#pragma once
// Where columns and rows lie on the data panel. Column x positions start at the first column not
// scrolled off (columnOffset + 1); rows are rowHeight pixels high from the panel's top.

#include <vector>

#include "grid/grid_data.h"

namespace grid {

// The horizontal layout: the columns and how many of them are scrolled off the left.
struct ColumnLayout {
  const std::vector<GridColumn>& columns;
  int columnOffset = 0;

  int count() const { return static_cast<int>(columns.size()); }
  // The width of column c, 0 for a column that does not exist.
  int width(int column) const;
  // Sum of the widths of the columns from columnOffset + 1 up to c - 1 (0 up to the first shown).
  int left(int column) const;
  int right(int column) const { return left(column) + width(column); }
  // The shown column at x, 0 for none. The 3 pixels right of a border belong to the column left
  // of it; the first shown column starts at x = 0.
  int columnAt(int x) const;
  // Columns shown, from columnOffset + 1, until their widths reach `panelWidth` (the partly
  // shown last one included).
  int visibleCount(int panelWidth) const;
  // The largest offset worth scrolling to: the one from which the remaining columns fit whole in
  // `viewWidth` (count - 1 when the last column alone is wider; 0 when every column fits).
  int lastOffset(int viewWidth) const;
};

// The vertical layout of the data panel.
struct RowLayout {
  int rowHeight = 30;
  int rowOffset = 0;
  int rowCount = 0;
  int panelHeight = 0;

  // The row at y, 0 for none (outside the panel's inner area or below the last row).
  int rowAt(int y) const;
  // Whole rows that fit in the panel's height less `reserved` pixels.
  int visibleCount(int reserved) const;
};

}  // namespace grid
