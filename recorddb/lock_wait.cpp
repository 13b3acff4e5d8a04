#include "recorddb/lock_wait.h"

#include <algorithm>
#include <atomic>

#include "platform/clock.h"
#include "platform/file_error.h"

namespace recorddb {
namespace {

std::atomic<int> gLockWait{0};

bool isBusy(int result) {
  return result == platform::kFileSharingViolation || result == platform::kFileLockViolation;
}

}  // namespace

void setLockWait(int milliseconds) { gLockWait = std::max(milliseconds, 0); }
int lockWait() { return gLockWait; }

int retryWhileBusy(const std::function<int()>& attempt, int minimumWait) {
  const auto wait = static_cast<std::uint32_t>(std::max(lockWait(), minimumWait));
  const std::uint32_t start = platform::tickCount();
  int result = attempt();
  while (isBusy(result) && platform::tickCount() - start <= wait && wait > 0) {
    platform::sleepMilliseconds(20 + platform::tickCount() % 20);
    result = attempt();
  }
  return result;
}

}  // namespace recorddb
