// The parts of File that are the same on every platform: ownership and the bookkeeping of locks.

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/file.h"

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

int File::lock(std::uint64_t offset, std::uint64_t length) {
  if (!isOpen()) return kFileInvalidHandle;
  if (length == 0) return kFileOk;
  if (length > std::numeric_limits<std::uint64_t>::max() - offset) return kFileBadSeek;
  std::uint64_t end = offset + length;
  bool overlapsHeld = std::any_of(heldLocks_.begin(), heldLocks_.end(), [&](const ByteRange& held) {
    return offset < held.offset + held.length && held.offset < end;
  });
  if (overlapsHeld) return kFileLockViolation;
  ByteRange range{offset, length};
  int result = lockRange(range);
  if (result == kFileOk) heldLocks_.push_back(range);
  return result;
}

int File::unlock(std::uint64_t offset, std::uint64_t length) {
  if (!isOpen()) return kFileInvalidHandle;
  if (length == 0) return kFileOk;
  auto held = std::find_if(heldLocks_.begin(), heldLocks_.end(), [&](const ByteRange& range) {
    return range.offset == offset && range.length == length;
  });
  if (held == heldLocks_.end()) return kFileLockViolation;
  int result = unlockRange(*held);
  if (result == kFileOk) heldLocks_.erase(held);
  return result;
}

}  // namespace platform
