#pragma once
// File names of a database: the database file gets the extension "EDB" when it has none, and the
// auxiliary file is the same name with the extension "EDT", in the letter case of the database
// file's extension (a.edb and a.edt, B.EDB and B.EDT).

#include "base/text_value.h"

namespace recorddb {

// `path` with ".EDB" added when its file name has no extension ("EDB" when it ends in ".").
base::TextValue databasePathFor(const base::TextValue& path);

// The auxiliary file of a database file.
base::TextValue auxiliaryPathFor(const base::TextValue& databasePath);

// The marker a pack leaves beside the database file while records are moving: a database found
// with it may hold stale copies of moved records, which the next opening for writing removes.
base::TextValue packMarkerPathFor(const base::TextValue& databasePath);

// The file name without folder and extension.
base::TextValue fileTitleOf(const base::TextValue& path);

// Case-insensitive (ASCII letters) equality of two GBK texts.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace recorddb
