// The main window's list commands and its list page: creating and deleting lists, following the
// tree's selection, opening the selected list.

#include "base/number_text.h"
#include "forms/field_text.h"
#include "lists/run_folder.h"
#include "recorddb/record_database.h"
#include "ui/list_controls.h"
#include "ui/toolbar.h"
#include "ui/tree_view.h"
#include "windows/forms_selector.h"
#include "windows/main_window.h"
#include "windows/main_window_layout.h"

namespace windows {
namespace {

constexpr char kNoFormYet[] = "请先新建一个表单，才能根据此表单新建一个列表！";
constexpr char kChooseAForm[] = "请先选择一个表单，才能根据此表单新建一个列表！";
constexpr char kOpenFailed[] = "打开列表页失败，请重开软件再试，还是不行请删除然后新建。";

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

void MainWindow::clearListPage() { context_.currentListForm.name.clear(); }

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

  const bool sameList = selection.openListItem == selection.listItem;
  selection.openListItem = selection.listItem;
  if (!lists_->openListDatabase(selection.listName)) {
    showWarning(kOpenFailed, recorddb::lastErrorText());
    return;
  }
  const int records = recorddb::recordCount();
  for (int record = 1; record <= records; ++record) {
    context_.toolkit.processPendingEvents();
    if (!sameList) lists_->addRecordValues(record);
  }
}

}  // namespace windows
