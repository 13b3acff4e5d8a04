// The main window's find bar: shown and hidden by its toolbar button, and the search it runs over
// the tree or the grid.

#include <algorithm>
#include <chrono>
#include <thread>

#include "base/text_value.h"
#include "support/tree_item_query.h"
#include "ui/simple_controls.h"
#include "ui/toolbar.h"
#include "ui/tree_view.h"
#include "windows/main_window.h"
#include "windows/main_window_layout.h"
#include "windows/main_window_settings.h"

namespace windows {
namespace {

constexpr char kFindCaption[] = "查找";
constexpr char kNotFoundCaption[] = "找不到！";
constexpr auto kNotFoundShown = std::chrono::milliseconds(1000);
constexpr auto kEventStep = std::chrono::milliseconds(10);

}  // namespace

void MainWindow::toggleFindBar() {
  auto& toolbar = window_->get<ui::Toolbar>("工具条");
  ui::Control& findBar = *window_->control("图片框查找");
  const bool show = !toolbar.isChecked(kFindRecords);
  toolbar.setChecked(kFindRecords, show);
  findBar.setVisible(show);
  layout();
  context_.settings.selectSection(kMainSection);
  context_.settings.writeLogical(kShowFindBarKey, findBar.visible());
}

void MainWindow::find() {
  const base::TextValue text = window_->get<ui::EditBox>("编辑框查找内容").text();
  const bool found = window_->get<ui::CheckBox>("选择框查树").checked() ? findInTree(text) : findInGrid(text);
  if (!found) showNotFound();
}

bool MainWindow::findInTree(const base::TextValue& text) {
  auto& tree = window_->get<ui::TreeView>("树型框");
  support::TreeItemQuery query;
  query.load(tree);
  const int current = tree.currentItem();
  support::FoundItem found = query.findItem(current, text);
  // Nothing after the current item: the items from the first one on, the current one included.
  if (found.index < 0 && current > 0) found = query.findItem(-1, text);
  if (found.index < 0) return false;
  tree.setCurrentItem(found.index);
  return true;
}

bool MainWindow::findInGrid(const base::TextValue& text) {
  const auto rowMatches = [this, &text](int row) {
    for (int column = 1; column <= grid_.columnCount(); ++column) {
      if (base::findTextIgnoreCase(grid_.cell(row, column), text) != base::TextValue::npos) return true;
    }
    return false;
  };
  const auto firstMatch = [&rowMatches](int from, int to) {
    for (int row = from; row <= to; ++row) {
      if (rowMatches(row)) return row;
    }
    return 0;
  };
  const int current = std::max(grid_.firstSelectedRow(), 0);
  int found = firstMatch(current + 1, grid_.rowCount());
  // Nothing below the current row: the rows from the first one on, the current one included.
  if (found == 0 && current > 1) found = firstMatch(1, current);
  if (found == 0) return false;
  grid_.selectRow(found, true);
  grid_.scrollToRow(found);
  return true;
}

void MainWindow::showNotFound() {
  ui::Control& button = *window_->control("按钮查找");
  button.setCaption(kNotFoundCaption);
  // Events keep running meanwhile; one that asks running work to stop ends the wait early.
  ui::EventGate& gate = context_.toolkit.eventGate();
  const auto until = std::chrono::steady_clock::now() + kNotFoundShown;
  while (std::chrono::steady_clock::now() < until && gate.letEventsRun()) {
    std::this_thread::sleep_for(kEventStep);
  }
  button.setCaption(kFindCaption);
}

}  // namespace windows
