#pragma once
// The text form of a field list: fields joined by "||", a field's attributes by "|" in the order
// name, kind, length, link, key ("真"/"假") and, in a list's own copy, column width.
// Example: "平台|10|10|0|真||域名|10|30|0|假".

#include <vector>

#include "base/text_value.h"
#include "forms/form_definition.h"

namespace forms {

// Attribute counts: forms of the library store five, a list's copy six.
inline constexpr int kLibraryAttributes = 5;
inline constexpr int kListCopyAttributes = 6;

// Never fails: missing attributes read as empty, numbers that are not numbers as 0, any key text
// but "真" as false. With six attributes a column width below 1 becomes 100; with five it is 0.
std::vector<FieldDefinition> parseFieldSpecText(std::string_view text, int attributeCount);

base::TextValue formatFieldSpecText(const std::vector<FieldDefinition>& fields, int attributeCount);

}  // namespace forms
