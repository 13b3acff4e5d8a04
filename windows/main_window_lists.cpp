// The main window's list commands and its list page: creating and deleting lists, removing
// records, following the tree's selection, opening the selected list.

#include <algorithm>

#include "base/number_text.h"
#include "forms/field_text.h"
#include "lists/field_display_text.h"
#include "lists/run_folder.h"
#include "recorddb/record_database.h"
#include "support/throttled_pump.h"
#include "ui/list_controls.h"
#include "ui/toolbar.h"
#include "ui/tree_view.h"
#include "windows/forms_selector.h"
#include "windows/main_window.h"
#include "windows/main_window_layout.h"
#include "windows/page_status.h"

namespace windows {
namespace {

constexpr char kNoFormYet[] = "请先新建一个表单，才能根据此表单新建一个列表！";
constexpr char kChooseAForm[] = "请先选择一个表单，才能根据此表单新建一个列表！";
constexpr char kOpenFailed[] = "打开列表页失败，请重开软件再试，还是不行请删除然后新建。";
constexpr char kNoRowsSelected[] = "请先选择要移除的记录行！";
constexpr char kRemoveQuestion[] = "确定要移除选中的记录吗？";

// The grid row that shows the record, searched from the last row up (a new record is at the end); 0
// when no row does.
int rowOfRecord(const grid::RecordGrid& grid, std::int32_t recordId) {
  for (int row = grid.rowCount(); row >= 1; --row) {
    if (grid.row(row).recordId == recordId) return row;
  }
  return 0;
}

}  // namespace

void MainWindow::showWarning(const base::TextValue& text, const base::TextValue& caption) {
  ui::MessageBoxRequest warning;
  warning.text = text;
  warning.caption = caption;
  context_.toolkit.show(warning);
}

void MainWindow::createListFromSelectedForm() {
  auto& selector = window_->get<ui::ComboBox>("组合框表单");
  if (selector.itemCount() <= 1) {  // only the designer item: there is no form yet
    showWarning(kNoFormYet);
    openFormDesigner();
    return;
  }
  const int chosen = selector.currentIndex();
  const auto& library = context_.formLibrary.forms();
  if (chosen < 0 || isDesignerItemCurrent(selector) || chosen >= static_cast<int>(library.size())) {
    showWarning(kChooseAForm);
    selector.setCurrentIndex(0);
    return;
  }
  lists_->createList(library[static_cast<std::size_t>(chosen)]);
}

void MainWindow::deleteSelectedList() {
  if (!lists_->deleteSelectedList()) return;
  if (window_->get<ui::TreeView>("树型框").currentItem() < 0) clearListPage();
}

void MainWindow::removeSelectedRecords() {
  std::vector<std::int32_t> rows;
  grid_.selectedRows(rows);
  // A row clicked twice with Ctrl is in the selection twice; it is removed once.
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  if (rows.empty()) {
    showWarning(kNoRowsSelected);
    return;
  }
  ui::MessageBoxRequest question;
  question.text = kRemoveQuestion;
  question.buttons = ui::MessageButtons::OkCancel;
  if (context_.toolkit.show(question) != ui::MessageAnswer::Ok) return;
  if (!lists_->openListDatabase(context_.currentListForm.name)) return;
  // From the last row up, so that the row numbers still to come stay valid.
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    if (recorddb::gotoRecordId(grid_.row(*row).recordId) && recorddb::deleteRecord()) grid_.removeRow(*row, true);
  }
  applyColumnWidthMode();
  grid_.redraw();
  (void)recorddb::packDatabase();
  lists_->rebuildValueItems();
  showPageStatus();
}

void MainWindow::onTreeSelectionChanged() {
  const std::optional<lists::ResolvedSelection> resolved = lists_->resolveSelection();
  if (!resolved) return;
  window_->get<ui::Toolbar>("工具条").setButtonEnabled(kDeleteList, resolved->onListItem);
  if (resolved->noItem) {
    clearListPage();
  } else {
    openListPage();
  }
}

void MainWindow::clearListPage() {
  // With no list open, the panel's boxes belong to no list.
  if (EntryPanel* panel = entryPanel()) panel->close();
  grid_.clearColumns(true);
  grid_.clearRows(true);
  grid_.redraw();
  context_.currentListForm.name.clear();
  showPageStatus();
}

void MainWindow::openListPage() {
  ui::TreeView& tree = window_->get<ui::TreeView>("树型框");
  if (tree.currentItem() < 0) {
    clearListPage();
    return;
  }
  lists::ListSelection& selection = context_.listSelection;
  settings::SettingsStore& store = context_.settings;
  store.selectSection(lists::kListFormsSection);
  context_.currentListForm.fields =
      forms::parseFieldSpecText(store.readText(selection.listName), forms::kListCopyAttributes);
  context_.currentListForm.name = selection.listName;
  EntryPanel* panel = entryPanel();
  if (panel) panel->followOpenList();

  grid_.clearColumns(true);
  grid_.clearRows(true);
  const bool sameList = selection.openListItem == selection.listItem;
  selection.openListItem = selection.listItem;
  if (!lists_->openListDatabase(selection.listName)) {
    // The panel's boxes would add records to a list that is not open.
    if (panel) panel->close();
    grid_.redraw();
    showPageStatus();
    showWarning(kOpenFailed, recorddb::lastErrorText());
    return;
  }
  const std::vector<forms::FieldDefinition>& fields = context_.currentListForm.fields;
  const int fieldCount = recorddb::fieldCount();
  for (int f = 1; f <= fieldCount; ++f) {
    const auto index = static_cast<std::size_t>(f - 1);
    grid_.addColumn(recorddb::fieldName(f), index < fields.size() ? fields[index].columnWidth : 0, true);
  }
  applyColumnWidthMode();
  fillListPage(sameList);
  applyColumnWidthMode();
  grid_.redraw();
  showPageStatus();
}

void MainWindow::fillListPage(bool sameList) {
  // Events run now and then while the page fills, so that the window stays responsive. An event
  // that starts other work waits until the page is filled; a newer selection ends the fill.
  ui::EventGate& gate = context_.toolkit.eventGate();
  support::ThrottledPump pump([&gate] { return gate.letEventsRun(); }, eventIntervalMs_);
  const int records = recorddb::recordCount();
  for (int record = 1; record <= records; ++record) {
    if (gate.stopRequested() || !pump.betweenSteps()) {
      // Not every value of the list was filed: the next page of this list files them anew.
      context_.listSelection.openListItem = lists::kNoListOpenYet;
      return;
    }
    showRecordRow({record, sameList, std::nullopt});
  }
}

void MainWindow::showRecordRow(const RecordRowRequest& request) {
  if (!recorddb::gotoRecord(request.recordNumber)) return;
  const bool sameList = request.sameList;
  const lists::ListSelection& selection = context_.listSelection;
  const forms::FormDefinition& form = context_.currentListForm;
  const bool filtered = selection.filtering;
  const int key = selection.keyFieldNumber;
  // A key field the database does not have (a damaged tree) matches no record.
  const bool keyExists = key >= 1 && key <= grid_.columnCount();
  // When no values are to be filed, a record the filter drops is not read beyond its key.
  if (sameList && filtered &&
      (!keyExists ||
       lists::currentFieldDisplayView(key, forms::fieldKindOf(form, key), displayScratch_) != selection.filterValue)) {
    return;
  }
  // The texts go straight from the record into the row's one block.
  grid::CellTextsBuilder& cells = rowTexts_;
  cells.clear();
  for (int column = 1; column <= grid_.columnCount(); ++column) {
    cells.add(lists::currentFieldDisplayView(column, forms::fieldKindOf(form, column), displayScratch_));
  }
  const std::int32_t recordId = recorddb::currentRecordId();
  if (!sameList) lists_->addRecordValues(cells.size(), [&cells](std::size_t i) { return cells[i]; }, recordId);
  if (request.refreshedRow) {
    // A changed record keeps its row, whether or not it still matches the filter: the row shows
    // what is stored.
    grid_.setRow(*request.refreshedRow, grid::CellTexts(cells), std::nullopt, recordId);
    // Values the record held before may be held by no record now.
    if (!sameList) lists_->refileChangedRecord(recordId);
    return;
  }
  if (filtered && (!keyExists || cells[static_cast<std::size_t>(key - 1)] != selection.filterValue)) return;
  grid_.appendRow(cells, 0, recordId, false, true);
}

void MainWindow::revealAddedRecord(int recordNumber) {
  const lists::ListSelection& selection = context_.listSelection;
  if (!lists_->openListDatabase(context_.currentListForm.name) || !recorddb::gotoRecord(recordNumber)) {
    showPageStatus();
    return;
  }
  const std::int32_t recordId = recorddb::currentRecordId();
  int row = rowOfRecord(grid_, recordId);
  base::TextValue note;
  if (row == 0 && selection.filtering) {
    // Stored, but out of the filter's sight: the record would look lost.
    note = "新记录不符合当前的筛选（" + filterText(selection.keyFieldName, selection.filterValue) + "），现在显示整个列表";
    window_->get<ui::TreeView>("树型框").setCurrentItem(selection.listItem);
    row = rowOfRecord(grid_, recordId);
  }
  if (row > 0) {
    grid_.selectRow(row, true);
    grid_.scrollRowIntoView(row);
  }
  showPageStatus(note);
}

void MainWindow::showPageStatus(const base::TextValue& note) {
  const lists::ListSelection& selection = context_.listSelection;
  PageStatus status;
  status.listName = context_.currentListForm.name;
  if (!status.listName.empty() && lists_->openListDatabase(status.listName)) {
    status.listRecords = recorddb::recordCount();
  }
  status.filtering = selection.filtering;
  status.keyFieldName = selection.keyFieldName;
  status.filterValue = selection.filterValue;
  status.shownRows = grid_.rowCount();
  status.note = note;
  window_->control(kStatusBar)->setCaption(pageStatusText(status));
}

void MainWindow::showSelectedRecordInPanel() {
  EntryPanel* panel = entryPanel();
  const int row = grid_.firstSelectedRow();
  if (panel && row != -1) panel->showRecord(grid_.row(row).recordId);
}

}  // namespace windows
