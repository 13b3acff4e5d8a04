// File on Windows: CreateFileW's share modes, LockFileEx locks, I/O at OVERLAPPED offsets.

#include "platform/file.h"

#include <windows.h>

#include <algorithm>

#include "platform/file_access.h"
#include "platform/win32/last_error.h"
#include "platform/win32/wide_text.h"

namespace platform {
namespace {

// The most one ReadFile or WriteFile call moves.
constexpr std::size_t kLargestTransfer = 1u << 30;

DWORD desiredAccess(FileAccess access) {
  switch (access) {
    case FileAccess::Read:
      return GENERIC_READ;
    case FileAccess::Write:
      return GENERIC_WRITE;
    case FileAccess::ReadWrite:
      return GENERIC_READ | GENERIC_WRITE;
  }
  return 0;
}

// What the others may still do: the opposite of what the share mode denies.
DWORD shareFlags(ShareMode share) {
  switch (share) {
    case ShareMode::DenyNone:
      return FILE_SHARE_READ | FILE_SHARE_WRITE;
    case ShareMode::DenyRead:
      return FILE_SHARE_WRITE;
    case ShareMode::DenyWrite:
      return FILE_SHARE_READ;
    case ShareMode::DenyAll:
      return 0;
  }
  return 0;
}

DWORD creationDisposition(OpenMode mode) {
  switch (mode) {
    case OpenMode::OpenExisting:
      return OPEN_EXISTING;
    case OpenMode::OpenOrCreate:
      return OPEN_ALWAYS;
    case OpenMode::CreateAlways:
      return CREATE_ALWAYS;
    case OpenMode::CreateNew:
      return CREATE_NEW;
  }
  return OPEN_EXISTING;
}

OVERLAPPED overlappedAt(std::uint64_t offset) {
  OVERLAPPED overlapped{};
  overlapped.Offset = static_cast<DWORD>(offset);
  overlapped.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return overlapped;
}

HANDLE nativeHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

DWORD transferSize(std::size_t remaining) {
  return static_cast<DWORD>(std::min(remaining, kLargestTransfer));
}

}  // namespace

int File::open(const base::TextValue& path, FileAccess access, ShareMode share, OpenMode mode) {
  close();
  HANDLE handle = ::CreateFileW(win32::wideFromGbk(path).c_str(), desiredAccess(access), shareFlags(share),
                                nullptr, creationDisposition(mode), FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return win32::lastFileError();
  handle_ = reinterpret_cast<std::intptr_t>(handle);
  access_ = access;
  return kFileOk;
}

void File::close() {
  if (!isOpen()) return;
  // Windows frees the locks of a closed handle only at some later time: give them back now.
  for (const ByteRange& range : heldLocks_) (void)unlockRange(range);
  heldLocks_.clear();
  ::CloseHandle(nativeHandle(handle_));
  handle_ = -1;
}

int File::readAt(std::uint64_t offset, void* buffer, std::size_t size, std::size_t& bytesRead) {
  bytesRead = 0;
  if (!isOpen()) return kFileInvalidHandle;
  auto* bytes = static_cast<char*>(buffer);
  while (bytesRead < size) {
    OVERLAPPED overlapped = overlappedAt(offset + bytesRead);
    DWORD count = 0;
    if (!::ReadFile(nativeHandle(handle_), bytes + bytesRead, transferSize(size - bytesRead), &count,
                    &overlapped)) {
      if (::GetLastError() == ERROR_HANDLE_EOF) break;
      return win32::lastFileError();
    }
    if (count == 0) break;
    bytesRead += count;
  }
  return bytesRead == 0 && size > 0 ? kFileEndOfFile : kFileOk;
}

int File::writeAt(std::uint64_t offset, const void* data, std::size_t size) {
  if (!isOpen()) return kFileInvalidHandle;
  const auto* bytes = static_cast<const char*>(data);
  std::size_t written = 0;
  while (written < size) {
    OVERLAPPED overlapped = overlappedAt(offset + written);
    DWORD count = 0;
    if (!::WriteFile(nativeHandle(handle_), bytes + written, transferSize(size - written), &count,
                     &overlapped)) {
      return win32::lastFileError();
    }
    if (count == 0) return kFileUnspecified;
    written += count;
  }
  return kFileOk;
}

int File::length(std::uint64_t& length) const {
  length = 0;
  if (!isOpen()) return kFileInvalidHandle;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(nativeHandle(handle_), &size)) return win32::lastFileError();
  length = static_cast<std::uint64_t>(size.QuadPart);
  return kFileOk;
}

int File::setLength(std::uint64_t length) {
  if (!isOpen()) return kFileInvalidHandle;
  if (!grantsWrite(access_)) return kFileAccessDenied;  // checked here: not every Windows checks it
  // All other I/O names its offset, so moving the file pointer here disturbs nothing.
  LARGE_INTEGER position{};
  position.QuadPart = static_cast<LONGLONG>(length);
  if (!::SetFilePointerEx(nativeHandle(handle_), position, nullptr, FILE_BEGIN))
    return win32::lastFileError();
  if (!::SetEndOfFile(nativeHandle(handle_))) return win32::lastFileError();
  return kFileOk;
}

int File::flush() {
  if (!isOpen()) return kFileInvalidHandle;
  if (!grantsWrite(access_)) return kFileAccessDenied;
  if (!::FlushFileBuffers(nativeHandle(handle_))) return win32::lastFileError();
  return kFileOk;
}

int File::lockRange(const ByteRange& range) {
  OVERLAPPED overlapped = overlappedAt(range.offset);
  if (!::LockFileEx(nativeHandle(handle_), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                    static_cast<DWORD>(range.length), static_cast<DWORD>(range.length >> 32), &overlapped)) {
    return lockErrorFromNative(static_cast<int>(::GetLastError()));
  }
  return kFileOk;
}

int File::unlockRange(const ByteRange& range) {
  OVERLAPPED overlapped = overlappedAt(range.offset);
  if (!::UnlockFileEx(nativeHandle(handle_), 0, static_cast<DWORD>(range.length),
                      static_cast<DWORD>(range.length >> 32), &overlapped)) {
    return win32::lastFileError();
  }
  return kFileOk;
}

}  // namespace platform
