#include "platform/clock.h"

#include <chrono>
#include <ctime>
#include <thread>

#include "platform/local_time.h"

namespace platform {

std::uint32_t tickCount() {
  auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
  auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count();
  return static_cast<std::uint32_t>(milliseconds);  // keeps the low 32 bits: wraps at 2^32
}

void sleepMilliseconds(std::uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

base::CalendarParts localTimeNow() {
  std::tm parts{};
  native::toLocalTime(std::time(nullptr), parts);
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min,
          parts.tm_sec < 59 ? parts.tm_sec : 59};
}

}  // namespace platform
