#pragma once
// The one table through which every file operation of platform/ goes: File's open, I/O, length and
// locks, and the path-level operations of paths.h. Its default entries are the platform's own.
// Tests put another table in place for a scope (ScopedFileOperations) to make chosen operations
// fail; nothing else changes the table.

#include <cstddef>
#include <cstdint>
#include <functional>

#include "base/text_value.h"
#include "platform/file.h"

namespace platform {

// A file's handle as the table sees it: a descriptor or a Windows HANDLE; -1 when closed.
using FileHandle = std::intptr_t;

// Every entry returns 0 or a FileError, as the File and paths.h operations it serves. File checks
// the handle and the access it was opened with before it calls an entry.
struct FileOperations {
  std::function<int(const base::TextValue& path, FileAccess access, ShareMode share, OpenMode mode,
                    FileHandle& handle)>
      open;
  std::function<void(FileHandle handle)> close;
  // As File::readAt: `bytesRead` is less than `size` only at the end of the file.
  std::function<int(FileHandle handle, std::uint64_t offset, void* buffer, std::size_t size, std::size_t& bytesRead)>
      readAt;
  std::function<int(FileHandle handle, std::uint64_t offset, const void* data, std::size_t size)> writeAt;
  std::function<int(FileHandle handle, std::uint64_t& length)> length;
  std::function<int(FileHandle handle, std::uint64_t length)> setLength;
  std::function<int(FileHandle handle)> flush;
  std::function<int(FileHandle handle, std::uint64_t offset, std::uint64_t length)> lockRange;
  std::function<int(FileHandle handle, std::uint64_t offset, std::uint64_t length)> unlockRange;

  std::function<bool(const base::TextValue& path)> pathExists;
  std::function<bool(const base::TextValue& path)> isDirectory;
  std::function<int(const base::TextValue& path)> createDirectory;
  std::function<int(const base::TextValue& from, const base::TextValue& to)> moveFile;
  std::function<int(const base::TextValue& from, const base::TextValue& to)> replaceFile;
  std::function<int(const base::TextValue& path)> deleteFile;
};

// The platform's own operations.
const FileOperations& nativeFileOperations();

// The operations in use: the native ones unless a ScopedFileOperations is alive.
const FileOperations& fileOperations();

// Puts `operations` in use until the object goes, then the table that was in use before. Scopes
// nest; each must end before the one it replaced. Swap tables only while no other thread does I/O.
class ScopedFileOperations {
 public:
  explicit ScopedFileOperations(FileOperations operations);
  ~ScopedFileOperations();
  ScopedFileOperations(const ScopedFileOperations&) = delete;
  ScopedFileOperations& operator=(const ScopedFileOperations&) = delete;

 private:
  FileOperations operations_;
  const FileOperations* previous_;
};

}  // namespace platform
