// Files in memory behind the file operations table: named nodes of bytes, folders as a set of
// names, and the open handles with their access, share mode and locked ranges.

#include "platform/memory_files.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <mutex>
#include <set>
#include <vector>

#include "platform/file_access.h"
#include "platform/file_error.h"
#include "platform/paths.h"

namespace platform {
namespace {

// The largest offset a file may reach, as with the system's signed file offsets.
constexpr std::uint64_t kLargestOffset = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());

bool rangeFits(std::uint64_t offset, std::uint64_t size) {
  return size <= kLargestOffset && offset <= kLargestOffset - size;
}

struct Node {
  std::string bytes;
};

struct ByteRange {
  std::uint64_t offset;
  std::uint64_t length;
  bool overlaps(std::uint64_t otherOffset, std::uint64_t otherLength) const {
    return offset < otherOffset + otherLength && otherOffset < offset + length;
  }
};

struct Opener {
  std::shared_ptr<Node> node;
  FileAccess access;
  ShareMode share;
  std::vector<ByteRange> locks;
};

bool deniesRead(ShareMode share) { return share == ShareMode::DenyRead || share == ShareMode::DenyAll; }
bool deniesWrite(ShareMode share) { return share == ShareMode::DenyWrite || share == ShareMode::DenyAll; }

// Whether an opener with `access` and `share` may join one that holds the file as `held`.
bool mayShare(const Opener& held, FileAccess access, ShareMode share) {
  if (grantsRead(access) && deniesRead(held.share)) return false;
  if (grantsWrite(access) && deniesWrite(held.share)) return false;
  if (deniesRead(share) && grantsRead(held.access)) return false;
  if (deniesWrite(share) && grantsWrite(held.access)) return false;
  return true;
}

// A drive name ("C:") on Windows: a folder that is always there.
bool isDrive(const base::TextValue& path) {
  return kPathSeparator == '\\' && path.size() == 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

}  // namespace

class MemoryFiles::Store {
 public:
  FileOperations operations() {
    FileOperations table;
    table.open = [this](const base::TextValue& path, FileAccess access, ShareMode share, OpenMode mode,
                        FileHandle& handle) { return open(path, access, share, mode, handle); };
    table.close = [this](FileHandle handle) { close(handle); };
    table.readAt = [this](FileHandle handle, std::uint64_t offset, void* buffer, std::size_t size,
                          std::size_t& bytesRead) { return readAt(handle, offset, buffer, size, bytesRead); };
    table.writeAt = [this](FileHandle handle, std::uint64_t offset, const void* data, std::size_t size) {
      return writeAt(handle, offset, data, size);
    };
    table.length = [this](FileHandle handle, std::uint64_t& length) { return fileLength(handle, length); };
    table.setLength = [this](FileHandle handle, std::uint64_t length) { return setLength(handle, length); };
    table.flush = [this](FileHandle handle) { return withOpener(handle, [](Opener&) { return kFileOk; }); };
    table.lockRange = [this](FileHandle handle, std::uint64_t offset, std::uint64_t length) {
      return lockRange(handle, offset, length);
    };
    table.unlockRange = [this](FileHandle handle, std::uint64_t offset, std::uint64_t length) {
      return unlockRange(handle, offset, length);
    };
    table.pathExists = [this](const base::TextValue& path) {
      std::lock_guard hold(mutex_);
      return files_.count(path) > 0 || (!path.empty() && folderExists(path));
    };
    table.isDirectory = [this](const base::TextValue& path) {
      std::lock_guard hold(mutex_);
      return !path.empty() && folderExists(path);
    };
    table.createDirectory = [this](const base::TextValue& path) { return createDirectory(path); };
    table.moveFile = [this](const base::TextValue& from, const base::TextValue& to) { return move(from, to, false); };
    table.replaceFile = [this](const base::TextValue& from, const base::TextValue& to) { return move(from, to, true); };
    table.deleteFile = [this](const base::TextValue& path) { return deleteFile(path); };
    return table;
  }

  void put(const base::TextValue& path, std::string_view bytes) {
    std::lock_guard hold(mutex_);
    for (base::TextValue folder = parentDirectory(path); !folderExists(folder); folder = parentDirectory(folder)) {
      files_.erase(folder);
      folders_.insert(folder);
    }
    folders_.erase(path);
    files_[path] = std::make_shared<Node>(Node{std::string(bytes)});
  }

  std::optional<std::string> bytes(const base::TextValue& path) const {
    std::lock_guard hold(mutex_);
    auto found = files_.find(path);
    if (found == files_.end()) return std::nullopt;
    return found->second->bytes;
  }

  void clear() {
    std::lock_guard hold(mutex_);
    files_.clear();
    folders_.clear();
  }

  std::size_t openHandles() const {
    std::lock_guard hold(mutex_);
    return static_cast<std::size_t>(
        std::count_if(openers_.begin(), openers_.end(), [](const std::optional<Opener>& slot) { return slot.has_value(); }));
  }

  void setSizeLimit(std::uint64_t bytes) {
    std::lock_guard hold(mutex_);
    sizeLimit_ = bytes;
  }

 private:
  bool folderExists(const base::TextValue& path) const {
    return path.empty() || isDrive(path) || folders_.count(path) > 0;
  }

  // The error for a name that is neither file nor folder: the folder it should be in may be
  // missing as well.
  int missingError(const base::TextValue& path) const {
    return folderExists(parentDirectory(path)) ? kFileNotFound : kFileBadPath;
  }

  template <typename Action>
  int withOpener(FileHandle handle, Action action) {
    std::lock_guard hold(mutex_);
    Opener* opener = openerOf(handle);
    return opener ? action(*opener) : kFileInvalidHandle;
  }

  Opener* openerOf(FileHandle handle) {
    if (handle < 1 || static_cast<std::uint64_t>(handle) > openers_.size()) return nullptr;
    std::optional<Opener>& slot = openers_[static_cast<std::size_t>(handle - 1)];
    return slot ? &*slot : nullptr;
  }

  int open(const base::TextValue& path, FileAccess access, ShareMode share, OpenMode mode, FileHandle& handle) {
    std::lock_guard hold(mutex_);
    if (path.empty()) return kFileNotFound;
    if (folderExists(path)) return kFileAccessDenied;  // a folder is no file
    auto found = files_.find(path);
    if (found == files_.end()) {
      if (mode == OpenMode::OpenExisting) return missingError(path);
      if (!folderExists(parentDirectory(path))) return kFileBadPath;
      found = files_.emplace(path, std::make_shared<Node>()).first;
    } else if (mode == OpenMode::CreateNew) {
      return kFileAccessDenied;
    }
    const std::shared_ptr<Node>& node = found->second;
    for (const std::optional<Opener>& opener : openers_) {
      if (opener && opener->node == node && !mayShare(*opener, access, share)) return kFileSharingViolation;
    }
    if (mode == OpenMode::CreateAlways) node->bytes.clear();  // only once the share check passed
    // Handles are slot numbers from 1; a closed handle's number is given out again, as systems do.
    auto unused = std::find_if(openers_.begin(), openers_.end(), [](const std::optional<Opener>& slot) { return !slot; });
    if (unused == openers_.end()) unused = openers_.insert(unused, std::nullopt);
    unused->emplace(Opener{node, access, share, {}});
    handle = static_cast<FileHandle>(unused - openers_.begin()) + 1;
    return kFileOk;
  }

  void close(FileHandle handle) {
    std::lock_guard hold(mutex_);
    if (openerOf(handle)) openers_[static_cast<std::size_t>(handle - 1)].reset();
  }

  int readAt(FileHandle handle, std::uint64_t offset, void* buffer, std::size_t size, std::size_t& bytesRead) {
    bytesRead = 0;
    return withOpener(handle, [&](Opener& opener) {
      if (!rangeFits(offset, size)) return kFileBadSeek;
      const std::string& bytes = opener.node->bytes;
      if (offset < bytes.size()) {
        bytesRead = static_cast<std::size_t>(std::min<std::uint64_t>(size, bytes.size() - offset));
        std::memcpy(buffer, bytes.data() + offset, bytesRead);
      }
      return bytesRead == 0 && size > 0 ? kFileEndOfFile : kFileOk;
    });
  }

  int writeAt(FileHandle handle, std::uint64_t offset, const void* data, std::size_t size) {
    return withOpener(handle, [&](Opener& opener) {
      if (!rangeFits(offset, size)) return kFileBadSeek;
      if (size == 0) return kFileOk;
      std::string& bytes = opener.node->bytes;
      const std::uint64_t end = offset + size;
      if (end > bytes.size()) {
        if (end > sizeLimit_) return kFileDiskFull;
        bytes.resize(static_cast<std::size_t>(end), '\0');
      }
      std::memcpy(bytes.data() + offset, data, size);
      return kFileOk;
    });
  }

  int fileLength(FileHandle handle, std::uint64_t& length) {
    length = 0;
    return withOpener(handle, [&](Opener& opener) {
      length = opener.node->bytes.size();
      return kFileOk;
    });
  }

  int setLength(FileHandle handle, std::uint64_t length) {
    return withOpener(handle, [&](Opener& opener) {
      if (length > kLargestOffset) return kFileBadSeek;
      if (length > opener.node->bytes.size() && length > sizeLimit_) return kFileDiskFull;
      opener.node->bytes.resize(static_cast<std::size_t>(length), '\0');
      return kFileOk;
    });
  }

  // A lock may overlap no range that another handle of the file, or this one, holds.
  int lockRange(FileHandle handle, std::uint64_t offset, std::uint64_t length) {
    return withOpener(handle, [&](Opener& opener) {
      if (length > std::numeric_limits<std::uint64_t>::max() - offset) return kFileBadSeek;
      for (const std::optional<Opener>& holder : openers_) {
        if (!holder || holder->node != opener.node) continue;
        for (const ByteRange& held : holder->locks) {
          if (held.overlaps(offset, length)) return kFileLockViolation;
        }
      }
      if (length > 0) opener.locks.push_back({offset, length});
      return kFileOk;
    });
  }

  int unlockRange(FileHandle handle, std::uint64_t offset, std::uint64_t length) {
    return withOpener(handle, [&](Opener& opener) {
      auto held = std::find_if(opener.locks.begin(), opener.locks.end(), [&](const ByteRange& range) {
        return range.offset == offset && range.length == length;
      });
      if (held == opener.locks.end()) return kFileLockViolation;
      opener.locks.erase(held);
      return kFileOk;
    });
  }

  int createDirectory(const base::TextValue& path) {
    std::lock_guard hold(mutex_);
    if (path.empty()) return kFileNotFound;
    if (folderExists(path)) return kFileOk;
    if (files_.count(path) > 0) return kFileAccessDenied;
    if (!folderExists(parentDirectory(path))) return kFileBadPath;
    folders_.insert(path);
    return kFileOk;
  }

  // moveFile (never replacing `to`) and replaceFile.
  int move(const base::TextValue& from, const base::TextValue& to, bool replacing) {
    std::lock_guard hold(mutex_);
    const bool fromFile = files_.count(from) > 0;
    const bool fromFolder = !fromFile && !from.empty() && folderExists(from);
    if (!fromFile && !fromFolder) return missingError(from);
    if (from == to) return replacing ? kFileOk : kFileAccessDenied;
    const bool toFile = files_.count(to) > 0;
    const bool toFolder = !toFile && !to.empty() && folderExists(to);
    if ((toFile || toFolder) && (!replacing || toFolder)) return kFileAccessDenied;
    if (fromFolder && toFile) return kFileBadPath;  // a folder cannot take a file's place
    if (to.empty()) return kFileNotFound;
    if (!folderExists(parentDirectory(to))) return kFileBadPath;
    if (fromFile) {
      std::shared_ptr<Node> node = files_[from];
      files_.erase(from);
      files_[to] = std::move(node);
      return kFileOk;
    }
    return moveFolder(from, to);
  }

  // Renames a folder and everything in it.
  int moveFolder(const base::TextValue& from, const base::TextValue& to) {
    const base::TextValue prefix = joinPath(from, "");
    if (to.size() > prefix.size() && to.compare(0, prefix.size(), prefix) == 0) return kFileUnspecified;
    std::map<base::TextValue, std::shared_ptr<Node>> files;
    for (auto& [path, node] : files_) {
      files[path.compare(0, prefix.size(), prefix) == 0 ? joinPath(to, path.substr(prefix.size())) : path] = node;
    }
    std::set<base::TextValue> folders;
    for (const base::TextValue& folder : folders_) {
      if (folder == from) {
        folders.insert(to);
      } else {
        folders.insert(folder.compare(0, prefix.size(), prefix) == 0 ? joinPath(to, folder.substr(prefix.size()))
                                                                     : folder);
      }
    }
    files_ = std::move(files);
    folders_ = std::move(folders);
    return kFileOk;
  }

  int deleteFile(const base::TextValue& path) {
    std::lock_guard hold(mutex_);
    if (files_.erase(path) > 0) return kFileOk;
    if (!path.empty() && folderExists(path)) return kFileAccessDenied;  // a folder is no file
    return missingError(path);
  }

  mutable std::mutex mutex_;
  std::map<base::TextValue, std::shared_ptr<Node>> files_;
  std::set<base::TextValue> folders_;
  std::vector<std::optional<Opener>> openers_;  // handle N is slot N - 1
  std::uint64_t sizeLimit_ = std::uint64_t{1} << 30;
};

MemoryFiles::MemoryFiles() : store_(std::make_unique<Store>()) {}
MemoryFiles::~MemoryFiles() = default;

FileOperations MemoryFiles::operations() { return store_->operations(); }
void MemoryFiles::put(const base::TextValue& path, std::string_view bytes) { store_->put(path, bytes); }
std::optional<std::string> MemoryFiles::bytes(const base::TextValue& path) const { return store_->bytes(path); }
void MemoryFiles::clear() { store_->clear(); }
std::size_t MemoryFiles::openHandles() const { return store_->openHandles(); }
void MemoryFiles::setSizeLimit(std::uint64_t bytes) { store_->setSizeLimit(bytes); }

}  // namespace platform
