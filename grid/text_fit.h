#pragma once
// Estimating and fitting texts to column widths without measuring each text: widths come from
// byte counts and one measured character width.

#include <cstddef>

#include "base/text_value.h"

namespace grid {

// Cells are cut to this many characters before fitting.
inline constexpr std::size_t kCellTextCap = 500;

// The header title as it fits a column `width` wide: 8 pixels per byte and 10 to spare; a cut
// title ends in ".." when the column is at least 10 wide.
base::TextValue fitHeaderTitle(const base::TextValue& title, int width);

// The cell text as it fits `available` pixels with characters `charWidth` wide (a byte counts
// half of it) and 12 to spare; a cut text ends in ".." when `available` is at least 10 and the
// column has a title.
// Only the cap's characters of the cell are looked at, so a cell of megabytes fits as fast as any.
base::TextValue fitCellText(std::string_view cell, int available, int charWidth, bool columnHasTitle);

// Automatic column widths: a title at 8 pixels per byte plus 10; a cell at charWidth / 2 + 1
// per byte plus 10.
int titleWidthEstimate(const base::TextValue& title);
int cellWidthEstimate(std::size_t cellBytes, int charWidth);

}  // namespace grid
