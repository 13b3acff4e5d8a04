#include "grid/link_target.h"

#include "forms/composite_value.h"
#include "forms/field_kind.h"

namespace grid {

base::TextValue chatAddress(const base::TextValue& number) {
  return base::TextValue("http://") + kChatHost + "/msgrd?v=3&uin=" + number + "&site=qq&menu=yes";
}

base::TextValue linkTarget(std::int32_t fieldKind, const base::TextValue& storedValue) {
  const std::vector<base::TextValue> parts = forms::compositePieces(storedValue, 3);
  switch (static_cast<forms::FieldKind>(fieldKind)) {
    case forms::FieldKind::Link: return parts[1];
    case forms::FieldKind::FtpLink: return "FTP://" + parts[0] + ":" + parts[1] + "@" + parts[2];
    case forms::FieldKind::QqLink: return chatAddress(parts[1]);
    default: return {};
  }
}

}  // namespace grid
