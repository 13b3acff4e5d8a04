// RecordGrid: attaching to the panels, their layout, and painting the header and the rows.

#include <algorithm>

#include "grid/grid_colors.h"
#include "grid/record_grid.h"
#include "grid/sort_mark.h"
#include "grid/text_fit.h"

namespace grid {
namespace {

constexpr char kDefaultFontName[] = "宋体";
constexpr int kDefaultFontSize = 11;
constexpr int kMinimumRowPadding = 4;
constexpr int kTitleInset = 5;  // a title's distance from its cell's left edge and the header's top

ui::Rect between(int left, int top, int right, int bottom) { return {left, top, right - left, bottom - top}; }

ui::Color headerFill(HeaderState state) {
  switch (state) {
    case HeaderState::Hover: return colors::kHeaderHover;
    case HeaderState::Pressed: return colors::kHeaderPressed;
    default: return colors::kHeaderNormal;
  }
}

ui::Font headerFont() { return ui::Font{kDefaultFontName, kDefaultFontSize, false, false}; }

}  // namespace

// ---- attaching and layout

void RecordGrid::attach(const GridPanels& panels, const AttachOptions& options) {
  header_ = &panels.header;
  data_ = &panels.data;
  container_ = &panels.container;
  hScroll_ = &panels.hScroll;
  vScroll_ = &panels.vScroll;
  for (ui::DrawingPanel* bar : {hScroll_, vScroll_}) {
    bar->canvas().setPen(colors::kOutline);
    bar->canvas().setBrush(colors::kBarPart);
  }
  hScroll_->resize(hScroll_->bounds().width, kBarThickness);
  vScroll_->resize(kBarThickness, vScroll_->bounds().height);
  header_->resize(header_->bounds().width, kHeaderHeight);
  header_->canvas().setFont(headerFont());
  dataFont_ = ui::Font{options.dataFontName.empty() ? base::TextValue(kDefaultFontName) : options.dataFontName,
                       options.dataFontSize > 0 ? options.dataFontSize : kDefaultFontSize, false, false};

  rowHeight_ = options.rowHeight > 0 ? options.rowHeight : kDefaultRowHeight;
  imageWidth_ = options.imageWidth > 0 ? options.imageWidth : kDefaultImageSize;
  imageHeight_ = options.imageHeight > 0 ? options.imageHeight : kDefaultImageSize;
  rowHeight_ = std::max(rowHeight_, imageHeight_ + kMinimumRowPadding);
  charWidth_ = measureTextWidth(dataFont_.name, dataFont_.size, dataFont_.bold);
  charHeight_ = measureTextHeight(dataFont_.name, dataFont_.size, dataFont_.bold);
  rowHeight_ = std::max(rowHeight_, charWidth_ + kMinimumRowPadding);

  autoScrollBars_ = options.autoScrollBars;
  selectionMode_ = options.selectionMode;
  vBar_.shown = hBar_.shown = false;
  if (!autoScrollBars_) {
    hScroll_->setVisible(false);
    vScroll_->setVisible(false);
  }
  connectPanelEvents();
}

int RecordGrid::measureTextWidth(const base::TextValue& fontName, int fontSize, bool bold) {
  if (data_ == nullptr) return 0;
  data_->canvas().setFont(ui::Font{fontName, fontSize, bold, false});
  return data_->canvas().measureText("川").width;
}

int RecordGrid::measureTextHeight(const base::TextValue& fontName, int fontSize, bool bold) {
  if (data_ == nullptr) return 0;
  data_->canvas().setFont(ui::Font{fontName, fontSize, bold, false});
  return data_->canvas().measureText("是").height;
}

int RecordGrid::containerHeight() const { return container_ ? container_->bounds().height : 0; }
int RecordGrid::containerWidth() const { return container_ ? container_->bounds().width : 0; }
int RecordGrid::containerLeft() const { return container_ ? container_->bounds().left : 0; }
int RecordGrid::containerTop() const { return container_ ? container_->bounds().top : 0; }

void RecordGrid::setBounds(std::optional<int> left, std::optional<int> top, std::optional<int> width,
                           std::optional<int> height) {
  if (!attached()) return;
  const ui::Rect old = container_->bounds();
  container_->setBounds({left.value_or(old.left), top.value_or(old.top), std::max(0, width.value_or(old.width)),
                         std::max(0, height.value_or(old.height))});
  layoutPanels();
  decideScrollBars();
  rowOffset_ = clampRowOffset(rowOffset_);
  columnOffset_ = clampColumnOffset(columnOffset_);
  paintHeader();
  paintRows();
  updateScrollBars(true);
  header_->refresh();
  data_->refresh();
}

void RecordGrid::layoutPanels() {
  if (!attached()) return;
  hScroll_->canvas().setBackground(colors::kBarBackground);
  vScroll_->canvas().setBackground(colors::kBarBackground);
  data_->canvas().setBackground(colors::kDataBackground);
  const int width = containerWidth();
  header_->setBounds({0, 0, width, kHeaderHeight});
  data_->setBounds({0, kHeaderHeight - 1, width, std::max(0, containerHeight() - kHeaderHeight + 1)});
  ui::Canvas& canvas = data_->canvas();
  canvas.setPen(colors::kOutline);
  canvas.setBrush(colors::kDataBackground);
  canvas.rectangle({0, 0, dataWidth(), dataHeight()});
}

// ---- scrolling

void RecordGrid::scrollRows(std::optional<int> newOffset, int pressedPart, int delta) {
  decideScrollBars();
  rowOffset_ = clampRowOffset(static_cast<long long>(newOffset.value_or(rowOffset_)) + delta);
  if (!attached()) return;
  updateScrollBars(false);
  paintRows();
  paintVerticalBar(pressedPart);
  data_->refresh();
}

void RecordGrid::redraw() {
  decideScrollBars();
  rowOffset_ = clampRowOffset(rowOffset_);
  columnOffset_ = clampColumnOffset(columnOffset_);
  if (!attached()) return;
  updateScrollBars(true);
  paintHeader();
  paintRows();
  header_->refresh();
  data_->refresh();
}

int RecordGrid::clampColumnOffset(long long offset) const {
  return static_cast<int>(std::clamp<long long>(offset, 0, lastColumnOffset()));
}

void RecordGrid::scrollColumns(std::optional<int> fromColumn, std::optional<int> newOffset, int pressedPart, int delta,
                               bool headerHover) {
  const int oldOffset = columnOffset_;
  decideScrollBars();
  columnOffset_ = clampColumnOffset(static_cast<long long>(newOffset.value_or(columnOffset_)) + delta);
  if (!attached()) return;
  updateScrollBars(false);
  const bool whole = !fromColumn || columnOffset_ != oldOffset || *fromColumn <= columnOffset_;
  const int from = whole ? columnOffset_ + 1 : *fromColumn;
  if (whole && !headerHover) paintHeader();
  else paintHeader(from, headerHover ? HeaderState::Hover : HeaderState::Normal, true);
  paintRows(from);
  paintHorizontalBar(pressedPart);
  header_->refresh();
  data_->refresh();
}

// ---- the header

void RecordGrid::paintHeader(int column, HeaderState state, bool fromColumn) {
  if (!attached()) return;
  ui::Canvas& canvas = header_->canvas();
  canvas.setPen(colors::kOutline);
  canvas.setBrush(headerFill(state));
  if (column == 0) {
    // A header painted whole in one state shows no column hovered: the next move paints it again.
    if (state != HeaderState::Hover) resize_.hoverColumn = 0;
    canvas.rectangle({0, 0, headerWidth(), kHeaderHeight});
    for (int c = columnOffset_ + 1; c <= columnCount() && columnLeft(c) < headerWidth(); ++c) {
      paintHeaderCell(c, state);
    }
    return;
  }
  if (column > columnOffset_ && column <= columnCount()) paintHeaderCell(column, state);
  if (!fromColumn) return;
  canvas.setBrush(colors::kHeaderNormal);
  for (int c = std::max(column + 1, columnOffset_ + 1); c <= columnCount() && columnLeft(c) < headerWidth(); ++c) {
    paintHeaderCell(c, HeaderState::Normal);
  }
  // What lay right of the last column (a column made narrower or removed) is header background.
  const int end = columnRight(columnCount());
  canvas.setBrush(colors::kHeaderNormal);
  if (end < headerWidth()) canvas.rectangle(between(std::max(end, 0), 0, headerWidth(), kHeaderHeight));
}

void RecordGrid::paintHeaderCell(int column, HeaderState state) {
  ui::Canvas& canvas = header_->canvas();
  canvas.setBrush(headerFill(state));
  const int left = columnLeft(column);
  const int right = static_cast<int>(std::min<long long>(static_cast<long long>(left) + columnWidth(column) + 1, headerWidth()));
  canvas.rectangle(between(left, 0, right, kHeaderHeight));
  paintHeaderTitle(column);
}

void RecordGrid::paintHeaderTitle(int column) {
  if (!attached() || column < 1 || column > columnCount()) return;
  ui::Canvas& canvas = header_->canvas();
  canvas.setFont(headerFont());
  canvas.setTextColor(colors::kText);
  // The column the rows are sorted by keeps room for the mark after its title.
  const bool marked = column == sortedBy_.column;
  const int room = columnWidth(column) - (marked ? kSortMarkGap + kSortMarkWidth : 0);
  const base::TextValue title = fitHeaderTitle(columnTitle(column), room);
  const ui::Point at{columnLeft(column) + kTitleInset, kTitleInset};
  canvas.text(at, title);
  if (marked) paintSortMarkAfter(column, at.x + canvas.measureText(title).width);
}

void RecordGrid::paintSortMarkAfter(int column, int titleEnd) {
  // Inside the cell's shown part, however wide the title measured.
  const int cellRight = std::min(columnRight(column), headerWidth());
  const int x = std::min(titleEnd + kSortMarkGap, cellRight - kSortMarkGap - kSortMarkWidth);
  if (x <= columnLeft(column)) return;  // a cell too narrow for it
  paintSortMark(header_->canvas(), {x, (kHeaderHeight - kSortMarkHeight) / 2}, sortedBy_.ascending,
                colors::kSortMark);
}

// ---- rows

int RecordGrid::availableWidth(int column) const {
  int available = columnWidth(column);
  const int left = columnLeft(column);
  if (static_cast<long long>(left) + available > dataWidth() && attached()) available = dataWidth() - left;
  if (column == 1 && !images_.empty()) available -= imageWidth_ + 3;
  return available;
}

base::TextValue RecordGrid::fitCellText(int row, int column) const {
  const std::string_view text = row >= 1 && static_cast<std::size_t>(row) <= rows_.size()
                                    ? cellOf(rows_[static_cast<std::size_t>(row) - 1], column)
                                    : std::string_view();
  return grid::fitCellText(text, availableWidth(column), charWidth_, !columnTitle(column).empty());
}

void RecordGrid::paintRows(int fromColumn) {
  if (!attached()) return;
  ui::Canvas& canvas = data_->canvas();
  const int width = dataWidth();
  const int height = dataHeight();
  canvas.setBackground(colors::kDataBackground);
  const int end = std::max(columnRight(columnCount()), 0);
  if (end + 1 < width - 1) canvas.clear(between(end + 1, 1, width - 1, height - 1));

  // Which shown rows are selected, found in one pass over the selection.
  const int filled = filledRowPositions();
  std::vector<bool> selectedShown(static_cast<std::size_t>(filled) + 1, false);
  for (const std::int32_t row : selection_) {
    const long long position = static_cast<long long>(row) - rowOffset_;
    if (position >= 1 && position <= filled) selectedShown[static_cast<std::size_t>(position)] = true;
  }
  for (int i = 1; i <= filled; ++i) {
    canvas.setPen(colors::kGridLine);
    canvas.setBrush(colors::kDataBackground);
    canvas.line({1, i * rowHeight_}, {width - 1, i * rowHeight_});
    paintRow(i, fromColumn, selectedShown);
  }
  // Below the last row the data area is plain, without row or column lines, so that the end of
  // the list shows (an empty record's row keeps its lines).
  const int below = filled * rowHeight_ + 1;
  if (below < height - 1) canvas.clear(between(1, below, width - 1, height - 1));
  // The column lines run as far as the rows do.
  paintColumnLines(fromColumn);
}

int RecordGrid::filledRowPositions() const {
  return static_cast<int>(std::clamp<long long>(static_cast<long long>(rowCount()) - rowOffset_, 0, visibleRowCount()));
}

void RecordGrid::paintRow(int position, int fromColumn, const std::vector<bool>& selectedShown) {
  ui::Canvas& canvas = data_->canvas();
  const int row = rowOffset_ + position;
  const bool selected = selectedShown[static_cast<std::size_t>(position)];
  const int width = dataWidth();
  const int top = (position - 1) * rowHeight_ + 1;
  for (int c = std::max(fromColumn, columnOffset_ + 1); c <= columnCount(); ++c) {
    const int left = columnLeft(c);
    if (left >= width) break;
    const int x = left + 1;
    int w = columnWidth(c) - 1;
    if (static_cast<long long>(x) + w >= width) w = std::max(0, width - x - 2);
    if (w <= 0) continue;
    canvas.clear({x, top, w, rowHeight_ - 1});
    const int offset = c == 1 && !images_.empty() ? imageWidth_ + 3 : 0;
    ui::Color textColor = colors::kText;
    if (selected) {
      canvas.setBrush(colors::kSelectedFill);
      canvas.fill(between(x + offset, top, x + w, position * rowHeight_));
      textColor = colors::kSelectedText;
    } else {
      canvas.setBrush(colors::kDataBackground);
    }
    ui::Font font = dataFont_;
    if (isLinkColumn(c)) {
      font.underline = true;
      textColor = colors::kLinkText;
    }
    if (isKeyField(c)) textColor = colors::kKeyText;
    if (offset > 0) {
      const ui::Picture* picture = image(rows_[static_cast<std::size_t>(row) - 1].image);
      if (picture != nullptr) {
        canvas.picture(*picture, {3, (position - 1) * rowHeight_ + (rowHeight_ - imageHeight_) / 2 + 1, imageWidth_,
                                  imageHeight_});
      }
    }
    canvas.setFont(font);
    canvas.setTextColor(textColor);
    canvas.text({left + offset + 5, (position - 1) * rowHeight_ + (rowHeight_ - charHeight_) / 2 + 1},
                fitCellText(row, c));
  }
}

void RecordGrid::paintColumnLines(int fromColumn) {
  if (!attached()) return;
  ui::Canvas& canvas = data_->canvas();
  const int width = dataWidth();
  const int height = dataHeight();
  // Down to the line under the last row, or to the bottom while rows go on below the data area.
  const bool rowsGoOn = static_cast<long long>(rowCount()) - rowOffset_ > visibleRowCount();
  const int bottom = rowsGoOn ? height - 1 : filledRowPositions() * rowHeight_;
  canvas.setPen(colors::kGridLine);
  for (int c = std::max(fromColumn, columnOffset_ + 1); c <= columnCount() && bottom > 1; ++c) {
    const int x = columnRight(c);
    if (x > width - 1) continue;
    canvas.line({x, 1}, {x, bottom});
  }
  if (autoScrollBars_) {
    canvas.setBackground(colors::kDataBackground);
    canvas.clear({width - 1 - kBarThickness, height - 1 - kBarThickness, kBarThickness, kBarThickness});
  }
}

}  // namespace grid
