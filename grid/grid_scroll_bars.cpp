// RecordGrid: its own scroll bars, drawn on two drawing panels over the data area: placing,
// showing, painting, hit tests, presses and thumb drags.

#include <algorithm>
#include <cmath>

#include "grid/grid_colors.h"
#include "grid/record_grid.h"

namespace grid {
namespace {

constexpr int kButton = kBarThickness;  // a button is a square as wide as the bar
constexpr int kMinimumThumb = 15;
constexpr int kThumbCorner = 5;

ui::Color partFill(int part, int pressedPart) { return part == pressedPart ? colors::kBarPartPressed : colors::kBarPart; }

// A rectangle across the bar: `along` runs down a vertical bar and to the right on a horizontal one.
ui::Rect across(bool vertical, int alongStart, int alongLength, int acrossStart, int acrossLength) {
  return vertical ? ui::Rect{acrossStart, alongStart, acrossLength, alongLength}
                  : ui::Rect{alongStart, acrossStart, alongLength, acrossLength};
}

ui::Rect inset(const ui::Rect& r, int by) { return {r.left + by, r.top + by, r.width - 2 * by, r.height - 2 * by}; }

void paintButton(ui::Canvas& canvas, const ui::Rect& square, bool pressed) {
  canvas.rectangle(square);
  canvas.rectangle(inset(square, 4));
  if (pressed) {
    canvas.rectangle(inset(square, 2));
    canvas.rectangle(inset(square, 6));
  }
}

int trackLength(int barLength) { return barLength - 2 * kButton - 2; }

}  // namespace

void RecordGrid::layoutScrollBars() {
  if (!attached()) return;
  const int width = containerWidth();
  const int height = containerHeight();
  const int hWidth = width - 2 * kBarInset - (autoScrollBars_ && vBar_.shown ? kBarThickness : 0);
  hScroll_->setBounds({kBarInset, height - kBarThickness - kBarInset, std::max(0, hWidth), kBarThickness});
  const int vHeight = height - kHeaderHeight - 3 - (autoScrollBars_ && hBar_.shown ? kBarThickness : 0);
  vScroll_->setBounds({width - kBarThickness - kBarInset, kHeaderHeight + 1, kBarThickness, std::max(0, vHeight)});
}

void RecordGrid::decideScrollBars() {
  if (!attached() || !autoScrollBars_) return;
  // Each bar takes room from what the other one scrolls: the horizontal bar takes rows, the
  // vertical bar the right end of the columns. Deciding twice, starting from no bars, settles both.
  vBar_.shown = hBar_.shown = false;
  for (int round = 0; round < 2; ++round) {
    vBar_.shown = visibleRowCount() < rowCount();
    hBar_.shown = lastColumnOffset() > 0;
  }
}

int RecordGrid::columnViewWidth() const {
  // Inside the data area's frame, and left of the vertical bar, which lies over the data area.
  return dataWidth() - 1 - (autoScrollBars_ && vBar_.shown ? kBarThickness + kBarInset : 0);
}

void RecordGrid::updateScrollBars(bool force) {
  if (!attached()) return;
  decideScrollBars();
  const bool changed = !vBar_.everApplied || vBar_.shown != vBar_.appliedShown || hBar_.shown != hBar_.appliedShown;
  if (!changed && !force) return;
  layoutScrollBars();
  paintVerticalBar(vBar_.shownPressed);
  paintHorizontalBar(hBar_.shownPressed);
  applyScrollBarVisibility();
}

void RecordGrid::applyScrollBarVisibility() {
  if (!attached()) return;
  vBar_.everApplied = hBar_.everApplied = true;
  vBar_.appliedShown = vBar_.shown;
  hBar_.appliedShown = hBar_.shown;
  bool changed = false;
  for (auto [panel, shown] : {std::pair{vScroll_, vBar_.shown}, std::pair{hScroll_, hBar_.shown}}) {
    if (panel->visible() == shown) continue;
    panel->setVisible(shown);
    changed = true;
  }
  if (changed) data_->refresh();
}

// ---- painting

void RecordGrid::computeThumb(ScrollBar& bar, bool vertical, int barLength) const {
  const int count = vertical ? rowCount() : columnCount();
  const int offset = vertical ? rowOffset_ : columnOffset_;
  // The thumb reaches the track's end at the last offset the bar scrolls to.
  const int hidden = vertical ? std::max(0, count - visibleRowCount()) : lastColumnOffset();
  const int length = std::max(trackLength(barLength), 0);
  bar.track = length;
  int start = 0;
  int size = length;
  if (count > 0) {
    start = static_cast<int>(std::trunc(static_cast<double>(offset) / count * length));
    size = length - static_cast<int>(std::trunc(static_cast<double>(hidden) / count * length));
  }
  size = std::max(size, kMinimumThumb);
  bar.thumbStart = kButton + 1 + start;
  bar.thumbEnd = bar.thumbStart + size;
  const int limit = barLength - kButton - 1;  // ends 1 px before the second button
  if (bar.thumbEnd > limit) {
    bar.thumbStart -= bar.thumbEnd - limit;
    bar.thumbEnd = limit;
  }
}

void RecordGrid::paintThumb(ScrollBar& bar, ui::DrawingPanel& panel, bool vertical, int pressedPart) {
  ui::Canvas& canvas = panel.canvas();
  const ui::Size size = {panel.bounds().width, panel.bounds().height};
  const int length = vertical ? size.height : size.width;
  computeThumb(bar, vertical, length);
  canvas.clear(across(vertical, kButton + 1, std::max(0, length - 2 * (kButton + 1)), 0, kBarThickness));
  canvas.setPen(colors::kOutline);
  canvas.setBrush(partFill(kThumb, pressedPart));
  const int thumbLength = bar.thumbEnd - bar.thumbStart;
  canvas.roundRectangle(across(vertical, bar.thumbStart, thumbLength, 0, kBarThickness), kThumbCorner, kThumbCorner);
  if (thumbLength <= kMinimumThumb) return;
  const int middle = bar.thumbStart + thumbLength / 2;
  for (int line = -2; line <= 2; ++line) {
    const int at = middle + 2 * line;
    if (vertical) canvas.line({4, at}, {kBarThickness - 4, at});
    else canvas.line({at, 4}, {at, kBarThickness - 4});
  }
}

void RecordGrid::paintBar(ScrollBar& bar, ui::DrawingPanel& panel, bool vertical, int pressedPart) {
  bar.shownPressed = pressedPart;
  ui::Canvas& canvas = panel.canvas();
  const int length = vertical ? panel.bounds().height : panel.bounds().width;
  canvas.setBackground(colors::kBarBackground);
  canvas.setPen(colors::kOutline);
  canvas.setBrush(partFill(kFirstButton, pressedPart));
  paintButton(canvas, {0, 0, kButton, kButton}, pressedPart == kFirstButton);
  paintThumb(bar, panel, vertical, pressedPart);
  canvas.setPen(colors::kOutline);
  canvas.setBrush(partFill(kSecondButton, pressedPart));
  paintButton(canvas, across(vertical, length - kButton, kButton, 0, kButton), pressedPart == kSecondButton);
  panel.refresh();
}

void RecordGrid::paintVerticalBar(int pressedPart) {
  if (attached()) paintBar(vBar_, *vScroll_, true, pressedPart);
}

void RecordGrid::paintHorizontalBar(int pressedPart) {
  if (attached()) paintBar(hBar_, *hScroll_, false, pressedPart);
}

// ---- hit tests

int RecordGrid::hitTest(const ScrollBar& bar, int along, int acrossAt, int length) const {
  if (along >= 0 && along <= kButton && acrossAt >= 0 && acrossAt <= kButton) return kFirstButton;
  if (along >= bar.thumbStart && along <= bar.thumbEnd) return kThumb;
  if (along >= length - kButton && along <= length) return kSecondButton;
  return kTrack;
}

int RecordGrid::hitTestVertical(int x, int y) const {
  return attached() ? hitTest(vBar_, y, x, vScroll_->bounds().height) : kTrack;
}

int RecordGrid::hitTestHorizontal(int x, int y) const {
  return attached() ? hitTest(hBar_, x, y, hScroll_->bounds().width) : kTrack;
}

// ---- presses and drags

void RecordGrid::scrollBarTo(bool vertical, long long offset, int pressedPart) {
  const int clamped = static_cast<int>(std::clamp<long long>(offset, -1'000'000'000, 1'000'000'000));
  if (vertical) scrollRows(clamped, pressedPart);
  else scrollColumns(std::nullopt, clamped, pressedPart);
}

void RecordGrid::barDown(bool vertical, int along, int acrossAt) {
  ScrollBar& bar = vertical ? vBar_ : hBar_;
  const int length = vertical ? vScroll_->bounds().height : hScroll_->bounds().width;
  const int count = vertical ? rowCount() : columnCount();
  bar.offsetAtPress = vertical ? rowOffset_ : columnOffset_;
  bar.pressedPart = hitTest(bar, along, acrossAt, length);
  bar.lastCoordinate = along;
  // The buttons scroll a page of rows, or one column.
  const int step = vertical ? visibleRowCount() : 1;
  long long offset = bar.offsetAtPress;
  switch (bar.pressedPart) {
    case kThumb: bar.dragStart = along; break;
    case kFirstButton: offset -= step; break;
    case kSecondButton: offset += step; break;
    default:
      offset = static_cast<long long>(std::trunc(static_cast<double>(along - 2 * kButton) / std::max(bar.track, 1) * count));
      break;
  }
  scrollBarTo(vertical, offset, bar.pressedPart);
}

void RecordGrid::barMove(bool vertical, int along) {
  ScrollBar& bar = vertical ? vBar_ : hBar_;
  if (bar.dragStart == 0) {
    if (bar.repaintAfterDrag) {
      bar.repaintAfterDrag = false;
      if (vertical) paintVerticalBar(0);
      else paintHorizontalBar(0);
    }
    return;
  }
  if (along == bar.lastCoordinate) return;
  bar.lastCoordinate = along;
  const int count = vertical ? rowCount() : columnCount();
  const double moved = static_cast<double>(along - bar.dragStart) / std::max(bar.track, 1) * count;
  scrollBarTo(vertical, static_cast<long long>(std::trunc(bar.offsetAtPress + moved)), kThumb);
}

void RecordGrid::barUp(bool vertical) {
  ScrollBar& bar = vertical ? vBar_ : hBar_;
  if (bar.dragStart != 0) bar.repaintAfterDrag = true;
  bar.dragStart = 0;
  bar.lastCoordinate = INT_MIN;
  if (vertical) paintVerticalBar(0);
  else paintHorizontalBar(0);
}

void RecordGrid::barRightDown(bool vertical, int along, int acrossAt) {
  ScrollBar& bar = vertical ? vBar_ : hBar_;
  const int length = vertical ? vScroll_->bounds().height : hScroll_->bounds().width;
  const int part = hitTest(bar, along, acrossAt, length);
  if (part == kFirstButton) scrollBarTo(vertical, 0, part);
  else if (part == kSecondButton) scrollBarTo(vertical, vertical ? rowCount() : columnCount(), part);
}

void RecordGrid::onVerticalBarDown(int x, int y) { if (attached()) barDown(true, y, x); }
void RecordGrid::onVerticalBarUp(int, int) { if (attached()) barUp(true); }
void RecordGrid::onVerticalBarMove(int, int y) { if (attached()) barMove(true, y); }
void RecordGrid::onVerticalBarRightDown(int x, int y) { if (attached()) barRightDown(true, y, x); }
void RecordGrid::onVerticalBarRightUp(int, int) { paintVerticalBar(0); }
void RecordGrid::onHorizontalBarDown(int x, int y) { if (attached()) barDown(false, x, y); }
void RecordGrid::onHorizontalBarUp(int, int) { if (attached()) barUp(false); }
void RecordGrid::onHorizontalBarMove(int x, int) { if (attached()) barMove(false, x); }
void RecordGrid::onHorizontalBarRightDown(int x, int y) { if (attached()) barRightDown(false, x, y); }
void RecordGrid::onHorizontalBarRightUp(int, int) { paintHorizontalBar(0); }

}  // namespace grid
