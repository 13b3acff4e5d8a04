// The file operations on Windows: CreateFileW's share modes, LockFileEx locks, I/O at OVERLAPPED offsets.

#include "platform/native_file_operations.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/last_error.h"
#include "platform/win32/wide_text.h"

namespace platform::native {
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

int openFile(const base::TextValue& path, FileAccess access, ShareMode share, OpenMode mode, FileHandle& handle) {
  HANDLE opened = ::CreateFileW(win32::wideFromGbk(path).c_str(), desiredAccess(access), shareFlags(share), nullptr,
                                creationDisposition(mode), FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return win32::lastFileError();
  handle = reinterpret_cast<FileHandle>(opened);
  return kFileOk;
}

void closeFile(FileHandle handle) { ::CloseHandle(nativeHandle(handle)); }

int readAt(FileHandle handle, std::uint64_t offset, void* buffer, std::size_t size, std::size_t& bytesRead) {
  bytesRead = 0;
  auto* bytes = static_cast<char*>(buffer);
  while (bytesRead < size) {
    OVERLAPPED overlapped = overlappedAt(offset + bytesRead);
    DWORD count = 0;
    if (!::ReadFile(nativeHandle(handle), bytes + bytesRead, transferSize(size - bytesRead), &count, &overlapped)) {
      if (::GetLastError() == ERROR_HANDLE_EOF) break;
      return win32::lastFileError();
    }
    if (count == 0) break;
    bytesRead += count;
  }
  return bytesRead == 0 && size > 0 ? kFileEndOfFile : kFileOk;
}

int writeAt(FileHandle handle, std::uint64_t offset, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  std::size_t written = 0;
  while (written < size) {
    OVERLAPPED overlapped = overlappedAt(offset + written);
    DWORD count = 0;
    if (!::WriteFile(nativeHandle(handle), bytes + written, transferSize(size - written), &count, &overlapped)) {
      return win32::lastFileError();
    }
    if (count == 0) return kFileUnspecified;
    written += count;
  }
  return kFileOk;
}

int fileLength(FileHandle handle, std::uint64_t& length) {
  length = 0;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(nativeHandle(handle), &size)) return win32::lastFileError();
  length = static_cast<std::uint64_t>(size.QuadPart);
  return kFileOk;
}

int setFileLength(FileHandle handle, std::uint64_t length) {
  // All other I/O names its offset, so moving the file pointer here disturbs nothing.
  LARGE_INTEGER position{};
  position.QuadPart = static_cast<LONGLONG>(length);
  if (!::SetFilePointerEx(nativeHandle(handle), position, nullptr, FILE_BEGIN)) return win32::lastFileError();
  if (!::SetEndOfFile(nativeHandle(handle))) return win32::lastFileError();
  return kFileOk;
}

int flushFile(FileHandle handle) {
  if (!::FlushFileBuffers(nativeHandle(handle))) return win32::lastFileError();
  return kFileOk;
}

int lockRange(FileHandle handle, std::uint64_t offset, std::uint64_t length) {
  OVERLAPPED overlapped = overlappedAt(offset);
  if (!::LockFileEx(nativeHandle(handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                    static_cast<DWORD>(length), static_cast<DWORD>(length >> 32), &overlapped)) {
    return lockErrorFromNative(static_cast<int>(::GetLastError()));
  }
  return kFileOk;
}

int unlockRange(FileHandle handle, std::uint64_t offset, std::uint64_t length) {
  OVERLAPPED overlapped = overlappedAt(offset);
  if (!::UnlockFileEx(nativeHandle(handle), 0, static_cast<DWORD>(length), static_cast<DWORD>(length >> 32),
                      &overlapped)) {
    return win32::lastFileError();
  }
  return kFileOk;
}

}  // namespace platform::native
