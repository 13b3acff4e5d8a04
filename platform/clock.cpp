#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace platform {

std::uint32_t tickCount() {
  auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
  auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count();
  return static_cast<std::uint32_t>(milliseconds);  // keeps the low 32 bits: wraps at 2^32
}

void sleepMilliseconds(std::uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace platform
