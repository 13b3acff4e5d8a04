#pragma once
// The record grid's data: its columns and rows. Row, column and image numbers are 1-based.

#include <cstdint>
#include <vector>

#include <string_view>

#include "base/text_value.h"
#include "grid/cell_texts.h"

namespace grid {

inline constexpr std::int32_t kDefaultColumnWidth = 88;

struct GridColumn {
  std::int32_t width = kDefaultColumnWidth;  // pixels; not clamped, may be 0 or negative
  base::TextValue title;
  bool operator==(const GridColumn&) const = default;
};

struct GridRow {
  CellTexts cells;                     // normally one per column
  std::int32_t image = 0;              // number in the grid's image list; 0: none
  std::int32_t recordId = 0;           // the database record the row shows
  bool operator==(const GridRow&) const = default;
};

// A row's cell, or the empty text when the row has no such cell; valid until the row changes.
std::string_view cellOf(const GridRow& row, int column);

}  // namespace grid
