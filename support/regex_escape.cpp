// The escaping operations of RegexHelper.

#include "support/regex_helper.h"

namespace support {

namespace {

// Puts a backslash before every occurrence of each character, in the order given (the backslash
// comes first, so the backslashes added later are not doubled). Only whole characters are matched:
// the second byte of a double-byte character is left alone.
base::TextValue escapeEach(std::string_view text, std::string_view characters) {
  base::TextValue escaped(text);
  for (char c : characters) {
    const char plain[] = {c, '\0'};
    const char backslashed[] = {'\\', c, '\0'};
    escaped = base::replaceAll(escaped, plain, backslashed);
  }
  return escaped;
}

}  // namespace

base::TextValue RegexHelper::wildcardToPattern(std::string_view text) {
  base::TextValue pattern = escapeEach(text, "\\^$+.{}[]=()-\"");
  pattern = base::replaceAll(pattern, "*", ".*");
  return base::replaceAll(pattern, "?", ".?");
}

base::TextValue RegexHelper::escapeAll(std::string_view text) { return escapeEach(text, "\\^$+.{}[]=()?*|\""); }

base::TextValue RegexHelper::escapeNoBar(std::string_view text) { return escapeEach(text, "\\^$+.{}[]=()?*\""); }

base::TextValue RegexHelper::escapeNoGroups(std::string_view text) { return escapeEach(text, "\\^$+.{}[]=?*\""); }

}  // namespace support
