#include "platform/file_view.h"

#include <windows.h>

#include "platform/win32/last_error.h"

namespace platform {

int FileView::map(const File& file, std::uint64_t length) {
  unmap();
  if (!file.isOpen()) return kFileInvalidHandle;
  if (length == 0) return kFileOk;
  if (length > static_cast<std::uint64_t>(SIZE_MAX)) return kFileUnspecified;
  HANDLE handle = reinterpret_cast<HANDLE>(file.systemHandle());
  HANDLE mapping = ::CreateFileMappingW(handle, nullptr, PAGE_READONLY, static_cast<DWORD>(length >> 32),
                                        static_cast<DWORD>(length & 0xFFFFFFFFu), nullptr);
  if (!mapping) return win32::lastFileError();
  void* address = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, static_cast<SIZE_T>(length));
  if (!address) {
    int error = win32::lastFileError();
    ::CloseHandle(mapping);
    return error;
  }
  data_ = static_cast<const char*>(address);
  size_ = length;
  mapping_ = reinterpret_cast<std::intptr_t>(mapping);
  return kFileOk;
}

void FileView::unmap() {
  if (data_) ::UnmapViewOfFile(data_);
  if (mapping_) ::CloseHandle(reinterpret_cast<HANDLE>(mapping_));
  data_ = nullptr;
  size_ = 0;
  mapping_ = 0;
}

}  // namespace platform
