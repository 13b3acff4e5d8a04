#pragma once
// The display text of a stored field value: what the record grid shows in a cell and what the tree
// of lists files as a key field's value. The one place of this rule.

#include <cstdint>
#include <string_view>

#include "base/text_value.h"
#include "recorddb/field_value.h"

namespace lists {

// The value as text by its value kind: texts as stored, integers in decimal, single floats "%.6g",
// double floats "%.13g", logical values "真"/"假", date-times as "2017年12月10日" followed by the
// time of day down to its smallest non-zero part (the empty date as nothing); no value gives the
// empty text.
base::TextValue valueText(recorddb::FieldValue value);

// valueText, then shaped by the field kind (a forms::FieldKind code): links and QQ links show the
// title before "||"; FTP links "user||password||server" show server(user), the server alone when
// there is no user, nothing when there is no server.
base::TextValue displayText(recorddb::FieldValue value, std::int32_t fieldKind);

// displayText of field `fieldNumber` (from 1) of the current record of the current database, as
// the engine's readField gives it (a failed read leaves its error in recorddb::lastError()).
base::TextValue currentFieldDisplayText(int fieldNumber, std::int32_t fieldKind);

// The same without copying the stored text where it can be helped (a page of records shows every
// field of every record): a view into the engine's record bytes or into `scratch`, valid until the
// next operation of the engine or the next use of `scratch`.
std::string_view currentFieldDisplayView(int fieldNumber, std::int32_t fieldKind, base::TextValue& scratch);

}  // namespace lists
