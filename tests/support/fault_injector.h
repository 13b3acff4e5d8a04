#pragma once
// Makes chosen file operations fail, for tests of what the system does when a disk fills, a read
// comes back short or the process stops half-way. While a FaultInjector lives, every file operation
// of platform/ goes through it; it counts the operations of the kinds it is told to watch and fails
// the chosen one (or every one from then on). All other operations pass to the platform unchanged.
//
// Tests of a write path loop over "fail at operation N" for N = 1, 2, … until the operation under
// test runs through without meeting the failure (fired() stays false).

#include <cstddef>
#include <cstdint>

#include "platform/file_error.h"
#include "platform/file_operations.h"

namespace testing_support {

// Exists stands for both existence tests (pathExists, isDirectory). Delete stays the last kind.
enum class FileOperation : std::uint32_t {
  Open, Read, Write, Length, SetLength, Flush, Lock, Unlock,
  Exists, CreateDirectory, Move, Replace, Delete,
};

// A set of FileOperation kinds.
using FileOperationSet = std::uint32_t;

constexpr FileOperationSet operationSet(FileOperation kind) { return 1u << static_cast<std::uint32_t>(kind); }
template <typename... Kinds>
constexpr FileOperationSet operationSet(FileOperation kind, Kinds... more) {
  return operationSet(kind) | operationSet(more...);
}

// Every kind (closing a file is never failed: it cannot report a failure).
inline constexpr FileOperationSet kEveryOperation = (operationSet(FileOperation::Delete) << 1) - 1;
// The kinds that change files.
inline constexpr FileOperationSet kChangingOperations =
    operationSet(FileOperation::Write, FileOperation::SetLength, FileOperation::Flush,
                 FileOperation::CreateDirectory, FileOperation::Move, FileOperation::Replace, FileOperation::Delete);

class FaultInjector {
 public:
  static constexpr int kProcessStoppedExitCode = 75;

  FaultInjector();
  FaultInjector(const FaultInjector&) = delete;
  FaultInjector& operator=(const FaultInjector&) = delete;

  // The `n`th operation (1-based, counted from now) among `kinds` fails with `error`.
  void failAt(int n, FileOperationSet kinds = kEveryOperation, int error = platform::kFileDiskFull);
  // The `n`th operation among `kinds` and every operation of any kind after it fail with `error`:
  // the process stopped there, and nothing more of its work reaches the disk.
  void stopAt(int n, FileOperationSet kinds = kEveryOperation, int error = platform::kFileHardwareIo);
  // The process ends (with kProcessStoppedExitCode) when the `n`th operation among `kinds` is
  // reached, before it runs; a write reached then writes the first half of its bytes first when
  // torn writes are on. For tests in a child process of what a crash leaves on disk.
  void exitAt(int n, FileOperationSet kinds = kEveryOperation) { watch(Mode::Exit, n, kinds, platform::kFileOk); }
  // The `n`th read delivers only half the bytes it read, and no error.
  void shortenReadAt(int n);
  // A write that fails first writes the first half of its bytes, as a full disk may leave it.
  void tearFailingWrites(bool torn) { tornWrites_ = torn; }
  // Passes everything on again.
  void stop() { mode_ = Mode::PassOn; }

  // Whether the chosen operation was reached.
  bool fired() const { return fired_; }
  // How many operations among the watched kinds ran since the last failAt/stopAt/shortenReadAt.
  int counted() const { return counted_; }

 private:
  enum class Mode { PassOn, FailOne, Stop, ShortRead, Exit };
  enum class Verdict { PassOn, Fail, Shorten, Exit };

  void watch(Mode mode, int n, FileOperationSet kinds, int error);
  Verdict verdictFor(FileOperation kind);
  platform::FileOperations makeOperations();

  Mode mode_ = Mode::PassOn;
  FileOperationSet kinds_ = 0;
  int target_ = 0;
  int error_ = platform::kFileOk;
  int counted_ = 0;
  bool fired_ = false;
  bool stopped_ = false;
  bool tornWrites_ = false;
  platform::ScopedFileOperations scope_;
};

}  // namespace testing_support
