#include "lists/field_display_text.h"

#include "base/date_time.h"
#include "base/number_text.h"
#include "forms/field_kind.h"
#include "recorddb/record_database.h"

namespace lists {
namespace {

constexpr char kPieceSeparator[] = "||";

base::TextValue ftpLinkText(const base::TextValue& text) {
  const std::vector<base::TextValue> parts = base::splitTextExactly(text, kPieceSeparator, 3);
  const base::TextValue& user = parts[0];
  const base::TextValue& server = parts[2];
  if (server.empty()) return {};
  if (user.empty()) return server;
  return server + "(" + user + ")";
}

}  // namespace

base::TextValue valueText(recorddb::FieldValue value) {
  using recorddb::ValueKind;
  switch (value.kind()) {
    case ValueKind::Empty:
      return {};
    case ValueKind::Byte:
    case ValueKind::Short:
    case ValueKind::Integer:
    case ValueKind::Long:
    case ValueKind::Subroutine:
      return base::formatInteger(value.asInteger());
    case ValueKind::Single:
      return base::formatSingle(static_cast<float>(value.asReal()));
    case ValueKind::Double:
      return base::formatDouble(value.asReal());
    case ValueKind::Logical:
      return base::logicalText(value.asLogical());
    case ValueKind::DateTime:
      return base::dateTimeText(value.asReal());
    case ValueKind::Text:
    case ValueKind::Bytes:
      return value.takeText();
  }
  return {};
}

base::TextValue displayText(recorddb::FieldValue value, std::int32_t fieldKind) {
  base::TextValue text = valueText(std::move(value));
  switch (forms::fieldKindInfo(fieldKind).display) {
    case forms::DisplayRule::FirstPiece:
      if (const std::size_t separator = base::findText(text, kPieceSeparator); separator != base::kNotFound) {
        text.resize(separator);
      }
      return text;
    case forms::DisplayRule::ServerAndUser:
      return ftpLinkText(text);
    case forms::DisplayRule::AsStored:
      break;
  }
  return text;
}

base::TextValue currentFieldDisplayText(int fieldNumber, std::int32_t fieldKind) {
  return displayText(recorddb::readField(fieldNumber), fieldKind);
}

}  // namespace lists
