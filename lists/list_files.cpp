#include "lists/list_files.h"

#include "base/number_text.h"
#include "platform/file_error.h"
#include "platform/paths.h"

namespace lists {
namespace {

bool isSeparator(char byte) { return byte == '\\' || byte == '/'; }

// Positions of the characters of `text` that are `wanted(byte)`, stepping over double-byte
// characters; the last one, or base::kNotFound.
template <typename Predicate>
std::size_t lastCharacter(std::string_view text, Predicate wanted) {
  std::size_t found = base::kNotFound;
  for (std::size_t position = 0; position < text.size(); position += base::characterSize(text, position)) {
    if (wanted(text[position])) found = position;
  }
  return found;
}

std::string_view fileNameOf(std::string_view path) {
  const std::size_t separator = lastCharacter(path, isSeparator);
  return separator == base::kNotFound ? path : path.substr(separator + 1);
}

std::size_t lastDot(std::string_view name) {
  return lastCharacter(name, [](char byte) { return byte == '.'; });
}

bool isDrive(std::string_view prefix) { return prefix.size() == 2 && prefix[1] == ':'; }

// Creates the folders of `folder` that are missing, from the outermost in.
void createFolders(const base::TextValue& folder) {
  for (std::size_t position = 0; position <= folder.size();) {
    const bool atEnd = position == folder.size();
    if (atEnd || isSeparator(folder[position])) {
      const base::TextValue prefix = folder.substr(0, position);
      if (!prefix.empty() && !isDrive(prefix) && !platform::isDirectory(prefix) &&
          platform::createDirectory(prefix) != platform::kFileOk) {
        return;
      }
      if (atEnd) return;
    }
    position += base::characterSize(folder, position);
  }
}

}  // namespace

base::TextValue uniqueFilePath(const base::TextValue& folder, const base::TextValue& fileName) {
  createFolders(folder);
  const std::string_view name = fileNameOf(fileName);
  const std::size_t dot = lastDot(name);
  const base::TextValue extension = dot == base::kNotFound ? base::TextValue() : base::TextValue(name.substr(dot));
  const base::TextValue base = fileBaseName(fileName);
  for (std::int64_t number = 0;; ++number) {
    const base::TextValue suffix = number == 0 ? base::TextValue() : base::formatInteger(number);
    const base::TextValue candidate = platform::joinPath(folder, base + suffix + extension);
    if (!platform::pathExists(candidate)) return candidate;
  }
}

base::TextValue fileBaseName(const base::TextValue& path) {
  const std::string_view name = fileNameOf(path);
  return base::TextValue(name.substr(0, lastDot(name)));
}

bool isUsableListName(const base::TextValue& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (std::size_t i = 0; i < name.size(); i += base::characterSize(name, i)) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c < 0x20 || base::TextValue("\\/:*?\"<>|").find(static_cast<char>(c)) != base::TextValue::npos) {
      return false;
    }
  }
  return true;
}

}  // namespace lists
