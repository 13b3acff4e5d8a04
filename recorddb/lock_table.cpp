#include "recorddb/lock_table.h"

#include <algorithm>

#include "recorddb/error_codes.h"
#include "recorddb/format.h"
#include "recorddb/lock_wait.h"

namespace recorddb {
int LockTable::lockByte(platform::File& file, std::uint64_t offset, int minimumWait) {
  if (depth_ > 0) return kDbOk;
  auto it = std::find_if(held_.begin(), held_.end(), [offset](const HeldByte& b) { return b.offset == offset; });
  if (it != held_.end()) {
    ++it->extra;
    return kDbOk;
  }
  const int result = retryWhileBusy([&] { return file.lock(offset, 1); }, minimumWait);
  // A byte the platform cannot lock counts as taken, with nothing to unlock.
  if (result != platform::kFileOk && result != platform::kFileNotSupported) return result;
  held_.push_back({offset, 0, result == platform::kFileOk});
  return kDbOk;
}

int LockTable::unlockByte(platform::File& file, std::uint64_t offset) {
  if (depth_ > 0) return kDbOk;
  auto it = std::find_if(held_.begin(), held_.end(), [offset](const HeldByte& b) { return b.offset == offset; });
  if (it == held_.end()) return kDbUnlockFailed;
  if (it->extra > 0) {
    --it->extra;
    return kDbOk;
  }
  const bool locked = it->locked;
  held_.erase(it);
  if (!locked) return kDbOk;
  return file.unlock(offset, 1) == platform::kFileOk ? kDbOk : kDbUnlockFailed;
}

int LockTable::lockWhole(platform::File& file) {
  if (depth_++ >= 1) return kDbOk;
  std::vector<std::uint64_t> heldOffsets;
  for (const HeldByte& b : held_) heldOffsets.push_back(b.offset);
  std::sort(heldOffsets.begin(), heldOffsets.end());
  std::uint64_t start = 0;
  for (std::uint64_t offset : heldOffsets) {
    if (offset >= format::kWholeFileLockLength) break;
    if (offset > start) wholeRuns_.push_back({start, offset, false});
    start = offset + 1;
  }
  if (start < format::kWholeFileLockLength) wholeRuns_.push_back({start, format::kWholeFileLockLength, false});
  for (Run& run : wholeRuns_) {
    int result = retryWhileBusy([&] { return file.lock(run.start, run.end - run.start); });
    if (result == platform::kFileNotSupported) continue;  // the platform cannot lock it: skipped
    if (result != platform::kFileOk) {
      depth_ = 1;
      unlockWhole(file);
      return result;
    }
    run.locked = true;
  }
  return kDbOk;
}

void LockTable::unlockWhole(platform::File& file) {
  if (depth_ <= 0) return;
  if (--depth_ > 0) return;
  for (const Run& run : wholeRuns_) {
    if (run.locked) (void)file.unlock(run.start, run.end - run.start);
  }
  wholeRuns_.clear();
}

void LockTable::releaseAll(platform::File& file) {
  for (const Run& run : wholeRuns_) {
    if (run.locked) (void)file.unlock(run.start, run.end - run.start);
  }
  wholeRuns_.clear();
  for (const HeldByte& b : held_) {
    if (b.locked) (void)file.unlock(b.offset, 1);
  }
  held_.clear();
}

}  // namespace recorddb
