#include "forms/form_definition.h"

#include <utility>

namespace forms {

DatabaseColumn databaseColumnFor(const FieldDefinition& field) {
  const FieldKindInfo info = fieldKindInfo(field.kind);
  const bool remapped = isKnownFieldKind(field.kind) && info.columnType != 0;
  return DatabaseColumn{field.name, remapped ? info.columnType : field.kind,
                        remapped ? info.columnLength : field.length};
}

std::int32_t fieldKindOf(const FormDefinition& form, int fieldNumber) {
  if (fieldNumber < 1 || static_cast<std::size_t>(fieldNumber) > form.fields.size()) {
    return static_cast<std::int32_t>(FieldKind::Text);
  }
  return form.fields[static_cast<std::size_t>(fieldNumber - 1)].kind;
}

void swapFields(std::vector<FieldDefinition>& fields, std::size_t first, std::size_t second) {
  if (first >= fields.size() || second >= fields.size() || first == second) return;
  const auto firstNumber = static_cast<std::int32_t>(first + 1);
  const auto secondNumber = static_cast<std::int32_t>(second + 1);
  for (FieldDefinition& field : fields) {
    if (field.link == firstNumber) {
      field.link = secondNumber;
    } else if (field.link == secondNumber) {
      field.link = firstNumber;
    }
  }
  std::swap(fields[first], fields[second]);
}

void removeField(std::vector<FieldDefinition>& fields, std::size_t index) {
  if (index >= fields.size()) return;
  const auto removedNumber = static_cast<std::int32_t>(index + 1);
  fields.erase(fields.begin() + static_cast<std::ptrdiff_t>(index));
  for (FieldDefinition& field : fields) {
    if (field.link == removedNumber) {
      field.link = -1;
    } else if (field.link > removedNumber) {
      --field.link;
    }
  }
}

}  // namespace forms
