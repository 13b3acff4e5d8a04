#pragma once
// ListWorkspace: the lists as the main window works with them, through the tree of lists. It
// creates, renames and deletes lists (their database files, their form copies in the settings
// store, their tree items), loads and saves the tree, works out what the tree's current item
// selects, and files the values of key fields as items under the key fields.

#include <optional>

#include "forms/form_definition.h"
#include "lists/list_creation.h"
#include "lists/list_selection.h"
#include "settings/settings_store.h"
#include "ui/message_box.h"
#include "ui/tree_view.h"

namespace lists {

struct ListWorkspaceContext {
  settings::SettingsStore& settings;
  ui::MessagePresenter& messages;
  ui::TreeView& tree;
  base::TextValue runDirectory;
  forms::FormDefinition& currentListForm;  // the open list's form copy; empty name: none
  ListSelection& selection;
};

// What a selection change means for the page.
struct ResolvedSelection {
  bool noItem = false;       // nothing is current: the page is to be cleared
  bool onListItem = false;   // a list item (not a key field or value) is current
  bool listChanged = false;  // another list than the open one is selected
};

class ListWorkspace {
 public:
  explicit ListWorkspace(ListWorkspaceContext context) : context_(std::move(context)) {}

  // A new list from a copy of `form`: its database beside the other lists, named after the form
  // (F, F1, F2, ...), a tree item with its key fields, its form copy saved; it becomes the tree's
  // current item, which opens it. False (after telling the user) when no database could be made.
  bool createList(const forms::FormDefinition& form);
  // Makes the list's database the current one, opening it when needed.
  bool openListDatabase(const base::TextValue& listName);
  // The label of a list item was edited: moves the list's files and its form copy to the new
  // name. False when the tree must keep the old label.
  bool renameList(const base::TextValue& oldName, const base::TextValue& newName);
  // Deletes the list of the current tree item after asking twice, then selects the item that took
  // its place (or the new last item). True when the list was deleted.
  bool deleteSelectedList();
  // Only list items' labels can be edited.
  bool canEditLabel(int index) const;

  // The tree as the tree data file holds it (empty when there is none); a file of more items than
  // the tree takes is cut, with a message.
  void loadTree();
  // Saves the open list's form copy and, with `includeTreeFile`, the tree data file.
  void saveListState(bool includeTreeFile);

  // Works out the selection from the tree's current item; nothing when this change was to be
  // skipped. When another list is selected, its key fields and filed values are gathered first.
  std::optional<ResolvedSelection> resolveSelection();
  // Gathers the key-field items of the selected list and the values filed under them.
  void rebuildValueSets();
  // Files the key-field values of record `recordNumber` of the open database: each value not yet
  // filed gets an item under its key field.
  void addRecordValues(int recordNumber);
  // The same from the display texts of a record's first `fieldCount` fields, as the grid shows
  // them: textOf(i) gives field i + 1's.
  void addRecordValues(std::size_t fieldCount, const std::function<std::string_view(std::size_t)>& textOf,
                       std::int32_t recordId);
  // After record `recordId` of the open database was changed (its new values filed already): a value
  // item that stood for it and whose value it holds no more stands for another record that holds
  // the value, or goes when none does (a filter on it gives way to its key field first).
  void refileChangedRecord(std::int32_t recordId);
  // After records were removed: files the values of the open list anew from its records, then
  // makes the formerly current item current again and saves the list state with the tree.
  void rebuildValueItems();

 private:
  // Adds the item of a value just put into value set k; the indices of later key-field items move
  // down by one.
  void fileValue(std::size_t k, const base::TextValue& value, std::int32_t recordId);
  // Files the values of the key fields among the first `fieldCount`; textOf(i) gives field i + 1's.
  template <typename TextOf>
  void fileKeyValues(std::size_t fieldCount, const TextOf& textOf, std::int32_t recordId);
  // A record other than `recordId` whose field `field` shows `value`; 0 when there is none.
  std::int32_t otherRecordHolding(int field, std::int32_t kind, std::string_view value, std::int32_t recordId);
  // Removes value item `index` of value set k.
  void removeValueItem(std::size_t k, int index);
  void expand(int index);
  void clearSelectionQuietly();

  ListWorkspaceContext context_;
};

}  // namespace lists
