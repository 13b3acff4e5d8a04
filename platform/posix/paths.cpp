// Paths on POSIX: path texts become UTF-8 file names and back.

#include "platform/paths.h"

#include <fcntl.h>
#include <stdio.h>  // renameat2
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/file_error.h"
#include "platform/native_file_operations.h"
#include "platform/posix/last_error.h"
#include "platform/posix/native_path.h"

namespace platform {
namespace {

bool statOf(const std::string& nativePath, struct stat& status) {
  return ::stat(nativePath.c_str(), &status) == 0;
}

// rename() that never replaces `to`. File systems without RENAME_NOREPLACE get a new hard link
// and lose the old name, which fails the same way when `to` exists.
int renameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return -1;
  if (::link(from.c_str(), to.c_str()) != 0) return -1;
  return ::unlink(from.c_str());
}

}  // namespace

base::TextValue executablePath() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? base::TextValue() : posix::systemPath(path.string());
}

base::TextValue fullPath(const base::TextValue& path) {
  if (path.empty()) return path;
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(posix::nativePath(path), error);
  if (error) return base::TextValue();
  std::filesystem::path normal = absolute.lexically_normal();
  if (!normal.has_filename() && normal.has_relative_path()) normal = normal.parent_path();
  return posix::systemPath(normal.string());
}

bool samePath(std::string_view a, std::string_view b) { return a == b; }

// The path-level entries of the file operations table.
namespace native {

bool pathExists(const base::TextValue& path) {
  struct stat status {};
  return statOf(posix::nativePath(path), status);
}

bool isDirectory(const base::TextValue& path) {
  struct stat status {};
  return statOf(posix::nativePath(path), status) && S_ISDIR(status.st_mode);
}

int createDirectory(const base::TextValue& path) {
  std::string native = posix::nativePath(path);
  if (::mkdir(native.c_str(), 0777) == 0) return kFileOk;
  if (errno == EEXIST) return isDirectory(path) ? kFileOk : kFileAccessDenied;
  return posix::lastFileErrorAt(native);
}

int moveFile(const base::TextValue& from, const base::TextValue& to) {
  std::string nativeFrom = posix::nativePath(from);
  std::string nativeTo = posix::nativePath(to);
  if (renameNoReplace(nativeFrom, nativeTo) == 0) return kFileOk;
  int error = errno;
  // A missing name is the target's folder when the source is there.
  bool targetsFault = error == ENOENT && pathExists(from);
  return posix::fileErrorAt(error, targetsFault ? nativeTo : nativeFrom);
}

int replaceFile(const base::TextValue& from, const base::TextValue& to) {
  std::string nativeFrom = posix::nativePath(from);
  std::string nativeTo = posix::nativePath(to);
  if (::rename(nativeFrom.c_str(), nativeTo.c_str()) == 0) return kFileOk;
  int error = errno;
  bool targetsFault = error == ENOENT && pathExists(from);
  return posix::fileErrorAt(error, targetsFault ? nativeTo : nativeFrom);
}

int deleteFile(const base::TextValue& path) {
  std::string native = posix::nativePath(path);
  if (::unlink(native.c_str()) == 0) return kFileOk;
  return posix::lastFileErrorAt(native);
}

}  // namespace native
}  // namespace platform
