#pragma once
// The main window: the toolbar, the forms selector, the tree of lists, the splitter, the find bar
// and the grid's panels, laid out from the window's client size and the splitter's position.
// Its remembered settings live in section "主界面"; its keyboard shortcuts are in
// main_window_keys.cpp.

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "checks/ping_run.h"
#include "forms/form_library.h"
#include "grid/record_grid.h"
#include "grid/tooltip_grid_tips.h"
#include "links/cell_action.h"
#include "lists/list_workspace.h"
#include "platform/shell.h"
#include "settings/settings_store.h"
#include "ui/toolkit.h"
#include "windows/entry_panel.h"
#include "windows/form_designer.h"
#include "windows/window_bounds.h"

namespace windows {

struct MainWindowContext {
  ui::Toolkit& toolkit;
  platform::Shell& shell;  // opens the targets of link cells
  settings::SettingsStore& settings;
  forms::FormLibrary& formLibrary;
  checks::PingState& ping;  // a PING run refuses every other toolbar command
  base::TextValue runDirectory;          // the lists' data folder is in it
  forms::FormDefinition& currentListForm;
  lists::ListSelection& listSelection;
  base::TextValue productTitle;
  std::string trayIconBytes;                       // the program's icon (ICO bytes)
  std::function<void(ui::TrayEvent)> onTrayEvent;  // the notification-area icon's events
  std::function<void()> onClosing;                 // the save step, before the window closes
};

class MainWindow {
 public:
  explicit MainWindow(MainWindowContext context);
  ~MainWindow();

  ui::Window& window() { return *window_; }
  // Shows the window; its created event restores what was remembered.
  void show();
  // Remembers where the window and the entry panel are (the save step at close).
  void saveWindowBounds();

  // Places every control for the current client size and splitter position.
  void layout();
  // The splitter was dragged to `position`.
  void onSplitterMoved(int position);

  // Fills the forms selector from the library; item `index` current when `select`, else none.
  void refillFormSelector(int index, bool select);
  // Opens the form designer, owned by this window; when it is open already, brings it forward.
  void openFormDesigner();
  FormDesigner* formDesigner() { return designer_ && !designer_->closed() ? designer_.get() : nullptr; }

  // Opens the entry panel for the open list, owned by this window; when it is open already, brings
  // it forward.
  void openEntryPanel();
  EntryPanel* entryPanel() { return entryPanel_ && !entryPanel_->closed() ? entryPanel_.get() : nullptr; }

  lists::ListWorkspace& lists() { return *lists_; }

  // The page of the selected list: its form copy and database are opened and its records' key
  // values filed in the tree; with nothing selected, the page is cleared.
  void openListPage();
  void clearListPage();

  // The find button: the next tree item or grid row holding the find text; "找不到！" on the button
  // for a second when there is none.
  void find();

  // A toolbar button was clicked.
  void onToolbarButton(int index);

  grid::RecordGrid& grid() { return grid_; }
  // During long work (a page filling, a sort) pending events run at most every `intervalMs`.
  void setEventInterval(int intervalMs);
  // The grid's widths: sized to their contents when "自动列宽" shows checked, else as they are.
  void applyColumnWidthMode();

 private:
  void onCreated();
  // Puts the window where it was last (on a screen that exists now); a maximised main window is
  // maximised again once shown.
  void restoreWindowBounds(ui::Window& window, const base::TextValue& key, RememberedParts parts);
  void rememberPanelPosition(const ui::Window& panel);
  // The window is asked to close: the save step runs, unless work is running, which ends first.
  bool onQueryClose();
  // During a PING run: says that the command is refused, and true.
  bool refusedDuringPing();
  // A toolbar command, from its button or its shortcut: refused during a PING run and, with a beep,
  // while work is running.
  void onToolbarClick(int index);
  // The window's shortcuts (main_window_keys.cpp); true when the key was one of them.
  bool onKeyPress(const ui::KeyPress& press);
  // Whether `control` (the focused one) is one of the grid's panels.
  bool isGridPanel(const ui::Control* control) const;
  // Ctrl+F: shows the find bar as its toolbar button does, if it is hidden, and puts the focus in
  // the find text.
  void showFindBox();
  // F2: starts the rename of the tree's current item (its label edit asks whether it may).
  void renameSelectedList();
  // The selection moved from the keyboard, as a click on a row moves it (through the event gate,
  // the entry panel following).
  void moveGridSelection(const grid::RowMove& move);
  void onMouseWheel(int delta, ui::Point screen);
  void onFormSelectorChanged();
  void onTreeSelectionChanged();
  void createListFromSelectedForm();
  void deleteSelectedList();
  void showWarning(const base::TextValue& text, const base::TextValue& caption = "信息：");
  void toggleFindBar();
  bool findInTree(const base::TextValue& text);
  bool findInGrid(const base::TextValue& text);
  void removeSelectedRecords();
  void showNotFound();
  void attachGrid();
  // Panel presses give the focus to the header first; a header press not on a border sorts; a left
  // release and a right press on the rows go to the cell action.
  void connectGridPresses();
  void sortByHeader(int x);
  // The chat host the settings name, or the default one.
  base::TextValue chatHost();
  // A point of the window's client area in the grid's data-panel coordinates.
  ui::Point toDataPanel(int x, int y) const;
  void toggleAutoColumnWidth();
  // Shows a record of the open database as a new grid row, after filing its key values, unless the
  // filter leaves it out; or shows it in place of a row.
  void showRecordRow(const RecordRowRequest& request);
  // A record just added: its row is selected and scrolled into view. When the filter leaves it out,
  // the page shows the whole list instead, and the status line says why.
  void revealAddedRecord(int recordNumber);
  // The status line for the page as it is now, with `note` after it.
  void showPageStatus(const base::TextValue& note = {});
  // A left release on the grid's rows: the first selected row's record fills the entry panel.
  void showSelectedRecordInPanel();
  // Adds a row for every record of the open database; ends early when a newer selection asks to.
  void fillListPage(bool sameList);
  // Toolbar button 9 (main_window_ping.cpp): asks, then runs PING over the page; during a run it
  // asks the run to stop.
  void onPingButton();
  void runPing();
  // A row's PING fields and the web addresses of the fields they link to, read from its record
  // before its worker starts; a PING field whose linked value has no web address is left out.
  checks::PingJob pingJob(int row);
  // The web address field `field` of the current record holds: a link's address, a QQ link's chat
  // address, the text of other kinds; none for an FTP link.
  base::TextValue pingAddress(int field);
  void applyPingResult(const checks::PingResult& result);

  MainWindowContext context_;
  std::unique_ptr<ui::Window> window_;
  std::vector<std::unique_ptr<ui::Picture>> toolbarImages_;
  std::unique_ptr<ui::Picture> trayIcon_;
  std::unique_ptr<FormDesigner> designer_;
  std::unique_ptr<EntryPanel> entryPanel_;
  std::vector<std::unique_ptr<ui::Picture>> treeImages_;
  std::unique_ptr<lists::ListWorkspace> lists_;
  grid::RecordGrid grid_;
  int eventIntervalMs_ = 20;
  bool sortAscending_ = false;
  bool restoreMaximized_ = false;  // one direction for every column, flipped before each sort
  std::unique_ptr<grid::TooltipGridTips> gridTips_;
  std::unique_ptr<links::CellAction> cellAction_;
  std::function<void()> find_;  // the find button's command, through the event gate
  grid::CellTextsBuilder rowTexts_;  // the page fill's buffers, kept from row to row
  base::TextValue displayScratch_;
};

}  // namespace windows
