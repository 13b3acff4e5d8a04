#include "tests/support/fault_injector.h"

#include <cstdlib>

namespace testing_support {

FaultInjector::FaultInjector() : scope_(makeOperations()) {}

void FaultInjector::watch(Mode mode, int n, FileOperationSet kinds, int error) {
  mode_ = mode;
  target_ = n;
  kinds_ = kinds;
  error_ = error;
  counted_ = 0;
  fired_ = false;
  stopped_ = false;
}

void FaultInjector::failAt(int n, FileOperationSet kinds, int error) { watch(Mode::FailOne, n, kinds, error); }

void FaultInjector::stopAt(int n, FileOperationSet kinds, int error) { watch(Mode::Stop, n, kinds, error); }

void FaultInjector::shortenReadAt(int n) {
  watch(Mode::ShortRead, n, operationSet(FileOperation::Read), platform::kFileOk);
}

FaultInjector::Verdict FaultInjector::verdictFor(FileOperation kind) {
  if (mode_ == Mode::PassOn) return Verdict::PassOn;
  if (stopped_) return Verdict::Fail;
  if ((kinds_ & operationSet(kind)) == 0) return Verdict::PassOn;
  if (++counted_ != target_) return Verdict::PassOn;
  fired_ = true;
  if (mode_ == Mode::Exit) {
    // A write may leave half its bytes first; everything else ends here.
    if (kind != FileOperation::Write) std::_Exit(kProcessStoppedExitCode);
    return Verdict::Exit;
  }
  if (mode_ == Mode::Stop) stopped_ = true;
  return mode_ == Mode::ShortRead ? Verdict::Shorten : Verdict::Fail;
}

platform::FileOperations FaultInjector::makeOperations() {
  const platform::FileOperations* real = &platform::nativeFileOperations();
  platform::FileOperations operations = *real;
  using platform::FileHandle;
  operations.open = [this, real](const base::TextValue& path, platform::FileAccess access, platform::ShareMode share,
                                  platform::OpenMode mode, FileHandle& handle) {
    return verdictFor(FileOperation::Open) == Verdict::Fail ? error_ : real->open(path, access, share, mode, handle);
  };
  operations.readAt = [this, real](FileHandle handle, std::uint64_t offset, void* buffer, std::size_t size,
                                    std::size_t& bytesRead) {
    bytesRead = 0;
    const Verdict verdict = verdictFor(FileOperation::Read);
    if (verdict == Verdict::Fail) return error_;
    const int result = real->readAt(handle, offset, buffer, size, bytesRead);
    if (verdict == Verdict::Shorten) bytesRead /= 2;
    return result;
  };
  operations.writeAt = [this, real](FileHandle handle, std::uint64_t offset, const void* data, std::size_t size) {
    const Verdict verdict = verdictFor(FileOperation::Write);
    if (verdict == Verdict::PassOn) return real->writeAt(handle, offset, data, size);
    if (tornWrites_ && size > 1) (void)real->writeAt(handle, offset, data, size / 2);
    if (verdict == Verdict::Exit) std::_Exit(kProcessStoppedExitCode);
    return error_;
  };
  operations.length = [this, real](FileHandle handle, std::uint64_t& length) {
    length = 0;
    return verdictFor(FileOperation::Length) == Verdict::Fail ? error_ : real->length(handle, length);
  };
  operations.setLength = [this, real](FileHandle handle, std::uint64_t length) {
    return verdictFor(FileOperation::SetLength) == Verdict::Fail ? error_ : real->setLength(handle, length);
  };
  operations.flush = [this, real](FileHandle handle) {
    return verdictFor(FileOperation::Flush) == Verdict::Fail ? error_ : real->flush(handle);
  };
  operations.lockRange = [this, real](FileHandle handle, std::uint64_t offset, std::uint64_t length) {
    return verdictFor(FileOperation::Lock) == Verdict::Fail ? error_ : real->lockRange(handle, offset, length);
  };
  operations.unlockRange = [this, real](FileHandle handle, std::uint64_t offset, std::uint64_t length) {
    return verdictFor(FileOperation::Unlock) == Verdict::Fail ? error_ : real->unlockRange(handle, offset, length);
  };
  operations.pathExists = [this, real](const base::TextValue& path) {
    return verdictFor(FileOperation::Exists) == Verdict::Fail ? false : real->pathExists(path);
  };
  operations.isDirectory = [this, real](const base::TextValue& path) {
    return verdictFor(FileOperation::Exists) == Verdict::Fail ? false : real->isDirectory(path);
  };
  operations.createDirectory = [this, real](const base::TextValue& path) {
    return verdictFor(FileOperation::CreateDirectory) == Verdict::Fail ? error_ : real->createDirectory(path);
  };
  operations.moveFile = [this, real](const base::TextValue& from, const base::TextValue& to) {
    return verdictFor(FileOperation::Move) == Verdict::Fail ? error_ : real->moveFile(from, to);
  };
  operations.replaceFile = [this, real](const base::TextValue& from, const base::TextValue& to) {
    return verdictFor(FileOperation::Replace) == Verdict::Fail ? error_ : real->replaceFile(from, to);
  };
  operations.deleteFile = [this, real](const base::TextValue& path) {
    return verdictFor(FileOperation::Delete) == Verdict::Fail ? error_ : real->deleteFile(path);
  };
  return operations;
}

}  // namespace testing_support
