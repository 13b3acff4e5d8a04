#pragma once
// The entry panel: a non-modal window of the main window in which the user types a record of the
// open list. Its boxes are made anew from the list's form each time it is built: a label, value
// boxes and, for a key field, a "▼" button offering the values already used. "录入" adds a record,
// "修改" writes the panel into the selected record, and a record clicked in the grid fills it.
// A box takes no more bytes than its field holds; what cannot be stored as typed is refused with
// a message before anything is written. A line under the buttons says whether the boxes hold a new
// record or which record, and whether they were changed since; "清空" (Ctrl+Delete) empties them,
// and closing with unsaved input asks first.
// A form too tall for the screen keeps its layout; the panel then scrolls (wheel, or following the
// focus), so that every box stays reachable.

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "forms/form_definition.h"
#include "grid/record_grid.h"
#include "lists/list_selection.h"
#include "lists/list_workspace.h"
#include "ui/simple_controls.h"
#include "ui/toolkit.h"
#include "ui/tree_view.h"
#include "windows/panel_layout.h"
#include "windows/entry_values.h"
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
  // True, after saying so, when a command that changes records is refused (a PING run is going).
  std::function<bool()> refusedDuringPing;
  // The panel is closing: where it is, to be remembered.
  std::function<void(const ui::Window&)> rememberPosition;
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
  // The main window opened a list: the panel is made anew when the open list is another one (or
  // its form changed), and keeps its boxes when it is the same.
  void followOpenList();
  // Fills the boxes from the record with that ID of the open list.
  void showRecord(std::int32_t recordId);
  // Empties every box: the panel holds a new record.
  void clear();
  // Whether a box holds what was not stored: changed since the panel was built, emptied, filled
  // from a record or saved.
  bool hasUnsavedInput() const;

 private:
  // A choice of the key-value popup: its caption and the record that holds the value.
  struct KeyValueChoice {
    base::TextValue caption;
    std::int32_t recordId = 0;
  };

  void onBoxFocused(ui::Control& box);
  void onBoxChanged(ui::EditBox& box);
  void onCheckBoxClicked(ui::CheckBox& box);
  // The control holds what was saved (or shown), or holds something else now.
  void noteChange(const ui::Control& control, bool sameAsSaved);
  bool onQueryClose();
  // Reads every field's boxes; a field that cannot be stored as typed is named in a message and
  // its box gets the focus.
  std::optional<PanelValues> readBoxes();
  void addRecord();
  void modifyRecord();
  // What is shown is what is stored now: the boxes are clean, holding that record (none: new).
  void markSaved(std::optional<int> recordNumber);
  void showState();
  // Each box of a fixed-length field may take what its field has left beside its sibling boxes.
  void limitBoxes(const PanelField& field);
  void showKeyValues(ui::Control& button);
  void onMenuCommand(int command);
  void putText(int field, int slot, const base::TextValue& text);
  // The key-field item of the tree for field `field`, or -1.
  int keyFieldItemOf(int field) const;
  PanelField* fieldOf(const ui::Control& box);
  void makeFields();
  // The window's own height and the scroll position follow the plan and the screen.
  void fitToScreen();
  void scrollBy(int pixels);
  void scrollIntoView(const ui::Control& control);
  void placeControls();
  void destroyGenerated();
  bool makeListCurrent();
  void showExclamation(const base::TextValue& text, const base::TextValue& caption);
  PanelMetrics metrics() const;

  EntryPanelContext context_;
  std::unique_ptr<ui::Window> window_;
  bool closed_ = false;
  bool closingQuietly_ = false;             // the program closes the panel: nothing to ask
  forms::FormDefinition builtFor_;          // the form the boxes were made for
  PanelPlan plan_;
  std::vector<ui::Control*> generated_;     // in the plan's order
  std::vector<PanelField> fields_;          // the fields that have boxes, in form order
  std::vector<FieldEntry> saved_;           // what the boxes held when they were last clean
  std::optional<int> savedRecord_;          // the record number they held then; none: new
  std::set<const ui::Control*> changed_;    // the boxes that hold something else since then
  int scrollOffset_ = 0;                    // pixels of the plan above the client area's top
  int scrollRange_ = 0;                     // the largest offset
  std::vector<KeyValueChoice> popupChoices_;  // the last key-value popup, by command - 1
  int popupField_ = 0;                      // the field the last popup fills
};

}  // namespace windows
