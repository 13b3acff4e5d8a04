#include "recorddb/db_paths.h"

#include "platform/paths.h"

namespace recorddb {
namespace {

// Where the file name starts: after the last separator (either kind on Windows).
std::size_t fileNameStart(const base::TextValue& path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i += base::characterSize(path, i)) {
    char c = path[i];
    if (c == platform::kPathSeparator || (platform::kPathSeparator == '\\' && c == '/')) start = i + 1;
  }
  return start;
}

// The position of the extension's "." in the file name, or npos.
std::size_t extensionDot(const base::TextValue& path) {
  std::size_t dot = base::kNotFound;
  for (std::size_t i = fileNameStart(path); i < path.size(); i += base::characterSize(path, i)) {
    if (path[i] == '.') dot = i;
  }
  return dot;
}

// Whether a single-byte character of `text` lies in first..last (a double-byte character's second
// byte may look like a letter).
bool hasCharacterIn(std::string_view text, char first, char last) {
  for (std::size_t i = 0; i < text.size(); i += base::characterSize(text, i)) {
    if (text[i] >= first && text[i] <= last) return true;
  }
  return false;
}

}  // namespace

base::TextValue databasePathFor(const base::TextValue& path) {
  std::size_t dot = extensionDot(path);
  if (dot == base::kNotFound) return path + ".EDB";
  if (dot + 1 == path.size()) return path + "EDB";
  return path;
}

base::TextValue auxiliaryPathFor(const base::TextValue& databasePath) {
  std::size_t dot = extensionDot(databasePath);
  if (dot == base::kNotFound) return databasePath + ".EDT";
  std::string_view extension = std::string_view(databasePath).substr(dot + 1);
  bool lowerCase = hasCharacterIn(extension, 'a', 'z') && !hasCharacterIn(extension, 'A', 'Z');
  return databasePath.substr(0, dot) + (lowerCase ? ".edt" : ".EDT");
}

base::TextValue fileTitleOf(const base::TextValue& path) {
  std::size_t start = fileNameStart(path);
  std::size_t dot = extensionDot(path);
  return path.substr(start, dot == base::kNotFound ? base::TextValue::npos : dot - start);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) { return base::equalsTextIgnoreCase(a, b); }

base::TextValue packMarkerPathFor(const base::TextValue& databasePath) { return databasePath + ".PACKING"; }

}  // namespace recorddb
