// Reading and writing a whole file in one call.

#include "platform/file.h"

namespace platform {

int readWholeFile(const base::TextValue& path, std::string& content) {
  content.clear();
  File file;
  int result = file.open(path, FileAccess::Read, ShareMode::DenyNone, OpenMode::OpenExisting);
  std::uint64_t size = 0;
  if (result == kFileOk) result = file.length(size);
  if (result != kFileOk) return result;
  if (size > content.max_size()) return kFileUnspecified;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  std::size_t bytesRead = 0;
  if (size > 0) result = file.readAt(0, bytes.data(), bytes.size(), bytesRead);
  if (result != kFileOk && result != kFileEndOfFile) return result;
  bytes.resize(bytesRead);  // the file may have shrunk since its length was taken
  content = std::move(bytes);
  return kFileOk;
}

int writeWholeFile(const base::TextValue& path, std::string_view content) {
  File file;
  int result = file.open(path, FileAccess::Write, ShareMode::DenyWrite, OpenMode::CreateAlways);
  if (result == kFileOk) result = file.writeAt(0, content.data(), content.size());
  return result;
}

}  // namespace platform
