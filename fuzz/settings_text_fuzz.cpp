// The settings text: sections and keys are searched in any text without a crash, and a location
// found lies inside the text; storing and reading back a value's line breaks never crashes (a value
// holding the stored form of a line break itself reads back as a line break, as the file keeps it).

#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/ini_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first bytes up to a NUL are the section name, the next up to a NUL the key, the rest the text.
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t first = input.find('\0');
  const std::size_t second = first == std::string_view::npos ? first : input.find('\0', first + 1);
  if (second == std::string_view::npos) return 0;
  const std::string_view name = input.substr(0, first);
  const std::string_view key = input.substr(first + 1, second - first - 1);
  const std::string text(input.substr(second + 1));
  for (std::size_t from = 0; from <= text.size();) {
    const std::optional<settings::SectionLocation> section = settings::findSection(text, name, from);
    if (!section) break;
    if (section->headerEnd > section->bodyEnd || section->bodyEnd > text.size()) std::abort();
    if (const auto found = settings::findKey(text, *section, key)) {
      if (found->valueStart > found->valueEnd || found->valueEnd > text.size()) std::abort();
    }
    from = section->headerEnd;
  }
  (void)settings::unescapeLineBreaks(settings::escapeLineBreaks(text));
  return 0;
}
