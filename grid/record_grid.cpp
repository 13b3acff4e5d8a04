// RecordGrid: rows, columns, images and selection.

#include "grid/record_grid.h"

#include <algorithm>

#include "forms/field_kind.h"
#include "recorddb/record_database.h"

namespace grid {
namespace {

bool inRange(int n, std::size_t count) { return n >= 1 && static_cast<std::size_t>(n) <= count; }
std::size_t index(int n) { return static_cast<std::size_t>(n) - 1; }

base::TextValue readFromCurrentDatabase(int recordId, int field) {
  if (!recorddb::gotoRecordId(recordId)) return {};
  const recorddb::FieldValue value = recorddb::readField(field);
  return value.kind() == recorddb::ValueKind::Text ? value.asText() : base::TextValue{};
}

}  // namespace

RecordGrid::RecordGrid(PictureLoader loadPicture)
    : loadPicture_(std::move(loadPicture)), readStoredValue_(readFromCurrentDatabase) {}

RecordGrid::~RecordGrid() { clear(); }

void RecordGrid::detach() {
  for (ui::Control* panel : {static_cast<ui::Control*>(header_), static_cast<ui::Control*>(data_),
                             static_cast<ui::Control*>(hScroll_), static_cast<ui::Control*>(vScroll_)}) {
    if (panel == nullptr) continue;
    panel->onMouseDown = nullptr;
    panel->onMouseUp = nullptr;
    panel->onMouseMove = nullptr;
  }
  header_ = data_ = hScroll_ = vScroll_ = nullptr;
  container_ = nullptr;
}

// ---- fields of the open list

std::int32_t RecordGrid::fieldKind(int column) const {
  if (form_ == nullptr || !inRange(column, form_->fields.size())) return static_cast<std::int32_t>(forms::FieldKind::Text);
  return form_->fields[index(column)].kind;
}

bool RecordGrid::isKeyField(int column) const {
  return form_ != nullptr && inRange(column, form_->fields.size()) && form_->fields[index(column)].key;
}

bool RecordGrid::isLinkColumn(int column) const {
  const auto kind = static_cast<forms::FieldKind>(fieldKind(column));
  return kind == forms::FieldKind::Link || kind == forms::FieldKind::FtpLink || kind == forms::FieldKind::QqLink;
}

// ---- rows

GridRow RecordGrid::row(int n) const { return inRange(n, rows_.size()) ? rows_[index(n)] : GridRow{}; }

base::TextValue RecordGrid::cell(int row, int column) const {
  return inRange(row, rows_.size()) ? base::TextValue(cellOf(rows_[index(row)], column)) : base::TextValue{};
}

void RecordGrid::setCell(int row, int column, const base::TextValue& text, bool noRedraw) {
  if (!inRange(row, rows_.size()) || column < 1) return;
  CellTexts& cells = rows_[index(row)].cells;
  if (static_cast<std::size_t>(column) > cells.size()) {
    if (column > columnCount()) return;
    cells.resize(static_cast<std::size_t>(column));
  }
  cells.set(index(column), text);
  noteRowChange(column == sortedBy_.column ? RowChange::BreaksOrder : RowChange::KeepsOrder, noRedraw);
  if (!noRedraw) redrawRows();
}

CellTexts RecordGrid::fittedCells(CellTexts cells, bool fitToColumns) const {
  if (fitToColumns) cells.resize(columns_.size());
  return cells;
}

void RecordGrid::setRow(int row, const std::optional<CellTexts>& cells,
                        std::optional<std::int32_t> image, std::optional<std::int32_t> recordId, bool fitToColumns,
                        bool noRedraw) {
  if (!inRange(row, rows_.size())) return;
  GridRow& target = rows_[index(row)];
  const base::TextValue sortedCell(cellOf(target, sortedBy_.column));
  if (cells) target.cells = fittedCells(*cells, fitToColumns);
  if (image) target.image = *image;
  if (recordId) target.recordId = *recordId;
  const bool sortedCellKept = cellOf(target, sortedBy_.column) == sortedCell;
  noteRowChange(sortedCellKept ? RowChange::KeepsOrder : RowChange::BreaksOrder, noRedraw);
  if (!noRedraw) redrawRows();
}

void RecordGrid::setRows(const std::vector<GridRow>& rows, bool noRedraw) {
  rows_ = rows;
  noteRowChange(RowChange::BreaksOrder, noRedraw);
  if (!noRedraw) redrawRows();
}

void RecordGrid::appendRow(CellTexts cells, std::int32_t image, std::int32_t recordId,
                           bool fitToColumns, bool noRedraw, bool scrollToEnd) {
  insertRow(rowCount() + 1, std::move(cells), image, recordId, fitToColumns, noRedraw, scrollToEnd);
}

void RecordGrid::insertRow(int position, CellTexts cells, std::int32_t image,
                           std::int32_t recordId, bool fitToColumns, bool noRedraw, bool scrollToEnd) {
  if (position < 1 || position > rowCount() + 1) return;
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(index(position)),
               GridRow{fittedCells(std::move(cells), fitToColumns), image, recordId});
  noteRowChange(RowChange::BreaksOrder, noRedraw);
  if (noRedraw) return;
  if (scrollToEnd) this->scrollToEnd();
  else redrawRows();
}

void RecordGrid::removeRow(int n, bool noRedraw) {
  if (!inRange(n, rows_.size())) return;
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index(n)));
  const auto entry = std::find(selection_.begin(), selection_.end(), n);
  if (entry != selection_.end()) selection_.erase(entry);
  noteRowChange(RowChange::KeepsOrder, noRedraw);
  if (!noRedraw) redrawRows();
}

void RecordGrid::clearRows(bool noRedraw) {
  rows_.clear();
  selection_.clear();
  rowOffset_ = 0;
  noteRowChange(RowChange::BreaksOrder, noRedraw);
  if (!noRedraw) redrawRows();
}

void RecordGrid::clear() {
  images_.clear();
  selection_.clear();
  rows_.clear();
  columns_.clear();
  sortedBy_ = {};
}

// ---- columns

void RecordGrid::syncRowCells(int column, bool remove) {
  for (GridRow& row : rows_) {
    if (column < 1) {
      row.cells.resize(columns_.size());
    } else if (remove) {
      if (inRange(column, row.cells.size())) row.cells.erase(index(column));
    } else if (static_cast<std::size_t>(column) <= row.cells.size() + 1) {
      row.cells.insert(index(column), {});
    }
  }
}

void RecordGrid::setColumns(const std::vector<GridColumn>& columns, bool noRedraw) {
  columns_ = columns;
  sortedBy_ = {};
  syncRowCells(0, false);
  if (!noRedraw) scrollColumns();
}

void RecordGrid::addColumn(const base::TextValue& title, std::optional<std::int32_t> width, bool noRedraw,
                           bool noRowSync) {
  columns_.push_back({width.value_or(kDefaultColumnWidth), title});
  if (!noRowSync) syncRowCells(0, false);
  if (!noRedraw) scrollColumns(columnCount());
}

void RecordGrid::insertColumn(int position, const base::TextValue& title, std::optional<std::int32_t> width,
                              bool noRedraw) {
  if (position < 1 || position > columnCount() + 1) return;
  columns_.insert(columns_.begin() + static_cast<std::ptrdiff_t>(index(position)),
                  GridColumn{width.value_or(kDefaultColumnWidth), title});
  if (sortedBy_.column >= position) ++sortedBy_.column;  // the mark stays with its column
  syncRowCells(position, false);
  if (!noRedraw) scrollColumns(position);
}

void RecordGrid::removeColumn(int column, bool noRedraw) {
  if (!inRange(column, columns_.size())) return;
  columns_.erase(columns_.begin() + static_cast<std::ptrdiff_t>(index(column)));
  if (sortedBy_.column == column) sortedBy_ = {};
  else if (sortedBy_.column > column) --sortedBy_.column;
  syncRowCells(column, true);
  columnOffset_ = std::min(columnOffset_, columnCount());
  if (!noRedraw) scrollColumns();
}

void RecordGrid::clearColumns(bool noRedraw) {
  columns_.clear();
  sortedBy_ = {};
  syncRowCells(0, false);
  columnOffset_ = 0;
  if (!noRedraw) scrollColumns();
}

base::TextValue RecordGrid::columnTitle(int column) const {
  return inRange(column, columns_.size()) ? columns_[index(column)].title : base::TextValue{};
}

void RecordGrid::setColumnTitle(int column, const base::TextValue& title, bool noRedraw, HeaderState state) {
  if (!inRange(column, columns_.size())) return;
  columns_[index(column)].title = title;
  if (noRedraw || !attached()) return;
  paintHeader(column, state);
  header_->refresh();
}

std::int32_t RecordGrid::columnWidth(int column) const {
  return inRange(column, columns_.size()) ? columns_[index(column)].width : 0;
}

void RecordGrid::setColumnWidth(int column, std::int32_t width, bool noRedraw) {
  if (!inRange(column, columns_.size())) return;
  columns_[index(column)].width = width;
  if (!noRedraw) scrollColumns(column);
}

// ---- images

std::shared_ptr<ui::Picture> RecordGrid::addImage(const std::string& pictureBytes, bool noRedraw) {
  insertImage(imageCount() + 1, pictureBytes, noRedraw);
  return images_.back();
}

void RecordGrid::insertImage(int position, const std::string& pictureBytes, bool noRedraw) {
  position = std::clamp(position, 1, imageCount() + 1);
  std::shared_ptr<ui::Picture> picture;
  if (!pictureBytes.empty() && loadPicture_) picture = loadPicture_(pictureBytes);
  images_.insert(images_.begin() + static_cast<std::ptrdiff_t>(index(position)), std::move(picture));
  if (!noRedraw) redrawRows();
}

void RecordGrid::setImages(const std::vector<std::string>& pictures, bool noRedraw) {
  images_.clear();
  for (const std::string& bytes : pictures) insertImage(imageCount() + 1, bytes, true);
  if (!noRedraw) redrawRows();
}

void RecordGrid::removeImage(int n, bool noRedraw) {
  if (!inRange(n, images_.size())) return;
  images_.erase(images_.begin() + static_cast<std::ptrdiff_t>(index(n)));
  if (!noRedraw) redrawRows();
}

void RecordGrid::clearImages(bool noRedraw) {
  images_.clear();
  if (!noRedraw) redrawRows();
}

const ui::Picture* RecordGrid::image(int n) const { return inRange(n, images_.size()) ? images_[index(n)].get() : nullptr; }

// ---- selection

int RecordGrid::selectedRows(std::vector<std::int32_t>& rows) const {
  rows = selection_;
  return static_cast<int>(rows.size());
}

void RecordGrid::setSelectedRow(int row) {
  selection_.clear();
  selection_.push_back(row);
}

void RecordGrid::selectRow(int n, bool clearFirst) {
  if (clearFirst) selection_.clear();
  if (inRange(n, rows_.size())) selection_.push_back(n);
}

void RecordGrid::selectAll() {
  selection_.resize(rows_.size());
  for (std::size_t i = 0; i < selection_.size(); ++i) selection_[i] = static_cast<std::int32_t>(i + 1);
  redrawRows();
}

// ---- geometry

int RecordGrid::dataWidth() const { return data_ ? data_->bounds().width : 0; }
int RecordGrid::dataHeight() const { return data_ ? data_->bounds().height : 0; }
int RecordGrid::headerWidth() const { return header_ ? header_->bounds().width : 0; }

int RecordGrid::visibleRowCount() const {
  return rowLayout().visibleCount(autoScrollBars_ && hBar_.shown ? kBarThickness : 0);
}

int RecordGrid::visibleColumnCount() const { return columnLayout().visibleCount(headerWidth()); }

int RecordGrid::clampRowOffset(long long offset) const {
  const long long last = std::max(0, rowCount() - visibleRowCount());
  return static_cast<int>(std::clamp<long long>(offset, 0, last));
}

}  // namespace grid
