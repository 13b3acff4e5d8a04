#include "windows/field_control_tag.h"

#include <vector>

#include "base/number_text.h"

namespace windows {
namespace {

constexpr char kNamePrefix[] = "字段_名称_";
constexpr char kValuePrefix[] = "字段_内容_";
constexpr char kPartSeparator[] = "_";
constexpr char kSlotPrefix[] = "值";

base::TextValue slotText(int slot) { return kSlotPrefix + base::formatInteger(slot); }

}  // namespace

base::TextValue nameLabelTag(int field) { return kNamePrefix + base::formatInteger(field); }

base::TextValue valueBoxTag(const ValueBoxTag& tag) {
  return kValuePrefix + base::formatInteger(tag.field) + kPartSeparator + base::formatInteger(tag.kind) +
         kPartSeparator + slotText(tag.slot);
}

base::TextValue keyButtonTag(const KeyButtonTag& tag) {
  return kValuePrefix + base::formatInteger(tag.keyOrdinal) + kPartSeparator + base::formatInteger(tag.field);
}

std::optional<ValueBoxTag> parseValueBoxTag(std::string_view tag) {
  // Split as the pieces of a text are: an empty last part does not count.
  const std::vector<base::TextValue> parts = base::splitText(tag, kPartSeparator);
  if (parts.size() != 5) return std::nullopt;
  ValueBoxTag parsed;
  parsed.field = base::textToInteger(parts[2]);
  parsed.kind = base::textToInteger(parts[3]);
  parsed.slot = parts[4] == slotText(1) ? 1 : parts[4] == slotText(2) ? 2 : 3;
  return parsed;
}

KeyButtonTag parseKeyButtonTag(std::string_view tag) {
  const std::vector<base::TextValue> parts = base::splitTextExactly(tag, kPartSeparator, 4);
  return {base::textToInteger(parts[2]), base::textToInteger(parts[3])};
}

}  // namespace windows
