#pragma once
// RecordGrid: the records of the open list as rows of text cells under a header of column titles,
// drawn on four drawing panels inside a container. It keeps its own rows, columns, selection and
// scroll position. Row, column and image numbers are 1-based.
//
// The class is implemented in several files: record_grid.cpp (data and operations),
// grid_fit.cpp (automatic widths), grid_sorting.cpp (the sort and the header's mark of it),
// grid_view.cpp (panels, header, rows), grid_scroll_bars.cpp
// (the grid's own scroll bars), grid_mouse.cpp (selection, hover tips, column resizing, wheel),
// grid_keys.cpp (the selection moved from the keyboard).

#include <climits>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/text_value.h"
#include "forms/form_definition.h"
#include "grid/grid_data.h"
#include "grid/grid_geometry.h"
#include "grid/grid_sort.h"
#include "grid/grid_tips.h"
#include "grid/link_target.h"
#include "ui/canvas.h"
#include "ui/control.h"
#include "ui/event_gate.h"
#include "ui/panels.h"

namespace grid {

inline constexpr int kHeaderHeight = 25;
inline constexpr int kBarThickness = 18;
inline constexpr int kBarInset = 2;  // the scroll bars keep this far from the container's edges
inline constexpr int kDefaultRowHeight = 30;
inline constexpr int kDefaultImageSize = 24;

enum class SelectionMode : int { None = 0, Single = 1, Multiple = 2 };
enum class HeaderState : int { Normal = 0, Hover = 1, Pressed = 2 };
// The parts of a scroll bar.
enum BarPart : int { kTrack = 0, kFirstButton = 1, kThumb = 2, kSecondButton = 3 };

struct GridPanels {
  ui::DrawingPanel& header;
  ui::DrawingPanel& data;
  ui::Control& container;  // holds the other four
  ui::DrawingPanel& hScroll;
  ui::DrawingPanel& vScroll;
};

// 0 (or the empty text) means the default: row height 30, images 24 x 24, "宋体" 11.
struct AttachOptions {
  int rowHeight = 0;
  int imageWidth = 0;
  int imageHeight = 0;
  base::TextValue dataFontName;
  int dataFontSize = 0;
  bool autoScrollBars = true;
  SelectionMode selectionMode = SelectionMode::Multiple;
};

// A keyboard move of the selection: by a number of rows (negative: up), or to the first or the last
// row.
enum class RowMoveKind { By, ToFirst, ToLast };
struct RowMove {
  RowMoveKind kind = RowMoveKind::By;
  int rows = 0;
};

// The column whose order the rows follow, and in which direction; column 0: the rows follow no
// sort.
struct SortIndicator {
  int column = 0;
  bool ascending = true;
  bool operator==(const SortIndicator&) const = default;
};

class RecordGrid;

// A press or release of a mouse button on the data area, with the cell under the pointer: row and
// column are 0 where the pointer is on no row or no column.
struct CellEvent {
  RecordGrid* sender = nullptr;
  int row = 0;
  int column = 0;
  ui::Point at;
  int keys = ui::kNoKeys;  // kCtrl, kShift, kAlt added
};

using PictureLoader = std::function<std::unique_ptr<ui::Picture>(const std::string& bytes)>;
// The stored value (as text) of field `field` of the record with that ID in the current database.
using StoredValueReader = std::function<base::TextValue(int recordId, int field)>;

class RecordGrid {
 public:
  explicit RecordGrid(PictureLoader loadPicture = {});
  ~RecordGrid();
  RecordGrid(const RecordGrid&) = delete;
  RecordGrid& operator=(const RecordGrid&) = delete;

  // ---- wiring
  // The open list's form copy: column c shows field c (its kind decides link looks and tips, its
  // key flag red text). Null: every column is plain text.
  void setForm(const forms::FormDefinition* form) { form_ = form; }
  void setTips(GridTips* tips) { tips_ = tips; }
  // A long sort lets events run through `gate`, at most every `intervalMs` milliseconds; a sort
  // that those events start is refused, and one that they ask to stop leaves the rows as they were.
  // Without a gate a sort runs in one go.
  void setEventGate(ui::EventGate* gate, int intervalMs = 20) {
    gate_ = gate;
    pumpIntervalMs_ = intervalMs;
  }
  // Link tips read stored values through this; by default from the current record database.
  void setStoredValueReader(StoredValueReader reader) { readStoredValue_ = std::move(reader); }
  // A header border drag gave column `column` the width `width` (possibly negative; the grid
  // itself keeps at least 0).
  std::function<void(int column, int width)> onColumnResized;
  // The left button was released on the header (the list's column widths are to be saved).
  std::function<void()> onHeaderReleased;
  // The left button was released on the data area, after the grid's own selection handling.
  std::function<void(const CellEvent&)> onCellReleased;
  // The right button was pressed on the data area (the grid itself does nothing with it).
  std::function<void(const CellEvent&)> onCellRightPressed;
  // The host of the chat addresses that QQ link tips show.
  void setChatHost(const base::TextValue& host) { chatHost_ = host; }
  const base::TextValue& chatHost() const { return chatHost_; }

  // ---- attaching and layout (grid_view.cpp)
  void attach(const GridPanels& panels, const AttachOptions& options = {});
  bool attached() const { return header_ != nullptr; }
  // Lets go of the panels (their mouse handlers too) before they are destroyed; the grid keeps its
  // data and paints nothing until attached again. The grid never touches panels on destruction,
  // so it may outlive them.
  void detach();
  void setBounds(std::optional<int> left, std::optional<int> top, std::optional<int> width,
                 std::optional<int> height);
  int containerHeight() const;
  int containerWidth() const;
  int containerLeft() const;
  int containerTop() const;

  // ---- rows
  int rowCount() const { return static_cast<int>(rows_.size()); }
  const std::vector<GridRow>& rows() const { return rows_; }
  // A copy of row n; an empty row for a number out of range.
  GridRow row(int n) const;
  // The cell text; the empty text for a cell that does not exist.
  base::TextValue cell(int row, int column) const;
  // The stored value of field `column` of row n's record, as text, through the stored-value
  // reader; the empty text for a cell that does not exist.
  base::TextValue storedValue(int row, int column) const;
  void setCell(int row, int column, const base::TextValue& text, bool noRedraw = false);
  void setRow(int row, const std::optional<CellTexts>& cells, std::optional<std::int32_t> image,
              std::optional<std::int32_t> recordId, bool fitToColumns = false, bool noRedraw = false);
  void setRows(const std::vector<GridRow>& rows, bool noRedraw = false);
  // The cells are taken over (a list of texts or a CellTextsBuilder becomes the row's block).
  void appendRow(CellTexts cells, std::int32_t image = 0, std::int32_t recordId = 0,
                 bool fitToColumns = false, bool noRedraw = false, bool scrollToEnd = false);
  // Before row `position` (1 .. rowCount + 1); other positions add nothing.
  void insertRow(int position, CellTexts cells, std::int32_t image = 0,
                 std::int32_t recordId = 0, bool fitToColumns = false, bool noRedraw = false,
                 bool scrollToEnd = false);
  // Removes row n and the first selection entry equal to n (others are not renumbered).
  void removeRow(int n, bool noRedraw = false);
  void clearRows(bool noRedraw = false);
  // Removes images, selection, rows and columns, without redrawing.
  void clear();

  // ---- columns
  int columnCount() const { return static_cast<int>(columns_.size()); }
  const std::vector<GridColumn>& columns() const { return columns_; }
  void setColumns(const std::vector<GridColumn>& columns, bool noRedraw = false);
  void addColumn(const base::TextValue& title, std::optional<std::int32_t> width = std::nullopt,
                 bool noRedraw = false, bool noRowSync = false);
  void insertColumn(int position, const base::TextValue& title, std::optional<std::int32_t> width = std::nullopt,
                    bool noRedraw = false);
  void removeColumn(int column, bool noRedraw = false);
  void clearColumns(bool noRedraw = false);
  base::TextValue columnTitle(int column) const;
  void setColumnTitle(int column, const base::TextValue& title, bool noRedraw = false,
                      HeaderState state = HeaderState::Normal);
  // 0 for a column that does not exist.
  std::int32_t columnWidth(int column) const;
  void setColumnWidth(int column, std::int32_t width, bool noRedraw = false);
  // Automatic widths (grid_fit.cpp). what: 0 title and cells, 1 title only, 2 cells only; column 0:
  // every column. With a column and measureOnly the width is returned and nothing changes.
  int autoFitColumns(int what = 0, int column = 0, bool noRedraw = false, bool measureOnly = false,
                     int maxWidth = 0);
  // Sorts by the cells of `column` (grid_sort.h, grid_sorting.cpp); empties the selection, keeps
  // rowOffset. The column's header cell then shows the direction beside its title, until the rows
  // no longer follow the order: rows added or replaced, a cell of that column changed, the rows or
  // the columns cleared, the column removed.
  void sortByColumn(int column, bool ascending, int sortKind);
  const SortIndicator& sortIndicator() const { return sortedBy_; }

  // ---- images
  int imageCount() const { return static_cast<int>(images_.size()); }
  // Loads the picture at once; bytes that are no picture give an empty handle. Returns the handle.
  std::shared_ptr<ui::Picture> addImage(const std::string& pictureBytes, bool noRedraw = false);
  void insertImage(int position, const std::string& pictureBytes, bool noRedraw = false);
  void setImages(const std::vector<std::string>& pictures, bool noRedraw = false);
  void removeImage(int n, bool noRedraw = false);
  void clearImages(bool noRedraw = false);
  const ui::Picture* image(int n) const;

  // ---- selection
  SelectionMode selectionMode() const { return selectionMode_; }
  void setSelectionMode(SelectionMode mode) { selectionMode_ = mode; }
  const std::vector<std::int32_t>& selection() const { return selection_; }
  int selectedRows(std::vector<std::int32_t>& rows) const;
  int firstSelectedRow() const { return selection_.empty() ? -1 : selection_.front(); }
  // Empties the selection, then adds `row` as it is (no range check, no redraw).
  void setSelectedRow(int row);
  // With clearFirst empties the selection; then adds n when it is a row. No redraw.
  void selectRow(int n, bool clearFirst);
  void selectAll();
  // The row a keyboard move leads to, kept within the rows (0 when there is none): a step down goes
  // from the selected row furthest down, a step up from the one furthest up, so that either leaves
  // a range of rows; with nothing selected, from before the first row (a step either way lands on
  // it).
  int rowAfterMove(const RowMove& move) const;
  // The selection moved from the keyboard (grid_keys.cpp): rowAfterMove alone is selected, as a
  // click selects a row, and scrolled into view; the rows are redrawn. False when no row was
  // selected (no rows, or no selection in this mode).
  bool moveSelection(const RowMove& move);

  // ---- offsets and metrics
  int rowOffset() const { return rowOffset_; }
  void setRowOffset(int n) { rowOffset_ = std::max(n, 0); }
  int columnOffset() const { return columnOffset_; }
  void setColumnOffset(int n) { columnOffset_ = std::max(n, 0); }
  int rowHeight() const { return rowHeight_; }
  int charWidth() const { return charWidth_; }
  int charHeight() const { return charHeight_; }
  int imageWidth() const { return imageWidth_; }
  int imageHeight() const { return imageHeight_; }
  bool autoScrollBars() const { return autoScrollBars_; }
  // The widths of one full-width character ("川") and the height of one ("是") in a font.
  int measureTextWidth(const base::TextValue& fontName, int fontSize, bool bold);
  int measureTextHeight(const base::TextValue& fontName, int fontSize, bool bold);

  // ---- geometry (data-panel pixels)
  int columnLeft(int column) const { return columnLayout().left(column); }
  int columnRight(int column) const { return columnLayout().right(column); }
  int columnAt(int x) const { return columnLayout().columnAt(x); }
  int rowAt(int y) const { return rowLayout().rowAt(y); }
  // The event for a pointer at `at` (data-panel pixels) with `keys` held.
  CellEvent cellEventAt(ui::Point at, int keys);
  int visibleRowCount() const;
  int visibleColumnCount() const;
  int dataWidth() const;
  int dataHeight() const;
  int headerWidth() const;

  // ---- scrolling (grid_view.cpp)
  // Sets rowOffset to newOffset when given, adds delta, clamps to the last page, redraws the rows
  // and the vertical bar (with `pressedPart` shown pressed).
  void scrollRows(std::optional<int> newOffset = std::nullopt, int pressedPart = 0, int delta = 0);
  // Paints every panel anew from the model: header, rows, column lines and both scroll bars. For
  // callers that changed the model without redrawing as they went.
  void redraw();
  // As scrollRows for columns; redraws the header (the cell of fromColumn in hover state when
  // headerHover), rows, column lines and horizontal bar from `fromColumn` (default: first shown).
  void scrollColumns(std::optional<int> fromColumn = std::nullopt, std::optional<int> newOffset = std::nullopt,
                     int pressedPart = 0, int delta = 0, bool headerHover = false);
  void scrollToRow(int n) { scrollRows(n - visibleRowCount()); }
  // Scrolls as little as needed for row n to be shown whole (grid_keys.cpp); redraws the rows.
  void scrollRowIntoView(int n);
  void scrollToEnd() { scrollRows(rowCount()); }
  void scrollToTop() { scrollRows(0); }
  void wheel(int steps) { scrollRows(std::nullopt, 0, -2 * steps); }

  // ---- painting (grid_view.cpp)
  void layoutPanels();
  void paintHeader(int column = 0, HeaderState state = HeaderState::Normal, bool fromColumn = false);
  void paintHeaderTitle(int column);
  // The rows from the first shown on, with their row and column lines; below the last row the data
  // area is plain.
  void paintRows(int fromColumn = 0);
  void paintColumnLines(int fromColumn = 0);
  // The cell text as shown: cut to fit the column, with ".." when cut.
  base::TextValue fitCellText(int row, int column) const;

  // ---- scroll bars (grid_scroll_bars.cpp)
  void layoutScrollBars();
  void updateScrollBars(bool force);
  void applyScrollBarVisibility();
  void paintVerticalBar(int pressedPart = 0);
  void paintHorizontalBar(int pressedPart = 0);
  bool verticalBarShown() const { return vBar_.shown; }
  bool horizontalBarShown() const { return hBar_.shown; }
  int hitTestVertical(int x, int y) const;
  int hitTestHorizontal(int x, int y) const;
  void onVerticalBarDown(int x, int y);
  void onVerticalBarUp(int x, int y);
  void onVerticalBarMove(int x, int y);
  void onVerticalBarRightDown(int x, int y);
  void onVerticalBarRightUp(int x, int y);
  void onHorizontalBarDown(int x, int y);
  void onHorizontalBarUp(int x, int y);
  void onHorizontalBarMove(int x, int y);
  void onHorizontalBarRightDown(int x, int y);
  void onHorizontalBarRightUp(int x, int y);

  // ---- mouse (grid_mouse.cpp); keys: 1 Ctrl, 2 Shift, 4 Alt, added
  void onDataMouseMove(int x, int y, int keys = 0);
  void onDataMouseDown(int x, int y);
  void onDataMouseUp(int x, int y, int keys = 0);
  void onHeaderMouseMove(int x, int y);
  void onHeaderMouseDown(int x, int y);
  void onHeaderMouseUp(int x, int y);
  bool isOnColumnBorder() const { return resize_.onBorder; }
  int pressRow() const { return pressRow_; }
  // Sends the events of the four panels to the handlers above (left and right buttons, moves);
  // attach does it. A window that adds its own reactions replaces the header's or data area's
  // handlers and calls these handlers from its own.
  void connectPanelEvents();

 private:
  // The sort itself; `pump` lets events run between its steps and may stop it.
  void sortRows(int column, bool ascending, int sortKind, const EventPump& pump);
  // How a change to the rows bears on the order they were sorted in.
  enum class RowChange { KeepsOrder, BreaksOrder };
  void noteRowChange(RowChange change, bool noRedraw);
  // Repaints the header cells whose mark comes or goes, unless noRedraw.
  void showSortIndicator(SortIndicator shown, bool noRedraw);
  struct ScrollBar {
    bool shown = false;
    bool appliedShown = false;
    bool everApplied = false;
    int thumbStart = 0;  // top (vertical) or left (horizontal), in bar coordinates
    int thumbEnd = 0;
    int track = 0;
    int shownPressed = 0;
    int pressedPart = 0;  // at the last left press
    int dragStart = 0;    // 0: no thumb drag
    int offsetAtPress = 0;
    int lastCoordinate = INT_MIN;
    bool repaintAfterDrag = false;
  };
  struct ResizeState {
    bool onBorder = false;
    int dragStartX = 0;  // 0: no drag
    int dragColumn = 0;
    int startWidth = 0;
    int hoverColumn = 0;
    ui::Point last{INT_MIN, INT_MIN};
  };
  struct HoverState {
    ui::Point last{INT_MIN, INT_MIN};
    int tipColumn = INT_MIN;
    int tipRow = INT_MIN;
    int dragRow = 0;
  };

  ColumnLayout columnLayout() const { return {columns_, columnOffset_}; }
  RowLayout rowLayout() const { return {rowHeight_, rowOffset_, rowCount(), dataHeight()}; }
  std::int32_t fieldKind(int column) const;
  bool isKeyField(int column) const;
  bool isLinkColumn(int column) const;
  void syncRowCells(int column, bool remove);
  CellTexts fittedCells(CellTexts cells, bool fitToColumns) const;
  void redrawRows() { scrollRows(); }
  int clampRowOffset(long long offset) const;
  int clampColumnOffset(long long offset) const;
  // The width of the data area in which columns show, and the column offset that shows the last
  // column whole (as far as scrolling by whole columns goes).
  int columnViewWidth() const;
  int lastColumnOffset() const { return columnLayout().lastOffset(columnViewWidth()); }
  // Which scroll bars the content needs (with autoScrollBars), without placing or painting them.
  void decideScrollBars();

  // painting helpers (grid_view.cpp)
  void paintHeaderCell(int column, HeaderState state);
  void paintSortMarkAfter(int column, int titleEnd);
  void paintRow(int position, int fromColumn, const std::vector<bool>& selectedShown);
  // The shown row positions that hold a row (the rest lie below the last row).
  int filledRowPositions() const;
  int availableWidth(int column) const;
  // scroll bar helpers (grid_scroll_bars.cpp)
  void paintBar(ScrollBar& bar, ui::DrawingPanel& panel, bool vertical, int pressedPart);
  void paintThumb(ScrollBar& bar, ui::DrawingPanel& panel, bool vertical, int pressedPart);
  void computeThumb(ScrollBar& bar, bool vertical, int barLength) const;
  int hitTest(const ScrollBar& bar, int along, int across, int length) const;
  void barDown(bool vertical, int along, int across);
  void barMove(bool vertical, int along);
  void barUp(bool vertical);
  void barRightDown(bool vertical, int along, int across);
  void scrollBarTo(bool vertical, long long offset, int pressedPart);
  // mouse helpers (grid_mouse.cpp)
  void examineTip(int column, int row, ui::Point at);
  base::TextValue linkTip(int column, int row) const;
  void dragSelect(int row, int keys);
  void addRange(int from, int to);

  ui::DrawingPanel* header_ = nullptr;
  ui::DrawingPanel* data_ = nullptr;
  ui::Control* container_ = nullptr;
  ui::DrawingPanel* hScroll_ = nullptr;
  ui::DrawingPanel* vScroll_ = nullptr;

  std::vector<GridRow> rows_;
  std::vector<GridColumn> columns_;
  int rowHeight_ = kDefaultRowHeight;
  SortBuffers sortBuffers_;  // kept between sorts
  SortIndicator sortedBy_;
  std::uint64_t rowChanges_ = 0;  // every change to the rows counts, so that a sort sees those made meanwhile
  int rowOffset_ = 0;
  int columnOffset_ = 0;
  ScrollBar vBar_;
  ScrollBar hBar_;
  ResizeState resize_;
  HoverState hover_;
  std::vector<std::shared_ptr<ui::Picture>> images_;
  int imageWidth_ = kDefaultImageSize;
  int imageHeight_ = kDefaultImageSize;
  int charWidth_ = 0;
  int charHeight_ = 0;
  bool autoScrollBars_ = true;
  std::vector<std::int32_t> selection_;
  int pressRow_ = 0;
  SelectionMode selectionMode_ = SelectionMode::Multiple;
  ui::Font dataFont_;

  PictureLoader loadPicture_;
  StoredValueReader readStoredValue_;
  const forms::FormDefinition* form_ = nullptr;
  GridTips* tips_ = nullptr;
  base::TextValue chatHost_ = kDefaultChatHost;
  ui::EventGate* gate_ = nullptr;
  int pumpIntervalMs_ = 20;
};

}  // namespace grid
