#include "settings/ini_text.h"

namespace settings {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kEscapedLineBreak = "\xA9\xAE*\xA9\xAE";  // "┊*┊"

// Whether the line that starts at `lineStart` (just after a "\r\n") is a header line: "[" ... "]"
// followed by "\r\n".
bool isHeaderLine(std::string_view text, std::size_t lineStart) {
  if (lineStart >= text.size() || text[lineStart] != '[') return false;
  std::size_t lineEnd = text.find(kLineBreak, lineStart);
  return lineEnd != std::string_view::npos && lineEnd > lineStart + 1 && text[lineEnd - 1] == ']';
}

// Where the body of a section whose header ends at `headerEnd` stops: the "\r\n" before the next
// header line.
std::size_t sectionBodyEnd(std::string_view text, std::size_t headerEnd) {
  for (std::size_t at = text.find(kLineBreak, headerEnd); at != std::string_view::npos;
       at = text.find(kLineBreak, at + kLineBreak.size())) {
    if (isHeaderLine(text, at + kLineBreak.size())) return at;
  }
  return text.size();
}

}  // namespace

std::optional<SectionLocation> findSection(const std::string& text, std::string_view name,
                                           std::size_t from,
                                           const base::EventPump& beforeEachStep) {
  base::TextValue header = "[" + base::TextValue(name) + "]";
  for (std::size_t at = from; at <= text.size();) {
    if (beforeEachStep) (void)beforeEachStep();  // the search goes on whatever the events asked
    at = text.find(header, at);
    if (at == std::string_view::npos) return std::nullopt;
    if (at == 0 || (at >= 2 && text.substr(at - 2, 2) == kLineBreak)) {
      std::size_t headerEnd = at + header.size();
      return SectionLocation{headerEnd, sectionBodyEnd(text, headerEnd)};
    }
    ++at;
  }
  return std::nullopt;
}

std::optional<KeyLocation> findKey(std::string_view text, const SectionLocation& section,
                                   std::string_view key) {
  base::TextValue needle = base::TextValue(kLineBreak) + base::TextValue(key) + "=";
  // The match belongs to the section when no header line stands between: it starts at the latest
  // at the "\r\n" before the next header line, and may be that line itself ("[x=y]" is the key "[x").
  std::size_t at = text.find(needle, section.headerEnd);
  if (at == std::string_view::npos || at > section.bodyEnd) return std::nullopt;
  KeyLocation location;
  location.keyStart = at + kLineBreak.size();
  location.valueStart = at + needle.size();
  location.valueEnd = text.find(kLineBreak, location.valueStart);
  if (location.valueEnd == std::string_view::npos) location.valueEnd = text.size();
  return location;
}

base::TextValue escapeLineBreaks(std::string_view value) {
  // A byte search: "\r" is never the second byte of a GBK character, and a "\r\n" left in a value
  // would split its line.
  base::TextValue escaped;
  escaped.reserve(value.size());
  std::size_t start = 0;
  for (std::size_t at = value.find(kLineBreak); at != std::string_view::npos;
       at = value.find(kLineBreak, start)) {
    escaped.append(value.substr(start, at - start)).append(kEscapedLineBreak);
    start = at + kLineBreak.size();
  }
  escaped.append(value.substr(start));
  return escaped;
}

base::TextValue unescapeLineBreaks(std::string_view stored) {
  return base::replaceAll(stored, kEscapedLineBreak, kLineBreak);
}

}  // namespace settings
