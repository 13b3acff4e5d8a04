#pragma once
// Files and folders held in memory, with a complete file operations table over them: put it in use
// with ScopedFileOperations and every File, path operation and whole-file helper of platform/ works
// on these files instead of the disk. They behave as the POSIX platform's own: share modes between
// handles as Windows has them, exclusive byte-range locks between handles, short reads at the end,
// files that grow with a write or setLength (the gap reads as zeros), the same error codes; a file
// deleted or replaced while open stays readable through the handles that have it open.
//
// Paths are compared exactly as the table receives them (the callers' full paths); the folder of a
// file must exist. The empty path's folder (the current folder) and drive names ("C:") always
// exist; every other folder is made by createDirectory or put.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/text_value.h"
#include "platform/file_operations.h"

namespace platform {

class MemoryFiles {
 public:
  MemoryFiles();
  ~MemoryFiles();
  MemoryFiles(const MemoryFiles&) = delete;
  MemoryFiles& operator=(const MemoryFiles&) = delete;

  // The table over these files; it refers to this object and must not outlive it.
  FileOperations operations();

  // Makes `path` a file holding `bytes` (replacing a file there), and the folders above it.
  void put(const base::TextValue& path, std::string_view bytes);
  // The bytes of the file `path`; nothing when there is no such file.
  std::optional<std::string> bytes(const base::TextValue& path) const;
  // Removes every file and folder. Handles still open keep their files until they are closed.
  void clear();
  // How many handles are open.
  std::size_t openHandles() const;
  // No file grows beyond `bytes`: a write or setLength past it fails with kFileDiskFull (1 GiB
  // unless set).
  void setSizeLimit(std::uint64_t bytes);

 private:
  class Store;
  std::unique_ptr<Store> store_;
};

}  // namespace platform
