#include "settings/store_file.h"

namespace settings {

namespace {

// The whole content of the open `file`; false unless every byte was read.
bool readContent(platform::File& file, std::string& content) {
  std::uint64_t length = 0;
  if (file.length(length) != platform::kFileOk || length > content.max_size()) return false;
  content.resize(static_cast<std::size_t>(length));
  if (length == 0) return true;
  std::size_t bytesRead = 0;
  return file.readAt(0, content.data(), content.size(), bytesRead) == platform::kFileOk && bytesRead == length;
}

}  // namespace

std::unique_ptr<DiskStoreFile> DiskStoreFile::open(const base::TextValue& path, std::string& content) {
  content.clear();
  platform::File file;
  const int opened = file.open(path, platform::FileAccess::ReadWrite, platform::ShareMode::DenyWrite,
                               platform::OpenMode::OpenOrCreate);
  if (opened == platform::kFileOk && readContent(file, content)) {
    return std::unique_ptr<DiskStoreFile>(new DiskStoreFile(std::move(file)));
  }
  // Changes are written from the offset where memory changed: over content that was not read they
  // would destroy it. Without the whole content the file stays untouched and the store works on
  // whatever can be read.
  file.close();
  if (platform::readWholeFile(path, content) != platform::kFileOk) content.clear();
  return nullptr;
}

bool DiskStoreFile::replaceFrom(std::uint64_t offset, std::string_view tail) {
  if (!tail.empty() && file_.writeAt(offset, tail.data(), tail.size()) != platform::kFileOk) return false;
  return file_.setLength(offset + tail.size()) == platform::kFileOk;
}

}  // namespace settings
