#pragma once
// Opening and closing a list's database in the record database's registry.

#include "base/text_value.h"

namespace lists {

// Makes the database of list `listName` the current one, opening it (read shared, writes denied to
// other processes) when it is not open yet. A list name the registry does not take as an alias is
// opened without one; the registry then finds it by its file title, which is the list name.
bool openListDatabase(const base::TextValue& runDirectory, const base::TextValue& listName);
// Closes the list's database when it is open.
void closeListDatabase(const base::TextValue& runDirectory, const base::TextValue& listName);

}  // namespace lists
