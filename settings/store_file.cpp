#include "settings/store_file.h"

namespace settings {

std::unique_ptr<DiskStoreFile> DiskStoreFile::open(const base::TextValue& path, std::string& content) {
  content.clear();
  platform::File file;
  if (file.open(path, platform::FileAccess::ReadWrite, platform::ShareMode::DenyWrite,
                platform::OpenMode::OpenOrCreate) != platform::kFileOk) {
    if (platform::readWholeFile(path, content) != platform::kFileOk) content.clear();
    return nullptr;
  }
  std::uint64_t length = 0;
  if (file.length(length) == platform::kFileOk && length > 0) {
    content.resize(static_cast<std::size_t>(length));
    std::size_t bytesRead = 0;
    if (file.readAt(0, content.data(), content.size(), bytesRead) != platform::kFileOk) bytesRead = 0;
    content.resize(bytesRead);
  }
  return std::unique_ptr<DiskStoreFile>(new DiskStoreFile(std::move(file)));
}

bool DiskStoreFile::replaceFrom(std::uint64_t offset, std::string_view tail) {
  if (!tail.empty() && file_.writeAt(offset, tail.data(), tail.size()) != platform::kFileOk) return false;
  return file_.setLength(offset + tail.size()) == platform::kFileOk;
}

}  // namespace settings
