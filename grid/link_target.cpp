#include "grid/link_target.h"

#include "forms/composite_value.h"
#include "forms/field_kind.h"

namespace grid {
namespace {

constexpr char kMaskedPassword[] = "****";

}  // namespace

base::TextValue chatAddress(const base::TextValue& host, const base::TextValue& number) {
  return "http://" + host + "/msgrd?v=3&uin=" + number + "&site=qq&menu=yes";
}

base::TextValue linkTarget(std::int32_t fieldKind, const base::TextValue& storedValue,
                           const LinkTargetOptions& options) {
  const std::vector<base::TextValue> parts = forms::compositePieces(storedValue, 3);
  switch (static_cast<forms::FieldKind>(fieldKind)) {
    case forms::FieldKind::Link: return parts[1];
    case forms::FieldKind::FtpLink: {
      const bool masked = options.password == Password::Masked && !parts[1].empty();
      return "FTP://" + parts[0] + ":" + (masked ? base::TextValue(kMaskedPassword) : parts[1]) + "@" + parts[2];
    }
    case forms::FieldKind::QqLink: return chatAddress(options.chatHost, parts[1]);
    default: return {};
  }
}

}  // namespace grid
