#pragma once
// Time for the system: a millisecond tick count, sleeping, and the local date and time.

#include <cstdint>

#include "base/date_time.h"

namespace platform {

// Milliseconds since an arbitrary start, wrapping at 2^32 like the Windows tick count.
std::uint32_t tickCount();

void sleepMilliseconds(std::uint32_t milliseconds);

// The local date and time now, to the second (a leap second reads as second 59).
base::CalendarParts localTimeNow();

}  // namespace platform
