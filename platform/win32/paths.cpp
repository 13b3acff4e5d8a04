// Paths on Windows: path texts become UTF-16 for the W functions, and paths the system gives are
// read as path texts, so no character of them is lost.

#include "platform/paths.h"

#include <windows.h>

#include <string>

#include "platform/file_error.h"
#include "platform/native_file_operations.h"
#include "platform/win32/last_error.h"
#include "platform/win32/wide_text.h"

namespace platform {
namespace {

DWORD attributesOf(const base::TextValue& path) {
  return ::GetFileAttributesW(win32::wideFromGbk(path).c_str());
}

}  // namespace

base::TextValue executablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return base::TextValue();
    if (length < buffer.size()) return win32::pathTextFromWide(std::wstring_view(buffer.data(), length));
    buffer.resize(buffer.size() * 2);  // cut off: try a larger buffer
  }
}

base::TextValue fullPath(const base::TextValue& path) {
  std::wstring wide = win32::wideFromGbk(path);
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD length =
        ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0) return base::TextValue();
    if (length < buffer.size()) return win32::pathTextFromWide(std::wstring_view(buffer.data(), length));
    buffer.resize(length);  // the size it needs, with the terminating zero
  }
}

bool samePath(std::string_view a, std::string_view b) { return base::equalsTextIgnoreCase(a, b); }

// The path-level entries of the file operations table.
namespace native {

bool pathExists(const base::TextValue& path) { return attributesOf(path) != INVALID_FILE_ATTRIBUTES; }

bool isDirectory(const base::TextValue& path) {
  DWORD attributes = attributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

int createDirectory(const base::TextValue& path) {
  if (::CreateDirectoryW(win32::wideFromGbk(path).c_str(), nullptr)) return kFileOk;
  int error = win32::lastFileError();
  return isDirectory(path) ? kFileOk : error;
}

int moveFile(const base::TextValue& from, const base::TextValue& to) {
  if (::MoveFileW(win32::wideFromGbk(from).c_str(), win32::wideFromGbk(to).c_str())) return kFileOk;
  return win32::lastFileError();
}

int replaceFile(const base::TextValue& from, const base::TextValue& to) {
  const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  if (::MoveFileExW(win32::wideFromGbk(from).c_str(), win32::wideFromGbk(to).c_str(), flags)) return kFileOk;
  return win32::lastFileError();
}

int deleteFile(const base::TextValue& path) {
  if (::DeleteFileW(win32::wideFromGbk(path).c_str())) return kFileOk;
  return win32::lastFileError();
}

}  // namespace native
}  // namespace platform
