#include "platform/file_error.h"

#include <windows.h>

#include "platform/win32/last_error.h"

namespace platform {

int fileErrorFromNative(int nativeError) {
  switch (static_cast<DWORD>(nativeError)) {
    case ERROR_SUCCESS:
      return kFileOk;
    case ERROR_FILE_NOT_FOUND:
      return kFileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE:
      return kFileBadPath;
    case ERROR_TOO_MANY_OPEN_FILES:
      return kFileTooManyOpen;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return kFileAccessDenied;
    case ERROR_INVALID_HANDLE:
      return kFileInvalidHandle;
    case ERROR_CURRENT_DIRECTORY:
      return kFileRemoveCurrentDirectory;
    case ERROR_CANNOT_MAKE:
      return kFileDirectoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
      return kFileBadSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
      return kFileHardwareIo;
    case ERROR_SHARING_VIOLATION:
      return kFileSharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_NOT_LOCKED:
    case ERROR_LOCK_FAILED:
      return kFileLockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return kFileDiskFull;
    case ERROR_HANDLE_EOF:
      return kFileEndOfFile;
    default:
      return kFileUnspecified;
  }
}

int lockErrorFromNative(int nativeError) {
  switch (static_cast<DWORD>(nativeError)) {
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION:
      return kFileNotSupported;
    default:
      return fileErrorFromNative(nativeError);
  }
}

namespace win32 {

int lastFileError() { return fileErrorFromNative(static_cast<int>(::GetLastError())); }

}  // namespace win32
}  // namespace platform
