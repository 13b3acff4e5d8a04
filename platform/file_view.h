#pragma once
// A read-only view of the start of an open file, mapped into memory. It shows the file's current
// bytes, also those the process writes through the File afterwards. The file must not be cut
// shorter than the view while it is mapped.

#include <cstdint>

#include "platform/file.h"

namespace platform {

class FileView {
 public:
  FileView() = default;
  ~FileView() { unmap(); }
  FileView(FileView&& other) noexcept;
  FileView& operator=(FileView&& other) noexcept;
  FileView(const FileView&) = delete;
  FileView& operator=(const FileView&) = delete;

  // Maps the first `length` bytes of `file` (unmapping a previous view). 0 or a FileError; the
  // view is empty after a failure (for example when the address space has no room).
  [[nodiscard]] int map(const File& file, std::uint64_t length);
  void unmap();

  const char* data() const { return data_; }
  std::uint64_t size() const { return size_; }

 private:
  const char* data_ = nullptr;
  std::uint64_t size_ = 0;
  std::intptr_t mapping_ = 0;  // the Windows mapping object; unused elsewhere
};

}  // namespace platform
