// RecordGrid: the mouse. Selection by pressing, releasing and dragging; tips over cut cells and
// link cells; the header's hover and pressed looks and column resizing; the wheel.

#include <algorithm>

#include "grid/link_target.h"
#include "grid/record_grid.h"
#include "platform/hidden_characters.h"

namespace grid {
namespace {

constexpr char kLinkTipPrefix[] = "点击打开或按住Alt键点击复制：";
constexpr std::size_t kTipCap = 1000;
constexpr int kBorderReach = 2;

bool endsWithDots(const base::TextValue& text) { return text.size() >= 2 && text.compare(text.size() - 2, 2, "..") == 0; }

}  // namespace

void RecordGrid::connectPanelEvents() {
  if (!attached()) return;
  header_->onMouseMove = [this](const ui::MouseEvent& e) { onHeaderMouseMove(e.x, e.y); };
  header_->onMouseDown = [this](const ui::MouseEvent& e) {
    if (e.button == ui::MouseButton::Left) onHeaderMouseDown(e.x, e.y);
  };
  header_->onMouseUp = [this](const ui::MouseEvent& e) {
    if (e.button == ui::MouseButton::Left) onHeaderMouseUp(e.x, e.y);
  };
  data_->onMouseMove = [this](const ui::MouseEvent& e) { onDataMouseMove(e.x, e.y, e.keys); };
  data_->onMouseDown = [this](const ui::MouseEvent& e) {
    if (e.button == ui::MouseButton::Left) onDataMouseDown(e.x, e.y);
    else if (e.button == ui::MouseButton::Right && onCellRightPressed) onCellRightPressed(cellEventAt({e.x, e.y}, e.keys));
  };
  data_->onMouseUp = [this](const ui::MouseEvent& e) {
    if (e.button != ui::MouseButton::Left) return;
    onDataMouseUp(e.x, e.y, e.keys);
    if (onCellReleased) onCellReleased(cellEventAt({e.x, e.y}, e.keys));
  };
  vScroll_->onMouseMove = [this](const ui::MouseEvent& e) { onVerticalBarMove(e.x, e.y); };
  vScroll_->onMouseDown = [this](const ui::MouseEvent& e) {
    if (e.button == ui::MouseButton::Left) onVerticalBarDown(e.x, e.y);
    else if (e.button == ui::MouseButton::Right) onVerticalBarRightDown(e.x, e.y);
  };
  vScroll_->onMouseUp = [this](const ui::MouseEvent& e) {
    if (e.button == ui::MouseButton::Left) onVerticalBarUp(e.x, e.y);
    else if (e.button == ui::MouseButton::Right) onVerticalBarRightUp(e.x, e.y);
  };
  hScroll_->onMouseMove = [this](const ui::MouseEvent& e) { onHorizontalBarMove(e.x, e.y); };
  hScroll_->onMouseDown = [this](const ui::MouseEvent& e) {
    if (e.button == ui::MouseButton::Left) onHorizontalBarDown(e.x, e.y);
    else if (e.button == ui::MouseButton::Right) onHorizontalBarRightDown(e.x, e.y);
  };
  hScroll_->onMouseUp = [this](const ui::MouseEvent& e) {
    if (e.button == ui::MouseButton::Left) onHorizontalBarUp(e.x, e.y);
    else if (e.button == ui::MouseButton::Right) onHorizontalBarRightUp(e.x, e.y);
  };
}

// ---- the data area

void RecordGrid::onDataMouseMove(int x, int y, int keys) {
  const ui::Point at{x, y};
  if (at == hover_.last) return;
  const int column = columnAt(x);
  const int row = rowAt(y);
  if (column != hover_.tipColumn || (row != hover_.tipRow && pressRow_ == 0)) examineTip(column, row, at);
  hover_.last = at;
  if (!attached()) return;

  if (autoScrollBars_) updateScrollBars(false);
  // A thumb drag goes on while the pointer is over the data area (its top lies at header height
  // - 1 in the container).
  const int containerY = y + kHeaderHeight - 1;
  if (vBar_.shown) onVerticalBarMove(x - vScroll_->bounds().left, containerY - vScroll_->bounds().top);
  if (hBar_.shown) onHorizontalBarMove(x - hScroll_->bounds().left, containerY - hScroll_->bounds().top);

  if (resize_.dragColumn != 0) {
    onHeaderMouseMove(x, y + kHeaderHeight);
  } else {
    if (resize_.hoverColumn != 0) paintHeader(resize_.hoverColumn, HeaderState::Normal);
    resize_.hoverColumn = 0;
    header_->setPointer(ui::PointerShape::Arrow);
    resize_.onBorder = false;
    onHeaderMouseMove(-1, -1);
  }
  if (pressRow_ > 0) dragSelect(row, keys);
}

void RecordGrid::examineTip(int column, int row, ui::Point at) {
  hover_.tipColumn = column;
  hover_.tipRow = row;
  if (tips_ == nullptr) return;
  if (column < 1 || row < 1 || column > columnCount() || row > rowCount()) {
    tips_->hide();
    return;
  }
  base::TextValue text;
  if (isLinkColumn(column)) {
    text = linkTip(column, row);
  } else if (endsWithDots(fitCellText(row, column))) {
    text = base::cutToCharacters(platform::withHiddenCharactersShown(cell(row, column)), kTipCap);
  }
  tips_->hide();
  if (!text.empty()) tips_->show(text, at);
}

base::TextValue RecordGrid::linkTip(int column, int row) const {
  // A tip is seen by whoever looks at the screen: an FTP password stays hidden in it.
  const LinkTargetOptions options{chatHost_, Password::Masked};
  // A direction control or zero-width character shows as "<U+202E>": the tip names the host that
  // the link opens.
  const base::TextValue target = linkTarget(fieldKind(column), storedValue(row, column), options);
  return base::cutToCharacters(kLinkTipPrefix + platform::withHiddenCharactersShown(target), kTipCap);
}

base::TextValue RecordGrid::storedValue(int row, int column) const {
  if (row < 1 || row > rowCount() || column < 1 || column > columnCount() || !readStoredValue_) return {};
  return readStoredValue_(rows_[static_cast<std::size_t>(row) - 1].recordId, column);
}

CellEvent RecordGrid::cellEventAt(ui::Point at, int keys) {
  return {this, rowAt(at.y), columnAt(at.x), at, keys};
}

void RecordGrid::addRange(int from, int to) {
  const int step = to >= from ? 1 : -1;
  for (int r = from;; r += step) {
    selection_.push_back(r);
    if (r == to) break;
  }
}

void RecordGrid::dragSelect(int row, int keys) {
  if (row == hover_.dragRow || selectionMode_ == SelectionMode::None) return;
  hover_.dragRow = row;
  if (selectionMode_ == SelectionMode::Single) {
    selectRow(row, true);
  } else if (row > 0) {
    if (keys != ui::kCtrl && keys != ui::kShift) selection_.clear();
    addRange(pressRow_, row);
  }
  if (row > 0 && row == rowOffset_ + 1) scrollRows(std::nullopt, 0, -1);
  else if (row > 0 && row - rowOffset_ >= visibleRowCount()) scrollRows(std::nullopt, 0, 1);
  else redrawRows();
}

void RecordGrid::onDataMouseDown(int, int y) {
  pressRow_ = rowAt(y);
  hover_.dragRow = pressRow_;
}

void RecordGrid::onDataMouseUp(int x, int y, int keys) {
  switch (selectionMode_) {
    case SelectionMode::None:
      selection_.clear();
      redrawRows();
      break;
    case SelectionMode::Single:
      selectRow(rowAt(y), true);
      redrawRows();
      break;
    case SelectionMode::Multiple: {
      if (rowAt(y) != pressRow_) break;
      std::optional<int> anchor;
      if (keys != ui::kCtrl) {
        if (keys == ui::kShift && !selection_.empty()) anchor = selection_.front();
        selection_.clear();
      }
      if (keys == ui::kShift && anchor) {
        addRange(*anchor, pressRow_);
      } else if (pressRow_ >= 1) {  // a click below the last row adds no row 0
        selection_.push_back(pressRow_);
        std::sort(selection_.begin(), selection_.end());
      }
      redrawRows();
      break;
    }
  }
  pressRow_ = 0;
  if (!attached()) return;
  onVerticalBarUp(x, y);
  onHorizontalBarUp(x, y);
  if (resize_.dragColumn != 0) onHeaderMouseUp(x, y + kHeaderHeight);
}

// ---- the header

void RecordGrid::onHeaderMouseMove(int x, int y) {
  const ui::Point at{x, y};
  if (at == resize_.last || !attached()) return;
  resize_.last = at;
  if (resize_.dragColumn != 0) {
    const long long width = static_cast<long long>(x) + resize_.startWidth - resize_.dragStartX;
    const int passed = static_cast<int>(std::clamp<long long>(width, INT_MIN, INT_MAX));
    if (onColumnResized) onColumnResized(resize_.dragColumn, passed);
    setColumnWidth(resize_.dragColumn, std::max(passed, 0), true);
    scrollColumns(resize_.dragColumn, std::nullopt, 0, 0, true);
    return;
  }
  const int column = columnAt(x);
  if (column != resize_.hoverColumn) {
    if (resize_.hoverColumn >= 1) paintHeader(resize_.hoverColumn, HeaderState::Normal);
    if (column >= 1) paintHeader(column, HeaderState::Hover);
    resize_.hoverColumn = column;
    header_->refresh();
  }
  const int right = columnRight(column);
  resize_.onBorder = column >= 1 && right - kBorderReach <= x && x <= right + kBorderReach;
  header_->setPointer(resize_.onBorder ? ui::PointerShape::ResizeHorizontal : ui::PointerShape::Arrow);
}

void RecordGrid::onHeaderMouseDown(int x, int) {
  if (!attached()) return;
  if (!resize_.onBorder) {
    const int column = columnAt(x);
    if (column >= 1) {
      paintHeader(column, HeaderState::Pressed);
      header_->refresh();
    }
    return;
  }
  int dragged = 0;
  for (int c = columnOffset_ + 1; c <= columnCount(); ++c) {
    if (std::abs(columnRight(c) - x) <= kBorderReach) dragged = c;
  }
  if (dragged == 0) return;
  resize_.dragStartX = x;
  resize_.dragColumn = dragged;
  resize_.startWidth = columnWidth(dragged);
}

void RecordGrid::onHeaderMouseUp(int x, int) {
  if (!attached()) return;
  resize_.dragColumn = 0;
  resize_.dragStartX = 0;
  if (!resize_.onBorder) {
    const int column = columnAt(x);
    if (column >= 1) {
      paintHeader(column, HeaderState::Hover);
      header_->refresh();
    }
  }
  if (onHeaderReleased) onHeaderReleased();
}

}  // namespace grid
