#pragma once
// The settings file on disk as the store sees it: a byte sequence whose tail is rewritten from the
// offset where the memory copy changed.

#include <cstdint>
#include <memory>
#include <string_view>

#include "base/text_value.h"
#include "platform/file.h"

namespace settings {

class StoreFile {
 public:
  virtual ~StoreFile() = default;
  // Makes the file's bytes from `offset` on equal to `tail` (and the file end right after it).
  virtual bool replaceFrom(std::uint64_t offset, std::string_view tail) = 0;
};

// The real file, open for reading and writing with other writers denied.
class DiskStoreFile final : public StoreFile {
 public:
  // Opens (creating, never truncating) `path`; `content` receives its bytes. Null when it cannot be
  // opened or its whole content cannot be read (`content` then holds what a plain read gives).
  static std::unique_ptr<DiskStoreFile> open(const base::TextValue& path, std::string& content);

  bool replaceFrom(std::uint64_t offset, std::string_view tail) override;

 private:
  explicit DiskStoreFile(platform::File file) : file_(std::move(file)) {}
  platform::File file_;
};

}  // namespace settings
