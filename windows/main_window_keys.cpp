// The main window's keyboard shortcuts: one table of the key, the keys held with it, where the
// focus must be and what runs. Toolbar commands go the way of their buttons (onToolbarClick);
// keys the table does not name, or pressed elsewhere than it says, stay the focused control's.

#include <algorithm>

#include "ui/simple_controls.h"
#include "ui/tree_view.h"
#include "windows/main_window.h"
#include "windows/main_window_layout.h"

namespace windows {
namespace {

// Where the focus must be for a shortcut to be the window's.
enum class KeyPlace {
  Anywhere,  // any control of the window (edit boxes included: the key means nothing to them)
  Grid,      // one of the grid's panels: elsewhere the key is the control's (Ctrl+A in a box)
};

}  // namespace

bool MainWindow::onKeyPress(const ui::KeyPress& press) {
  using ui::Key;
  using ui::kCtrl;
  using ui::kNoKeys;
  struct Shortcut {
    Key key;
    int keys;  // held with it, exactly
    KeyPlace place;
    void (*run)(MainWindow& window);
  };
  static constexpr Shortcut kShortcuts[] = {
      {Key::F, kCtrl, KeyPlace::Anywhere, [](MainWindow& w) { w.showFindBox(); }},
      // The next match; with the find bar hidden there is no find text to look for yet.
      {Key::F3, kNoKeys, KeyPlace::Anywhere,
       [](MainWindow& w) {
         if (w.window_->control("图片框查找")->visible()) {
           w.find_();
         } else {
           w.showFindBox();
         }
       }},
      {Key::F2, kNoKeys, KeyPlace::Anywhere, [](MainWindow& w) { w.renameSelectedList(); }},
      {Key::N, kCtrl, KeyPlace::Anywhere, [](MainWindow& w) { w.onToolbarClick(kAddRecord); }},
      {Key::A, kCtrl, KeyPlace::Grid, [](MainWindow& w) { w.onToolbarClick(kSelectAllRecords); }},
      {Key::Delete, kNoKeys, KeyPlace::Grid, [](MainWindow& w) { w.onToolbarClick(kRemoveRecords); }},
      {Key::Up, kNoKeys, KeyPlace::Grid, [](MainWindow& w) { w.moveGridSelection({grid::RowMoveKind::By, -1}); }},
      {Key::Down, kNoKeys, KeyPlace::Grid, [](MainWindow& w) { w.moveGridSelection({grid::RowMoveKind::By, 1}); }},
      {Key::PageUp, kNoKeys, KeyPlace::Grid,
       [](MainWindow& w) { w.moveGridSelection({grid::RowMoveKind::By, -std::max(w.grid_.visibleRowCount(), 1)}); }},
      {Key::PageDown, kNoKeys, KeyPlace::Grid,
       [](MainWindow& w) { w.moveGridSelection({grid::RowMoveKind::By, std::max(w.grid_.visibleRowCount(), 1)}); }},
      {Key::Home, kNoKeys, KeyPlace::Grid, [](MainWindow& w) { w.moveGridSelection({grid::RowMoveKind::ToFirst, 0}); }},
      {Key::End, kNoKeys, KeyPlace::Grid, [](MainWindow& w) { w.moveGridSelection({grid::RowMoveKind::ToLast, 0}); }},
  };
  const bool onGrid = isGridPanel(press.target);
  for (const Shortcut& shortcut : kShortcuts) {
    if (shortcut.key != press.key || shortcut.keys != press.keys) continue;
    if (shortcut.place == KeyPlace::Grid && !onGrid) continue;
    shortcut.run(*this);
    return true;
  }
  return false;
}

bool MainWindow::isGridPanel(const ui::Control* control) const {
  const ui::Control* container = window_->control("画板容器");
  return control != nullptr && (control == container || control->parent() == container);
}

void MainWindow::showFindBox() {
  if (!window_->control("图片框查找")->visible()) onToolbarClick(kFindRecords);
  // Refused (a PING run, running work), the bar stays hidden and the focus where it was.
  ui::Control& box = *window_->control("编辑框查找内容");
  if (box.reachable()) box.focus();
}

void MainWindow::renameSelectedList() {
  auto& tree = window_->get<ui::TreeView>("树型框");
  // Out of the user's reach (a PING run disables it), the tree renames nothing.
  if (tree.reachable()) tree.editLabel(tree.currentItem());
}

void MainWindow::moveGridSelection(const grid::RowMove& move) {
  // As a click on a row: beside a PING run, not inside other running work.
  context_.toolkit.eventGate().run(ui::WhenBusy::RunBeside, &grid_, [this, move] {
    if (grid_.moveSelection(move)) showSelectedRecordInPanel();
  });
}

}  // namespace windows
