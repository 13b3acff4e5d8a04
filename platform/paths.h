#pragma once
// File-system paths as path texts: GBK, with the four-byte form for characters GBK has not
// (text_codec.h). On Windows they become UTF-16 for the W functions; on POSIX UTF-8. The
// separator is the platform's own.

#include "base/text_value.h"

namespace platform {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// `directory` + separator + `name` (no doubled separator).
base::TextValue joinPath(const base::TextValue& directory, const base::TextValue& name);

// The part before the last separator ("" when there is none).
base::TextValue parentDirectory(const base::TextValue& path);

// Full path of the running executable, and its folder.
base::TextValue executablePath();
base::TextValue runDirectory();

// Absolute, normalised form of `path` (relative paths against the current directory).
base::TextValue fullPath(const base::TextValue& path);

// Whether two full paths name the same file as far as letter case goes: on Windows the ASCII
// letters of single-byte characters are compared regardless of case, elsewhere paths are exact.
bool samePath(std::string_view a, std::string_view b);

bool pathExists(const base::TextValue& path);
bool isDirectory(const base::TextValue& path);

// 0 when the folder exists afterwards (created or already there), else a FileError.
[[nodiscard]] int createDirectory(const base::TextValue& path);

// Renames/moves a file; fails (kFileAccessDenied) when `to` already exists.
[[nodiscard]] int moveFile(const base::TextValue& from, const base::TextValue& to);

// Renames `from` to `to`, replacing a file `to` in one step: readers see the old file or the new
// one, never a mix. On Windows the move is written through before it returns.
[[nodiscard]] int replaceFile(const base::TextValue& from, const base::TextValue& to);

// 0 when the file is gone afterwards because it was deleted; kFileNotFound when it was missing.
[[nodiscard]] int deleteFile(const base::TextValue& path);

}  // namespace platform
