#pragma once
// Finding sections and keys in the settings text: GBK lines separated by "\r\n", section headers
// "[name]" at the start of the text or of a line, key lines "key=value".

#include <cstddef>
#include <optional>
#include <string_view>

#include "base/event_pump.h"
#include "base/text_value.h"

namespace settings {

struct SectionLocation {
  std::size_t headerEnd;  // just after the header's "]"
  std::size_t bodyEnd;    // where the next header line starts (its "\r\n"), or the text's end
};

struct KeyLocation {
  std::size_t keyStart;    // first byte of the key
  std::size_t valueStart;  // just after "="
  std::size_t valueEnd;    // at the "\r\n" that ends the line, or the text's end
};

// The first header "[name]" standing at the start of `text` or right after "\r\n", searching from
// `from`. `beforeEachStep` runs before every search step (the UI lets pending events run there).
// `text` is read afresh after every step, since the events run there may change it.
std::optional<SectionLocation> findSection(const std::string& text, std::string_view name,
                                           std::size_t from = 0,
                                           const base::EventPump& beforeEachStep = {});

// The first line "key=..." inside the section's body; a key line that reads like a header ("[x=y]")
// and so ends the body is found too.
std::optional<KeyLocation> findKey(std::string_view text, const SectionLocation& section,
                                   std::string_view key);

// Line breaks inside values are stored as the GBK text "┊*┊".
base::TextValue escapeLineBreaks(std::string_view value);
base::TextValue unescapeLineBreaks(std::string_view stored);

}  // namespace settings
