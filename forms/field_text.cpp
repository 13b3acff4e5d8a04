#include "forms/field_text.h"

#include "base/number_text.h"

namespace forms {
namespace {

constexpr char kFieldSeparator[] = "||";
constexpr char kAttributeSeparator[] = "|";
constexpr std::int32_t kDefaultColumnWidth = 100;

FieldDefinition parseField(std::string_view record, int attributeCount) {
  const bool withWidth = attributeCount >= kListCopyAttributes;
  const std::size_t count = withWidth ? kListCopyAttributes : kLibraryAttributes;
  std::vector<base::TextValue> a = base::splitTextExactly(record, kAttributeSeparator, count);
  FieldDefinition field;
  field.name = a[0];
  field.kind = base::textToInteger(a[1]);
  field.length = base::textToInteger(a[2]);
  field.link = base::textToInteger(a[3]);
  field.key = base::isTrueText(a[4]);
  if (withWidth) {
    field.columnWidth = base::textToInteger(a[5]);
    if (field.columnWidth < 1) field.columnWidth = kDefaultColumnWidth;
  }
  return field;
}

}  // namespace

std::vector<FieldDefinition> parseFieldSpecText(std::string_view text, int attributeCount) {
  // A lead byte without its second byte at the very end is no character, and is dropped: written
  // back with a separator after it, it would take the separator for its second byte.
  std::size_t whole = 0;
  while (whole < text.size()) {
    const std::size_t size = base::characterSize(text, whole);
    if (size == 1 && base::isLeadByte(text[whole])) break;  // only at the end, where it stands alone
    whole += size;
  }
  text = text.substr(0, whole);
  std::vector<FieldDefinition> fields;
  for (const base::TextValue& record : base::splitText(text, kFieldSeparator)) {
    fields.push_back(parseField(record, attributeCount));
  }
  return fields;
}

base::TextValue formatFieldSpecText(const std::vector<FieldDefinition>& fields, int attributeCount) {
  base::TextValue text;
  for (const FieldDefinition& field : fields) {
    if (!text.empty()) text += kFieldSeparator;
    text += field.name;
    for (std::int32_t number : {field.kind, field.length, field.link}) {
      text += kAttributeSeparator + base::formatInteger(number);
    }
    text += kAttributeSeparator + base::logicalText(field.key);
    if (attributeCount >= kListCopyAttributes) {
      text += kAttributeSeparator + base::formatInteger(field.columnWidth);
    }
  }
  return text;
}

}  // namespace forms
