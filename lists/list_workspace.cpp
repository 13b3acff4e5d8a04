#include "lists/list_workspace.h"

#include <algorithm>

#include "forms/field_text.h"
#include "lists/field_display_text.h"
#include "lists/list_creation.h"
#include "lists/list_database.h"
#include "lists/list_files.h"
#include "lists/run_folder.h"
#include "lists/tree_file.h"
#include "platform/file_error.h"
#include "platform/paths.h"
#include "recorddb/record_database.h"
#include "support/tree_item_query.h"

namespace lists {
namespace {

constexpr char kCreateFailed[] =
    "新建列表失败，请检查当前选择的表单是否存在错误，比如没有字段，或字段名重复，或字段名存在非法字符！";
constexpr char kRenameFailed[] = "重命名列表失败，请检查列表文件是否被占用！";
constexpr char kAuxiliaryExtension[] = ".edt";
constexpr int kKeyFieldLevel = 2;

base::TextValue auxiliaryPath(const base::TextValue& runDirectory, const base::TextValue& listName) {
  return platform::joinPath(dataFolder(runDirectory), listName + kAuxiliaryExtension);
}

enum class ListFilesMove { Done, DatabaseNotMoved, AuxiliaryNotMoved };

// Moves a list's database file and, when there is one, its auxiliary file to the new name: both or
// neither (when the auxiliary file cannot move, the database file moves back).
ListFilesMove moveListFiles(const base::TextValue& runDirectory, const base::TextValue& oldName,
                            const base::TextValue& newName) {
  const base::TextValue oldDatabase = listDatabasePath(runDirectory, oldName);
  const base::TextValue newDatabase = listDatabasePath(runDirectory, newName);
  if (platform::moveFile(oldDatabase, newDatabase) != platform::kFileOk) return ListFilesMove::DatabaseNotMoved;
  const base::TextValue oldAuxiliary = auxiliaryPath(runDirectory, oldName);
  // The engine makes the auxiliary file only when a record needs it.
  if (!platform::pathExists(oldAuxiliary)) return ListFilesMove::Done;
  if (platform::moveFile(oldAuxiliary, auxiliaryPath(runDirectory, newName)) == platform::kFileOk) {
    return ListFilesMove::Done;
  }
  (void)platform::moveFile(newDatabase, oldDatabase);
  return ListFilesMove::AuxiliaryNotMoved;
}

void showMessage(ui::MessagePresenter& messages, const base::TextValue& text) {
  ui::MessageBoxRequest message;
  message.text = text;
  messages.show(message);
}

bool askOkCancel(ui::MessagePresenter& messages, const base::TextValue& text) {
  ui::MessageBoxRequest question;
  question.text = text;
  question.buttons = ui::MessageButtons::OkCancel;
  return messages.show(question) == ui::MessageAnswer::Ok;
}

}  // namespace

bool ListWorkspace::createList(const forms::FormDefinition& form) {
  std::optional<forms::FormDefinition> copy = createListDatabase(context_.runDirectory, form);
  if (!copy) {
    showMessage(context_.messages, listCreationProblem(form).value_or(kCreateFailed));
    return false;
  }
  ui::TreeView& tree = context_.tree;
  const int listItem = tree.addItem(-1, makeTreeItem(copy->name, kListImage, 0));
  for (const ui::TreeItem& keyItem : keyFieldTreeItems(copy->fields)) tree.addItem(listItem, keyItem);
  context_.currentListForm = std::move(*copy);
  saveListState(true);
  expand(listItem);
  tree.setCurrentItem(listItem);
  return true;
}

bool ListWorkspace::openListDatabase(const base::TextValue& listName) {
  return lists::openListDatabase(context_.runDirectory, listName);
}

bool ListWorkspace::renameList(const base::TextValue& oldName, const base::TextValue& newName) {
  if (!isUsableListName(newName)) return false;
  const base::TextValue& run = context_.runDirectory;
  closeListDatabase(run, oldName);
  const ListFilesMove move = moveListFiles(run, oldName, newName);
  if (move != ListFilesMove::Done) {
    // The list stays as it was; its database opens again when its page does.
    if (move == ListFilesMove::AuxiliaryNotMoved) showMessage(context_.messages, kRenameFailed);
    return false;
  }
  context_.settings.renameKey(kListFormsSection, oldName, newName);
  // Only the open list's form copy and selection carry the list's name.
  ListSelection& selection = context_.selection;
  if (selection.listName == oldName) selection.listName = newName;
  if (context_.currentListForm.name == oldName) {
    context_.currentListForm.name = newName;
    openListDatabase(newName);
  }
  return true;
}

bool ListWorkspace::deleteSelectedList() {
  ui::TreeView& tree = context_.tree;
  const int current = tree.currentItem();
  if (current < 0) return false;
  const base::TextValue name = tree.item(current).text;
  if (!askOkCancel(context_.messages, "确定要删除【" + name + "】列表吗？")) return false;
  if (!askOkCancel(context_.messages, "请再次确认，真的要删除【" + name + "】列表吗？")) return false;

  const base::TextValue& run = context_.runDirectory;
  closeListDatabase(run, name);
  (void)platform::deleteFile(listDatabasePath(run, name));
  (void)platform::deleteFile(auxiliaryPath(run, name));
  tree.removeItem(current);
  saveListState(true);
  const int remaining = tree.itemCount();
  tree.setCurrentItem(current > remaining - 1 ? remaining - 1 : current);
  return true;
}

bool ListWorkspace::canEditLabel(int index) const {
  return index >= 0 && index < context_.tree.itemCount() && context_.tree.parentOf(index) < 0;
}

void ListWorkspace::loadTree() {
  if (loadTreeFile(context_.tree, treeDataFilePath(context_.runDirectory)) == TreeLoadResult::Cut) {
    showMessage(context_.messages, treeCutMessage());
  }
}

void ListWorkspace::saveListState(bool includeTreeFile) {
  const forms::FormDefinition& form = context_.currentListForm;
  if (!form.name.empty()) writeListFormCopy(context_.settings, form);
  // A tree file that cannot be written keeps its last good content.
  if (includeTreeFile) (void)saveTreeFile(context_.tree, treeDataFilePath(context_.runDirectory));
}

std::optional<ResolvedSelection> ListWorkspace::resolveSelection() {
  ListSelection& selection = context_.selection;
  if (selection.skipNextSelection) {
    selection.skipNextSelection = false;
    return std::nullopt;
  }
  ui::TreeView& tree = context_.tree;
  ResolvedSelection resolved;
  const int current = tree.currentItem();
  if (current < 0) {
    // No page is open now: whichever list is selected next is opened afresh.
    resolved.noItem = true;
    selection.openListItem = kNoListOpenYet;
    return resolved;
  }
  const ui::TreeItem item = tree.item(current);
  switch (item.image) {
    case kValueImage:
      selection.filtering = true;
      selection.filterValue = item.text;
      selection.keyFieldItem = tree.parentOf(current);
      selection.keyFieldName = tree.item(selection.keyFieldItem).text;
      selection.keyFieldNumber = tree.item(selection.keyFieldItem).data;
      selection.listItem = tree.parentOf(selection.keyFieldItem);
      break;
    case kKeyFieldImage:
      selection.filtering = false;
      selection.filterValue.clear();
      selection.keyFieldItem = current;
      selection.keyFieldName = item.text;
      selection.keyFieldNumber = item.data;
      selection.listItem = tree.parentOf(current);
      break;
    default:
      resolved.onListItem = true;
      selection.filtering = false;
      selection.filterValue.clear();
      selection.listItem = current;
      selection.keyFieldItem = -1;
      break;
  }
  selection.listName = tree.item(selection.listItem).text;
  resolved.listChanged = selection.listItem != selection.openListItem;
  if (resolved.listChanged) rebuildValueSets();
  return resolved;
}

void ListWorkspace::rebuildValueSets() {
  ListSelection& selection = context_.selection;
  support::TreeItemQuery query;
  query.load(context_.tree);
  selection.keyFieldItems = query.childrenAt(kKeyFieldLevel, selection.listItem).indexes;
  selection.valueSets.assign(selection.keyFieldItems.size(), {});
  for (std::size_t k = 0; k < selection.keyFieldItems.size(); ++k) {
    for (base::TextValue& text : query.childrenAt(kKeyFieldLevel + 1, selection.keyFieldItems[k]).texts) {
      selection.valueSets[k].insert(std::move(text));
    }
  }
}

template <typename TextOf>
void ListWorkspace::fileKeyValues(std::size_t fieldCount, const TextOf& textOf, std::int32_t recordId) {
  const std::vector<forms::FieldDefinition>& fields = context_.currentListForm.fields;
  ListSelection& selection = context_.selection;
  // A form copy with more fields than the database (damaged settings) files only what exists.
  fieldCount = std::min(fields.size(), fieldCount);
  std::size_t k = 0;
  for (std::size_t i = 0; i < fieldCount && k < selection.keyFieldItems.size(); ++i) {
    if (!fields[i].key) continue;
    const auto& text = textOf(i);  // a text or a view; a temporary text lives on here
    auto& filed = selection.valueSets[k];
    if (filed.find(std::string_view(text)) == filed.end()) {
      fileValue(k, *filed.emplace(text).first, recordId);
    }
    ++k;
  }
}

void ListWorkspace::addRecordValues(int recordNumber) {
  if (!recorddb::gotoRecord(recordNumber)) return;
  const std::vector<forms::FieldDefinition>& fields = context_.currentListForm.fields;
  base::TextValue scratch;
  // Each view is used before the next field is read.
  const auto textOf = [&fields, &scratch](std::size_t i) {
    return currentFieldDisplayView(static_cast<int>(i + 1), fields[i].kind, scratch);
  };
  fileKeyValues(static_cast<std::size_t>(std::max(recorddb::fieldCount(), 0)), textOf, recorddb::currentRecordId());
}

void ListWorkspace::addRecordValues(std::size_t fieldCount, const std::function<std::string_view(std::size_t)>& textOf,
                                    std::int32_t recordId) {
  fileKeyValues(fieldCount, textOf, recordId);
}

void ListWorkspace::refileChangedRecord(std::int32_t recordId) {
  ui::TreeView& tree = context_.tree;
  ListSelection& selection = context_.selection;
  const forms::FormDefinition& form = context_.currentListForm;
  if (!recorddb::gotoRecordId(recordId)) return;
  struct StaleItem {
    std::size_t k;
    int index;
    int field;
    base::TextValue value;
  };
  std::vector<StaleItem> stale;
  support::TreeItemQuery query;
  query.load(tree);
  base::TextValue scratch;
  for (std::size_t k = 0; k < selection.keyFieldItems.size(); ++k) {
    const int field = tree.item(selection.keyFieldItems[k]).data;
    if (field < 1 || field > recorddb::fieldCount()) continue;
    const base::TextValue now(currentFieldDisplayView(field, forms::fieldKindOf(form, field), scratch));
    const support::ChildItems values = query.childrenAt(kKeyFieldLevel + 1, selection.keyFieldItems[k]);
    for (std::size_t i = 0; i < values.indexes.size(); ++i) {
      if (values.data[i] == recordId && values.texts[i] != now) stale.push_back({k, values.indexes[i], field, values.texts[i]});
    }
  }
  // From the last item up, so that the indices still to come stay valid.
  for (auto item = stale.rbegin(); item != stale.rend(); ++item) {
    const std::int32_t holder = otherRecordHolding(item->field, forms::fieldKindOf(form, item->field), item->value, recordId);
    if (holder != 0) {
      ui::TreeItem shown = tree.item(item->index);
      shown.data = holder;
      tree.setItem(item->index, shown);
    } else {
      removeValueItem(item->k, item->index);
    }
  }
  (void)recorddb::gotoRecordId(recordId);
}

std::int32_t ListWorkspace::otherRecordHolding(int field, std::int32_t kind, std::string_view value,
                                               std::int32_t recordId) {
  base::TextValue scratch;
  const int records = recorddb::recordCount();
  for (int record = 1; record <= records; ++record) {
    if (!recorddb::gotoRecord(record) || recorddb::currentRecordId() == recordId) continue;
    if (currentFieldDisplayView(field, kind, scratch) == value) return recorddb::currentRecordId();
  }
  return 0;
}

void ListWorkspace::removeValueItem(std::size_t k, int index) {
  ui::TreeView& tree = context_.tree;
  ListSelection& selection = context_.selection;
  const int keyItem = selection.keyFieldItems[k];
  // Removing the current item would leave nothing selected and close the page: the page shows the
  // key field's records instead.
  if (tree.currentItem() == index) tree.setCurrentItem(keyItem);
  selection.valueSets[k].erase(tree.item(index).text);
  tree.removeItem(index);
  for (int& later : selection.keyFieldItems) {
    if (later > index) --later;
  }
  if (selection.keyFieldItem > index) --selection.keyFieldItem;
}

void ListWorkspace::fileValue(std::size_t k, const base::TextValue& value, std::int32_t recordId) {
  ListSelection& selection = context_.selection;
  const int keyItem = selection.keyFieldItems[k];
  const int added = context_.tree.addItem(keyItem, makeTreeItem(value, kValueImage, recordId));
  // The new item sits at the end of its key field's subtree, before the later key fields.
  for (std::size_t later = k + 1; later < selection.keyFieldItems.size(); ++later) {
    if (selection.keyFieldItems[later] >= added) ++selection.keyFieldItems[later];
  }
  expand(keyItem);
}

void ListWorkspace::expand(int index) {
  ui::TreeItem item = context_.tree.item(index);
  if (item.expanded) return;
  item.expanded = true;
  context_.tree.setItem(index, item);
}

void ListWorkspace::clearSelectionQuietly() {
  if (context_.tree.currentItem() < 0) return;
  context_.selection.skipNextSelection = true;
  context_.tree.setCurrentItem(-1);
}

void ListWorkspace::rebuildValueItems() {
  ui::TreeView& tree = context_.tree;
  ListSelection& selection = context_.selection;
  const int previous = tree.currentItem();
  const base::TextValue previousText = tree.item(previous).text;
  clearSelectionQuietly();

  for (auto item = selection.keyFieldItems.rbegin(); item != selection.keyFieldItems.rend(); ++item) {
    tree.removeItem(*item);
  }
  selection.keyFieldItems.clear();
  for (const ui::TreeItem& keyItem : keyFieldTreeItems(context_.currentListForm.fields)) {
    selection.keyFieldItems.push_back(tree.addItem(selection.listItem, keyItem));
  }
  selection.valueSets.assign(selection.keyFieldItems.size(), {});
  const int records = recorddb::recordCount();
  for (int record = 1; record <= records; ++record) addRecordValues(record);

  if (previous >= 0 && previous < tree.itemCount()) {
    if (tree.item(previous).text != previousText) {
      selection.openListItem = kNoListOpenYet;
    } else {
      selection.skipNextSelection = true;
    }
  }
  tree.setCurrentItem(previous);
  saveListState(true);
}

}  // namespace lists
