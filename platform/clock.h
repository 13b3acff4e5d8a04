#pragma once
// Time for the system: a millisecond tick count and sleeping.

#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary start, wrapping at 2^32 like the Windows tick count.
std::uint32_t tickCount();

void sleepMilliseconds(std::uint32_t milliseconds);

}  // namespace platform
