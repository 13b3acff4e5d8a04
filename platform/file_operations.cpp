// The table of file operations in use, and the path-level operations of paths.h, which go through it.

#include "platform/file_operations.h"

#include <atomic>

#include "platform/native_file_operations.h"
#include "platform/paths.h"

namespace platform {
namespace {

FileOperations makeNativeOperations() {
  FileOperations operations;
  operations.open = native::openFile;
  operations.close = native::closeFile;
  operations.readAt = native::readAt;
  operations.writeAt = native::writeAt;
  operations.length = native::fileLength;
  operations.setLength = native::setFileLength;
  operations.flush = native::flushFile;
  operations.lockRange = native::lockRange;
  operations.unlockRange = native::unlockRange;
  operations.pathExists = native::pathExists;
  operations.isDirectory = native::isDirectory;
  operations.createDirectory = native::createDirectory;
  operations.moveFile = native::moveFile;
  operations.replaceFile = native::replaceFile;
  operations.deleteFile = native::deleteFile;
  return operations;
}

// The table in use; null means the native one. Only ScopedFileOperations changes it.
std::atomic<const FileOperations*>& activeOperations() {
  static std::atomic<const FileOperations*> active{nullptr};
  return active;
}

}  // namespace

const FileOperations& nativeFileOperations() {
  static const FileOperations operations = makeNativeOperations();
  return operations;
}

const FileOperations& fileOperations() {
  const FileOperations* active = activeOperations().load(std::memory_order_acquire);
  return active ? *active : nativeFileOperations();
}

ScopedFileOperations::ScopedFileOperations(FileOperations operations)
    : operations_(std::move(operations)), previous_(activeOperations().load(std::memory_order_acquire)) {
  activeOperations().store(&operations_, std::memory_order_release);
}

ScopedFileOperations::~ScopedFileOperations() { activeOperations().store(previous_, std::memory_order_release); }

bool pathExists(const base::TextValue& path) { return fileOperations().pathExists(path); }
bool isDirectory(const base::TextValue& path) { return fileOperations().isDirectory(path); }
int createDirectory(const base::TextValue& path) { return fileOperations().createDirectory(path); }
int moveFile(const base::TextValue& from, const base::TextValue& to) { return fileOperations().moveFile(from, to); }
int replaceFile(const base::TextValue& from, const base::TextValue& to) {
  return fileOperations().replaceFile(from, to);
}
int deleteFile(const base::TextValue& path) { return fileOperations().deleteFile(path); }

}  // namespace platform
