#pragma once
// The mark beside the title of the column the rows are sorted by: a small triangle pointing up for
// an ascending sort and down for a descending one. It is drawn as rows of pixels, one filled
// rectangle each, so that it stays sharp at every scale (rectangles that touch keep touching).

#include "ui/canvas.h"

namespace grid {

inline constexpr int kSortMarkWidth = 9;
inline constexpr int kSortMarkHeight = 5;
// Between a title and the mark after it.
inline constexpr int kSortMarkGap = 4;

// Draws the mark in `color` with the top-left corner of its box at `at`; leaves the brush in
// `color`.
void paintSortMark(ui::Canvas& canvas, ui::Point at, bool ascending, ui::Color color);

}  // namespace grid
