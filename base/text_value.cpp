#include "base/text_value.h"

#include <algorithm>

namespace base {
namespace {

char foldAsciiLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether `needle` stands at `position` (a character boundary) of `text`, single-byte characters
// compared with ASCII letters folded and double-byte characters compared byte for byte (their second
// byte may look like a letter). A lead byte at the end of either text is compared as is.
bool matchesIgnoringCaseAt(std::string_view text, std::size_t position, std::string_view needle) {
  if (text.size() - position < needle.size()) return false;
  const char* at = text.data() + position;
  for (std::size_t i = 0; i < needle.size(); ++i) {
    const char a = at[i];
    const char b = needle[i];
    if (isLeadByte(a)) {
      if (a != b) return false;
      if (++i < needle.size() && at[i] != needle[i]) return false;
    } else if (foldAsciiLetter(a) != foldAsciiLetter(b)) {
      return false;
    }
  }
  return true;
}

// The first occurrence of `needle` at a character boundary from `from` (itself a boundary): the
// byte search finds candidates, and walking the characters up to each tells whether it starts a
// character (a double-byte character's second byte may look like ASCII).
std::size_t findExact(std::string_view text, std::string_view needle, std::size_t from) {
  std::size_t boundary = from;
  while (true) {
    const std::size_t candidate = text.find(needle, boundary);
    if (candidate == std::string_view::npos) return kNotFound;
    while (boundary < candidate) boundary += characterSize(text, boundary);
    if (boundary == candidate) return candidate;
  }
}

std::size_t find(std::string_view text, std::string_view needle, std::size_t from, bool ignoreCase) {
  if (needle.empty()) return from <= text.size() ? from : kNotFound;
  if (!ignoreCase) return from < text.size() ? findExact(text, needle, from) : kNotFound;
  if (needle.size() > text.size()) return kNotFound;
  const std::size_t lastStart = text.size() - needle.size();
  for (std::size_t i = from; i <= lastStart; i += characterSize(text, i)) {
    if (matchesIgnoringCaseAt(text, i, needle)) return i;
  }
  return kNotFound;
}

}  // namespace

std::size_t characterSize(std::string_view text, std::size_t position) {
  return isLeadByte(text[position]) && position + 1 < text.size() ? 2 : 1;
}

std::size_t findText(std::string_view text, std::string_view needle, std::size_t from) {
  return find(text, needle, from, false);
}

std::size_t findTextIgnoreCase(std::string_view text, std::string_view needle, std::size_t from) {
  return find(text, needle, from, true);
}

bool equalsTextIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && matchesIgnoringCaseAt(a, 0, b);
}

bool startsWithTextIgnoreCase(std::string_view text, std::string_view prefix) {
  return matchesIgnoringCaseAt(text, 0, prefix);
}

std::vector<TextValue> splitText(std::string_view text, std::string_view separator) {
  std::vector<TextValue> pieces;
  if (text.empty()) return pieces;
  std::size_t start = 0;
  if (!separator.empty()) {
    for (std::size_t at = findText(text, separator); at != kNotFound;
         at = findText(text, separator, start)) {
      pieces.emplace_back(text.substr(start, at - start));
      start = at + separator.size();
    }
  }
  if (start < text.size()) pieces.emplace_back(text.substr(start));
  return pieces;
}

std::vector<TextValue> splitTextExactly(std::string_view text, std::string_view separator,
                                        std::size_t count) {
  std::vector<TextValue> pieces = splitText(text, separator);
  pieces.resize(count);
  return pieces;
}

TextValue replaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return TextValue(text);
  TextValue result;
  result.reserve(text.size());
  std::size_t start = 0;
  for (std::size_t at = findText(text, from); at != kNotFound; at = findText(text, from, start)) {
    result.append(text.substr(start, at - start));
    result.append(to);
    start = at + from.size();
  }
  result.append(text.substr(start));
  return result;
}

namespace {

// Byte length of the character at `position` when "\r\n" counts as one character.
std::size_t countedCharacterSize(std::string_view text, std::size_t position) {
  if (text[position] == '\r' && position + 1 < text.size() && text[position + 1] == '\n') return 2;
  return characterSize(text, position);
}

}  // namespace

std::size_t countCharacters(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); i += countedCharacterSize(text, i)) ++count;
  return count;
}

TextValue cutToCharacters(std::string_view text, std::size_t count) {
  std::size_t end = 0;
  for (std::size_t n = 0; n < count && end < text.size(); ++n) end += countedCharacterSize(text, end);
  return TextValue(text.substr(0, end));
}

TextValue cutToBytes(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return TextValue(text);
  std::size_t end = 0;
  while (end < text.size()) {
    std::size_t next = end + characterSize(text, end);
    if (next > maxBytes) break;
    end = next;
  }
  return TextValue(text.substr(0, end));
}

bool isAscii(std::string_view text) {
  return std::none_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

TextValue foldFullWidth(std::string_view text) {
  TextValue folded;
  folded.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t size = characterSize(text, i);
    if (size == 2) {
      auto lead = static_cast<unsigned char>(text[i]);
      auto trail = static_cast<unsigned char>(text[i + 1]);
      if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
        folded.push_back(static_cast<char>(trail & 0x7F));
      } else if (lead == 0xA1 && trail == 0xA1) {
        folded.push_back(' ');
      } else if (lead == 0xA1 && trail == 0xAB) {
        folded.push_back('~');
      } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
        folded.push_back('*');
      } else {
        folded.append(text.substr(i, 2));
      }
    } else {
      folded.push_back(text[i]);
    }
    i += size;
  }
  return folded;
}

}  // namespace base
