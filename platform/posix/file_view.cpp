#include "platform/file_view.h"

#include <sys/mman.h>

#include <limits>

#include "platform/posix/last_error.h"

namespace platform {

int FileView::map(const File& file, std::uint64_t length) {
  unmap();
  if (!file.isOpen()) return kFileInvalidHandle;
  if (length == 0) return kFileOk;
  if (length > std::numeric_limits<std::size_t>::max()) return kFileUnspecified;
  int flags = MAP_SHARED;
#ifdef MAP_POPULATE
  flags |= MAP_POPULATE;  // one call maps every page instead of a fault per page
#endif
  void* address = ::mmap(nullptr, static_cast<std::size_t>(length), PROT_READ, flags,
                         static_cast<int>(file.systemHandle()), 0);
  if (address == MAP_FAILED) return posix::lastFileError();
  data_ = static_cast<const char*>(address);
  size_ = length;
  return kFileOk;
}

void FileView::unmap() {
  if (data_) ::munmap(const_cast<char*>(data_), static_cast<std::size_t>(size_));
  data_ = nullptr;
  size_ = 0;
}

}  // namespace platform
