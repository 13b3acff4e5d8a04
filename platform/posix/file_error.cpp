#include "platform/file_error.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/posix/last_error.h"

namespace platform {

int fileErrorFromNative(int nativeError) {
  switch (nativeError) {
    case 0:
      return kFileOk;
    case ENOENT:
      return kFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return kFileBadPath;
    case EMFILE:
    case ENFILE:
      return kFileTooManyOpen;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST:  // creating or renaming onto an existing file, which Windows refuses as access denied
    case ETXTBSY:
      return kFileAccessDenied;
    case EBADF:
      return kFileInvalidHandle;
    case ENOSPC:
    case EDQUOT:
      return kFileDiskFull;
    case ESPIPE:
    case EOVERFLOW:
      return kFileBadSeek;
    case EIO:
      return kFileHardwareIo;
    default:
      return kFileUnspecified;
  }
}

int lockErrorFromNative(int nativeError) {
  switch (nativeError) {
    case ENOTSUP:
#if EOPNOTSUPP != ENOTSUP
    case EOPNOTSUPP:
#endif
    case ENOLCK:
    case EINVAL:
    case ENOSYS:
      return kFileNotSupported;
    default:
      return fileErrorFromNative(nativeError);
  }
}

namespace posix {

int lastFileError() { return fileErrorFromNative(errno); }

int lastFileErrorAt(const std::string& nativePath) { return fileErrorAt(errno, nativePath); }

int fileErrorAt(int nativeError, const std::string& nativePath) {
  if (nativeError != ENOENT) return fileErrorFromNative(nativeError);
  std::filesystem::path folder = std::filesystem::path(nativePath).parent_path();
  if (folder.empty()) return kFileNotFound;
  std::error_code ignored;
  return std::filesystem::is_directory(folder, ignored) ? kFileNotFound : kFileBadPath;
}

}  // namespace posix
}  // namespace platform
