#pragma once
// Error codes of platform file failures. Every platform operation returns 0 or one of these.

namespace platform {

enum FileError : int {
  kFileOk = 0,
  kFileUnspecified = -1,
  kFileNotFound = -3,
  kFileBadPath = -4,
  kFileTooManyOpen = -5,
  kFileAccessDenied = -6,
  kFileInvalidHandle = -7,
  kFileRemoveCurrentDirectory = -8,
  kFileDirectoryFull = -9,
  kFileBadSeek = -10,
  kFileHardwareIo = -11,
  kFileSharingViolation = -12,
  kFileLockViolation = -13,
  kFileDiskFull = -14,
  kFileEndOfFile = -15,
  // The platform cannot lock this file or range (a file system without byte locks). Only
  // File::lock gives it; callers count such a lock as taken.
  kFileNotSupported = -99,
};

// Maps an error number of the platform (errno on POSIX, GetLastError on Windows) to a FileError.
int fileErrorFromNative(int nativeError);
// As fileErrorFromNative for a failed byte-range lock: the errors that say the platform cannot
// lock there give kFileNotSupported.
int lockErrorFromNative(int nativeError);

}  // namespace platform
