// File on every platform: ownership, the checks of handle and access, the bookkeeping of locks,
// and the calls of the file operations table.

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/file.h"
#include "platform/file_access.h"
#include "platform/file_operations.h"

namespace platform {

File::~File() { close(); }

File::File(File&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)),
      access_(other.access_),
      heldLocks_(std::exchange(other.heldLocks_, {})) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    close();
    handle_ = std::exchange(other.handle_, -1);
    access_ = other.access_;
    heldLocks_ = std::exchange(other.heldLocks_, {});
  }
  return *this;
}

bool File::isOpen() const { return handle_ != -1; }

int File::open(const base::TextValue& path, FileAccess access, ShareMode share, OpenMode mode) {
  close();
  FileHandle handle = -1;
  if (int result = fileOperations().open(path, access, share, mode, handle)) return result;
  handle_ = handle;
  access_ = access;
  return kFileOk;
}

void File::close() {
  if (!isOpen()) return;
  const FileOperations& operations = fileOperations();
  // POSIX drops the locks with the descriptor; Windows frees the locks of a closed handle only at
  // some later time: give them back first.
  for (const ByteRange& range : heldLocks_) (void)operations.unlockRange(handle_, range.offset, range.length);
  heldLocks_.clear();
  operations.close(handle_);
  handle_ = -1;
}

int File::readAt(std::uint64_t offset, void* buffer, std::size_t size, std::size_t& bytesRead) {
  bytesRead = 0;
  if (!isOpen()) return kFileInvalidHandle;
  if (!grantsRead(access_)) return kFileAccessDenied;
  return fileOperations().readAt(handle_, offset, buffer, size, bytesRead);
}

int File::writeAt(std::uint64_t offset, const void* data, std::size_t size) {
  if (!isOpen()) return kFileInvalidHandle;
  if (!grantsWrite(access_)) return kFileAccessDenied;
  return fileOperations().writeAt(handle_, offset, data, size);
}

int File::length(std::uint64_t& length) const {
  length = 0;
  if (!isOpen()) return kFileInvalidHandle;
  return fileOperations().length(handle_, length);
}

// Write access is checked here for every platform: not every Windows checks it for a length.
int File::setLength(std::uint64_t length) {
  if (!isOpen()) return kFileInvalidHandle;
  if (!grantsWrite(access_)) return kFileAccessDenied;
  return fileOperations().setLength(handle_, length);
}

int File::flush() {
  if (!isOpen()) return kFileInvalidHandle;
  if (!grantsWrite(access_)) return kFileAccessDenied;
  return fileOperations().flush(handle_);
}

int File::lock(std::uint64_t offset, std::uint64_t length) {
  if (!isOpen()) return kFileInvalidHandle;
  if (length == 0) return kFileOk;
  if (length > std::numeric_limits<std::uint64_t>::max() - offset) return kFileBadSeek;
  std::uint64_t end = offset + length;
  bool overlapsHeld = std::any_of(heldLocks_.begin(), heldLocks_.end(), [&](const ByteRange& held) {
    return offset < held.offset + held.length && held.offset < end;
  });
  if (overlapsHeld) return kFileLockViolation;
  int result = fileOperations().lockRange(handle_, offset, length);
  if (result == kFileOk) heldLocks_.push_back({offset, length});
  return result;
}

int File::unlock(std::uint64_t offset, std::uint64_t length) {
  if (!isOpen()) return kFileInvalidHandle;
  if (length == 0) return kFileOk;
  auto held = std::find_if(heldLocks_.begin(), heldLocks_.end(), [&](const ByteRange& range) {
    return range.offset == offset && range.length == length;
  });
  if (held == heldLocks_.end()) return kFileLockViolation;
  int result = fileOperations().unlockRange(handle_, held->offset, held->length);
  if (result == kFileOk) heldLocks_.erase(held);
  return result;
}

}  // namespace platform
