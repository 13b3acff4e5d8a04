// The file operations on POSIX: a file descriptor, share modes emulated by share markers, locks as
// open-file-description locks (so two opens in one process exclude each other, as on Windows).

#include "platform/native_file_operations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

#include "platform/posix/last_error.h"
#include "platform/posix/native_path.h"
#include "platform/posix/share_markers.h"
#include "platform/posix/unique_fd.h"

namespace platform::native {
namespace {

constexpr std::uint64_t kLargestOffset = std::numeric_limits<off_t>::max();

int creationFlags(OpenMode mode) {
  switch (mode) {
    case OpenMode::OpenExisting:
      return 0;
    case OpenMode::OpenOrCreate:
    case OpenMode::CreateAlways:  // truncated only once the share check passed
      return O_CREAT;
    case OpenMode::CreateNew:
      return O_CREAT | O_EXCL;
  }
  return 0;
}

posix::UniqueFd openDescriptor(const std::string& nativePath, int flags) {
  int fd;
  do {
    fd = ::open(nativePath.c_str(), flags | O_CLOEXEC, 0666);
  } while (fd == -1 && errno == EINTR);
  return posix::UniqueFd(fd);
}

// Every file is opened for reading and writing when the file allows it, since locks need both
// (shared markers need a readable, exclusive locks a writable descriptor); File itself refuses the
// I/O its access does not grant. A file that may only be read is opened read-only for Read.
posix::UniqueFd openForLocking(const std::string& nativePath, FileAccess access, OpenMode mode,
                               bool& writable) {
  int flags = creationFlags(mode);
  writable = true;
  posix::UniqueFd fd = openDescriptor(nativePath, O_RDWR | flags);
  if (fd.valid() || access != FileAccess::Read || mode == OpenMode::CreateAlways) return fd;
  if (errno != EACCES && errno != EROFS && errno != ETXTBSY) return fd;
  writable = false;
  return openDescriptor(nativePath, O_RDONLY | flags);
}

// Whether `size` bytes from `offset` stay within the offsets the system can address.
bool rangeFits(std::uint64_t offset, std::size_t size) {
  return size <= kLargestOffset && offset <= kLargestOffset - size;
}

int setByteLock(int fd, std::uint64_t offset, std::uint64_t length, short type) {
  struct flock description {};
  description.l_type = type;
  description.l_whence = SEEK_SET;
  description.l_start = static_cast<off_t>(offset);
  description.l_len = static_cast<off_t>(length);
  if (::fcntl(fd, F_OFD_SETLK, &description) == 0) return kFileOk;
  if (errno == EAGAIN || errno == EACCES) return kFileLockViolation;
  if (errno == EBADF) return kFileAccessDenied;  // a read-only descriptor cannot lock exclusively
  return lockErrorFromNative(errno);
}

}  // namespace

int openFile(const base::TextValue& path, FileAccess access, ShareMode share, OpenMode mode, FileHandle& handle) {
  std::string native = posix::nativePath(path);
  bool writable = false;
  posix::UniqueFd fd = openForLocking(native, access, mode, writable);
  if (!fd.valid()) return posix::lastFileErrorAt(native);
  int result = posix::claimShareMarkers(fd.get(), access, share, writable);
  if (result == kFileOk && mode == OpenMode::CreateAlways && ::ftruncate(fd.get(), 0) != 0) {
    result = posix::lastFileError();
  }
  if (result != kFileOk) return result;
  handle = fd.release();
  return kFileOk;
}

// Drops the markers and locks of this open description too.
void closeFile(FileHandle handle) { ::close(static_cast<int>(handle)); }

int readAt(FileHandle handle, std::uint64_t offset, void* buffer, std::size_t size, std::size_t& bytesRead) {
  bytesRead = 0;
  if (!rangeFits(offset, size)) return kFileBadSeek;
  auto* bytes = static_cast<char*>(buffer);
  while (bytesRead < size) {
    ssize_t count = ::pread(static_cast<int>(handle), bytes + bytesRead, size - bytesRead,
                            static_cast<off_t>(offset + bytesRead));
    if (count == 0) break;
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return posix::lastFileError();
    bytesRead += static_cast<std::size_t>(count);
  }
  return bytesRead == 0 && size > 0 ? kFileEndOfFile : kFileOk;
}

int writeAt(FileHandle handle, std::uint64_t offset, const void* data, std::size_t size) {
  if (!rangeFits(offset, size)) return kFileBadSeek;
  const auto* bytes = static_cast<const char*>(data);
  std::size_t written = 0;
  while (written < size) {
    ssize_t count = ::pwrite(static_cast<int>(handle), bytes + written, size - written,
                             static_cast<off_t>(offset + written));
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return posix::lastFileError();
    written += static_cast<std::size_t>(count);
  }
  return kFileOk;
}

int fileLength(FileHandle handle, std::uint64_t& length) {
  length = 0;
  struct stat status {};
  if (::fstat(static_cast<int>(handle), &status) != 0) return posix::lastFileError();
  length = static_cast<std::uint64_t>(status.st_size);
  return kFileOk;
}

int setFileLength(FileHandle handle, std::uint64_t length) {
  if (length > kLargestOffset) return kFileBadSeek;
  if (::ftruncate(static_cast<int>(handle), static_cast<off_t>(length)) != 0) return posix::lastFileError();
  return kFileOk;
}

int flushFile(FileHandle handle) {
  if (::fsync(static_cast<int>(handle)) != 0) return posix::lastFileError();
  return kFileOk;
}

int lockRange(FileHandle handle, std::uint64_t offset, std::uint64_t length) {
  // The share markers lie above every range the system locks.
  if (offset + length > posix::kShareMarkerBase) return kFileNotSupported;
  return setByteLock(static_cast<int>(handle), offset, length, F_WRLCK);
}

int unlockRange(FileHandle handle, std::uint64_t offset, std::uint64_t length) {
  return setByteLock(static_cast<int>(handle), offset, length, F_UNLCK);
}

}  // namespace platform::native
