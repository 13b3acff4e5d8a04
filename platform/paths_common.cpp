// The path operations that are plain text work, the same on every platform.

#include "platform/paths.h"

namespace platform {
namespace {

// Windows also takes "/" between folders.
bool isSeparator(char byte) { return byte == kPathSeparator || byte == '/'; }

// Position of the last separator that is a character of its own (the second byte of a GBK
// character may equal "\"), or base::kNotFound.
std::size_t lastSeparator(const base::TextValue& path) {
  std::size_t found = base::kNotFound;
  for (std::size_t position = 0; position < path.size(); position += base::characterSize(path, position)) {
    if (isSeparator(path[position])) found = position;
  }
  return found;
}

}  // namespace

base::TextValue joinPath(const base::TextValue& directory, const base::TextValue& name) {
  if (directory.empty()) return name;
  std::size_t separator = lastSeparator(directory);
  bool endsWithSeparator = separator != base::kNotFound && separator + 1 == directory.size();
  return endsWithSeparator ? directory + name : directory + kPathSeparator + name;
}

base::TextValue parentDirectory(const base::TextValue& path) {
  std::size_t separator = lastSeparator(path);
  return separator == base::kNotFound ? base::TextValue() : path.substr(0, separator);
}

base::TextValue runDirectory() { return parentDirectory(executablePath()); }

}  // namespace platform
