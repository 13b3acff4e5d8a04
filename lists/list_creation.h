#pragma once
// The pieces of a new list: its database beside the other lists, its form copy in the settings
// store, and the tree items that show it. The main window and gebu-cli make lists alike from them.

#include <optional>
#include <vector>

#include "forms/form_definition.h"
#include "settings/settings_store.h"
#include "ui/tree_view.h"

namespace lists {

// Images of tree items.
enum TreeImage : int { kListImage = 0, kKeyFieldImage = 1, kValueImage = 2 };

// Whether the form has more fields than a list's database can hold (recorddb::kMaxFieldCount).
bool hasTooManyFields(const forms::FormDefinition& form);
// What the user is told then: the form's field count and the most a list holds.
base::TextValue tooManyFieldsMessage(const forms::FormDefinition& form);

// Why no list can be made from the form, naming the field at fault: too many fields, a field with no
// name, a name too long or with characters a field name cannot have, a name used twice. Nothing
// when its fields can make a list's database.
std::optional<base::TextValue> listCreationProblem(const forms::FormDefinition& form);

// Creates the database of a new list made from `form` in the run folder's data folder, named after
// the form (F, F1, F2, ...). Returns the list's form copy (the form under the list's name), or
// nothing when the form cannot name a list, has too many fields, or no database could be made.
std::optional<forms::FormDefinition> createListDatabase(const base::TextValue& runDirectory,
                                                        const forms::FormDefinition& form);

// Writes a list's form copy into the settings section of list forms.
void writeListFormCopy(settings::SettingsStore& store, const forms::FormDefinition& listForm);

ui::TreeItem makeTreeItem(const base::TextValue& text, int image, std::int32_t data);

// The items under a list item: one per key field, in field order; the data is the field's
// 1-based number.
std::vector<ui::TreeItem> keyFieldTreeItems(const std::vector<forms::FieldDefinition>& fields);

// A new list's items, as the tree data file keeps them, at the end of `items`: the list item,
// expanded, then its key-field items below it.
void appendListTreeItems(std::vector<ui::TreeItemInfo>& items, const forms::FormDefinition& listForm);

}  // namespace lists
