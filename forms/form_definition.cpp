#include "forms/form_definition.h"

namespace forms {

DatabaseColumn databaseColumnFor(const FieldDefinition& field) {
  const FieldKindInfo info = fieldKindInfo(field.kind);
  const bool remapped = isKnownFieldKind(field.kind) && info.columnType != 0;
  return DatabaseColumn{field.name, remapped ? info.columnType : field.kind,
                        remapped ? info.columnLength : field.length};
}

}  // namespace forms
