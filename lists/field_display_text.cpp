#include "lists/field_display_text.h"

#include "base/date_time.h"
#include "base/number_text.h"
#include "forms/composite_value.h"
#include "forms/field_kind.h"
#include "recorddb/record_database.h"

namespace lists {
namespace {

// Piece `index` (from 0) of the text cut at every separator; empty when there are fewer pieces.
std::string_view pieceOf(std::string_view text, std::size_t index) {
  const std::string_view separator = forms::kPieceSeparator;
  std::size_t start = 0;
  for (std::size_t i = 0; i < index; ++i) {
    const std::size_t at = base::findText(text, separator, start);
    if (at == base::kNotFound) return {};
    start = at + separator.size();
  }
  const std::size_t end = base::findText(text, separator, start);
  return text.substr(start, end == base::kNotFound ? std::string_view::npos : end - start);
}

base::TextValue ftpLinkText(std::string_view text) {
  const std::string_view user = pieceOf(text, 0);
  const std::string_view server = pieceOf(text, 2);
  base::TextValue shown(server);
  if (server.empty() || user.empty()) return shown;
  shown.reserve(server.size() + user.size() + 2);
  return shown.append("(").append(user).append(")");
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
      // The engine's "no date" (and what clamps to it) shows as nothing.
      if (base::clampDateTime(value.asReal()) == base::kEmptyDateTime) return {};
      return base::dateTimeText(value.asReal());
    case ValueKind::Text:
    case ValueKind::Bytes:
      return value.takeText();
  }
  return {};
}

// The display text of a value's text by the field kind's rule: a part of `text`, or `scratch`.
std::string_view shownPart(std::string_view text, std::int32_t fieldKind, base::TextValue& scratch) {
  switch (forms::fieldKindInfo(fieldKind).display) {
    case forms::DisplayRule::FirstPiece:
      return text.substr(0, base::findText(text, forms::kPieceSeparator));
    case forms::DisplayRule::ServerAndUser:
      scratch = ftpLinkText(text);
      return scratch;
    case forms::DisplayRule::AsStored:
      break;
  }
  return text;
}

base::TextValue displayText(recorddb::FieldValue value, std::int32_t fieldKind) {
  base::TextValue text = valueText(std::move(value));
  base::TextValue scratch;
  const std::string_view shown = shownPart(text, fieldKind, scratch);
  if (shown.data() != text.data()) return scratch;
  text.resize(shown.size());  // a beginning of the text itself
  return text;
}

base::TextValue currentFieldDisplayText(int fieldNumber, std::int32_t fieldKind) {
  return displayText(recorddb::readField(fieldNumber), fieldKind);
}

std::string_view currentFieldDisplayView(int fieldNumber, std::int32_t fieldKind, base::TextValue& scratch) {
  if (const std::optional<std::string_view> stored = recorddb::readTextView(fieldNumber)) {
    return shownPart(*stored, fieldKind, scratch);
  }
  scratch = currentFieldDisplayText(fieldNumber, fieldKind);  // other types, and failed reads
  return scratch;
}

}  // namespace lists
