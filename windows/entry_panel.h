#pragma once
// The entry panel: a non-modal window of the main window in which the user types a record of the
// open list. Its boxes are made anew from the list's form each time it is built: a label, value
// boxes and, for a key field, a "▼" button offering the values already used. "录入" adds a record,
// "修改" writes the panel into the selected record, and a record clicked in the grid fills it.
// A form too tall for the screen keeps its layout; the panel then scrolls (wheel, or following the
// focus), so that every box stays reachable.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "forms/form_definition.h"
#include "grid/record_grid.h"
#include "lists/list_selection.h"
#include "lists/list_workspace.h"
#include "ui/simple_controls.h"
#include "ui/toolkit.h"
#include "ui/tree_view.h"
#include "windows/panel_layout.h"
#include "windows/record_transfer.h"

namespace windows {

// A record of the open database shown in the grid: as a new row, or in place of an existing row.
struct RecordRowRequest {
  int recordNumber = 0;
  bool sameList = false;             // the page's list was open before: its key values are filed
  std::optional<int> refreshedRow;   // the row to refresh; none: a new row
};

struct EntryPanelContext {
  ui::Toolkit& toolkit;
  ui::Window& owner;
  const forms::FormDefinition& currentListForm;
  grid::RecordGrid& grid;
  lists::ListWorkspace& lists;
  const lists::ListSelection& listSelection;
  const ui::TreeView& listTree;
  std::function<void(const RecordRowRequest&)> showRecordRow;
};

class EntryPanel {
 public:
  explicit EntryPanel(EntryPanelContext context);
  ~EntryPanel();

  ui::Window& window() { return *window_; }
  // Shows the window; the first time, it builds itself for the open list's form.
  void show();
  // Whether the window was closed (the object then only waits to be discarded).
  bool closed() const { return closed_; }
  void close();

  // Makes the panel's boxes anew for the open list's form, all empty.
  void rebuild();
  // Fills the boxes from the record with that ID of the open list.
  void showRecord(std::int32_t recordId);

 private:
  void onBoxFocused(ui::Control& box);
  void addRecord();
  void modifyRecord();
  void showKeyValues(ui::Control& button);
  void onMenuCommand(int command);
  void putText(int field, int slot, const base::TextValue& text);
  // The window's own height and the scroll position follow the plan and the screen.
  void fitToScreen();
  void scrollBy(int pixels);
  void scrollIntoView(const ui::Control& control);
  void placeControls();
  void destroyGenerated();
  bool makeListCurrent();
  void showExclamation(const base::TextValue& text, const base::TextValue& caption);
  PanelMetrics metrics() const;
  PanelBoxes boxes() const;

  EntryPanelContext context_;
  std::unique_ptr<ui::Window> window_;
  bool closed_ = false;
  PanelPlan plan_;
  std::vector<ui::Control*> generated_;  // in the plan's order
  int scrollOffset_ = 0;                 // pixels of the plan above the client area's top
  int scrollRange_ = 0;                  // the largest offset
  std::vector<ui::MenuItem> menuItems_;  // the last key-value popup
  int popupField_ = 0;                   // the field the last popup fills
};

// The grey hint of an empty generated edit box ("输入" + the kind's hint + ".."), unless the box
// holds a text or is no generated box.
void applyHint(ui::EditBox& box);

}  // namespace windows
