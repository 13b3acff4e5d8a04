#include "lists/list_creation.h"

#include "base/number_text.h"
#include "forms/field_text.h"
#include "lists/list_files.h"
#include "lists/run_folder.h"
#include "recorddb/record_database.h"

namespace lists {

bool hasTooManyFields(const forms::FormDefinition& form) {
  return form.fields.size() > static_cast<std::size_t>(recorddb::kMaxFieldCount);
}

base::TextValue tooManyFieldsMessage(const forms::FormDefinition& form) {
  return "新建列表失败，表单的字段太多（" + base::formatInteger(static_cast<std::int64_t>(form.fields.size())) +
         " 个），一个列表最多只能有 " + base::formatInteger(recorddb::kMaxFieldCount) + " 个字段！";
}

std::optional<base::TextValue> listCreationProblem(const forms::FormDefinition& form) {
  if (hasTooManyFields(form)) return tooManyFieldsMessage(form);
  const auto number = [](std::size_t i) { return base::formatInteger(static_cast<std::int64_t>(i + 1)); };
  for (std::size_t i = 0; i < form.fields.size(); ++i) {
    const base::TextValue& name = form.fields[i].name;
    const base::TextValue field = "新建列表失败，第 " + number(i) + " 个字段“" + name + "”";
    switch (recorddb::fieldNameFault(name)) {
      case recorddb::FieldNameFault::Empty: return "新建列表失败，第 " + number(i) + " 个字段没有名字！";
      case recorddb::FieldNameFault::TooLong:
        return field + "的名字太长：字段名最多 " + base::formatInteger(static_cast<std::int64_t>(recorddb::kMaxFieldNameBytes)) + " 个字节（" +
               base::formatInteger(static_cast<std::int64_t>(recorddb::kMaxFieldNameBytes / 2)) + " 个汉字），它有 " +
               base::formatInteger(static_cast<std::int64_t>(name.size())) + " 个字节！";
      case recorddb::FieldNameFault::BadCharacter:
        return field + "的名字里有不能用的字符：字段名只能由汉字、字母、数字和下划线组成，而且不能以数字开头！";
      case recorddb::FieldNameFault::None: break;
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (recorddb::sameFieldName(form.fields[j].name, name)) {
        return field + "和第 " + number(j) + " 个字段重名（字母不分大小写）！";
      }
    }
  }
  return std::nullopt;
}

std::optional<forms::FormDefinition> createListDatabase(const base::TextValue& runDirectory,
                                                        const forms::FormDefinition& form) {
  if (!isUsableListName(form.name) || listCreationProblem(form)) return std::nullopt;
  const base::TextValue path = uniqueFilePath(dataFolder(runDirectory), form.name + kListDatabaseExtension);
  std::vector<recorddb::FieldSpec> columns;
  for (const forms::FieldDefinition& field : form.fields) {
    const forms::DatabaseColumn column = forms::databaseColumnFor(field);
    columns.push_back({column.name, column.type, column.length});
  }
  if (!recorddb::createDatabase(path, columns)) return std::nullopt;
  forms::FormDefinition copy = form;
  copy.name = fileBaseName(path);
  return copy;
}

void writeListFormCopy(settings::SettingsStore& store, const forms::FormDefinition& listForm) {
  store.selectSection(kListFormsSection);
  store.writeText(listForm.name, forms::formatFieldSpecText(listForm.fields, forms::kListCopyAttributes));
}

ui::TreeItem makeTreeItem(const base::TextValue& text, int image, std::int32_t data) {
  ui::TreeItem item;
  item.text = text;
  item.image = image;
  item.selectedImage = image;
  item.data = data;
  return item;
}

std::vector<ui::TreeItem> keyFieldTreeItems(const std::vector<forms::FieldDefinition>& fields) {
  std::vector<ui::TreeItem> items;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].key) items.push_back(makeTreeItem(fields[i].name, kKeyFieldImage, static_cast<std::int32_t>(i + 1)));
  }
  return items;
}

void appendListTreeItems(std::vector<ui::TreeItemInfo>& items, const forms::FormDefinition& listForm) {
  ui::TreeItem listItem = makeTreeItem(listForm.name, kListImage, 0);
  listItem.expanded = true;
  const int listIndex = static_cast<int>(items.size());
  items.push_back({listItem, 1, -1});
  for (const ui::TreeItem& keyItem : keyFieldTreeItems(listForm.fields)) items.push_back({keyItem, 2, listIndex});
}

}  // namespace lists
