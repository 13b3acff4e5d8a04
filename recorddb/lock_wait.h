#pragma once
// The retry rule for locks and opens: an attempt that meets a sharing or lock violation is tried
// again while the time since the first attempt is within the process-wide lock wait time, sleeping
// 20 + (tick count mod 20) milliseconds between attempts.

#include <functional>

namespace recorddb {

void setLockWait(int milliseconds);
int lockWait();

// Runs `attempt` (returning 0 or an error code) under the retry rule, waiting at least
// `minimumWait` milliseconds even when the process-wide wait is shorter.
int retryWhileBusy(const std::function<int()>& attempt, int minimumWait = 0);

}  // namespace recorddb
