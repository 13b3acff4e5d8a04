#pragma once
// An open file with Windows-style access and share modes, byte-range locks and positioned I/O.
// Share modes hold between processes on every platform. Paths are GBK texts. Every operation goes
// through the table of file_operations.h.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_value.h"
#include "platform/file_error.h"

namespace platform {

enum class FileAccess { Read, Write, ReadWrite };

// What other openers of the same file are denied while this one is open.
enum class ShareMode { DenyNone, DenyRead, DenyWrite, DenyAll };

enum class OpenMode {
  OpenExisting,  // fails with kFileNotFound when missing
  OpenOrCreate,  // creates when missing, never truncates
  CreateAlways,  // creates or truncates
  CreateNew,     // fails when the file exists
};

class File {
 public:
  File() = default;
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Opens `path` (closing a file this object holds). 0 or a FileError; kFileSharingViolation when
  // another opener's share mode refuses this access or this share mode refuses another's access.
  [[nodiscard]] int open(const base::TextValue& path, FileAccess access, ShareMode share, OpenMode mode);
  void close();
  bool isOpen() const;
  // The descriptor or HANDLE, for other platform code (file views).
  std::intptr_t systemHandle() const { return handle_; }

  // Reads up to `size` bytes at `offset`; `bytesRead` is less than `size` only at the end of file.
  // kFileEndOfFile (nothing read) when `offset` is at or past the end and `size` is not 0.
  [[nodiscard]] int readAt(std::uint64_t offset, void* buffer, std::size_t size, std::size_t& bytesRead);
  // Writes all `size` bytes at `offset`, growing the file when needed.
  [[nodiscard]] int writeAt(std::uint64_t offset, const void* data, std::size_t size);
  [[nodiscard]] int length(std::uint64_t& length) const;
  [[nodiscard]] int setLength(std::uint64_t length);
  [[nodiscard]] int flush();

  // Exclusive, non-blocking lock of a byte range; kFileLockViolation when another opener (in this or
  // another process) holds an overlapping range, and also when this object already holds one.
  // unlock() takes exactly a range that lock() took (else kFileLockViolation). Ranges may lie
  // beyond the end of the file; a range of length 0 locks nothing.
  [[nodiscard]] int lock(std::uint64_t offset, std::uint64_t length);
  [[nodiscard]] int unlock(std::uint64_t offset, std::uint64_t length);

 private:
  struct ByteRange {
    std::uint64_t offset;
    std::uint64_t length;
  };

  std::intptr_t handle_ = -1;  // a file descriptor, or a Windows HANDLE; -1 when closed
  // The access open() was given; File itself refuses I/O beyond it where the system would not.
  FileAccess access_ = FileAccess::Read;
  // The ranges this object holds locked. Locks behave as on Windows everywhere: an exclusive lock
  // may not overlap another lock of the same opener, and unlock() names exactly a locked range.
  std::vector<ByteRange> heldLocks_;
};

// Whole-file helpers. readWholeFile leaves `content` empty on failure.
[[nodiscard]] int readWholeFile(const base::TextValue& path, std::string& content);
[[nodiscard]] int writeWholeFile(const base::TextValue& path, std::string_view content);

}  // namespace platform
