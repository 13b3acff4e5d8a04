#pragma once
// The platform's own file operations (posix/ or win32/), the default entries of the table in
// file_operations.h. Only the table calls them.

#include "platform/file_operations.h"

namespace platform::native {

int openFile(const base::TextValue& path, FileAccess access, ShareMode share, OpenMode mode, FileHandle& handle);
void closeFile(FileHandle handle);
int readAt(FileHandle handle, std::uint64_t offset, void* buffer, std::size_t size, std::size_t& bytesRead);
int writeAt(FileHandle handle, std::uint64_t offset, const void* data, std::size_t size);
int fileLength(FileHandle handle, std::uint64_t& length);
int setFileLength(FileHandle handle, std::uint64_t length);
int flushFile(FileHandle handle);
int lockRange(FileHandle handle, std::uint64_t offset, std::uint64_t length);
int unlockRange(FileHandle handle, std::uint64_t offset, std::uint64_t length);

bool pathExists(const base::TextValue& path);
bool isDirectory(const base::TextValue& path);
int createDirectory(const base::TextValue& path);
int moveFile(const base::TextValue& from, const base::TextValue& to);
int replaceFile(const base::TextValue& from, const base::TextValue& to);
int deleteFile(const base::TextValue& path);

}  // namespace platform::native
