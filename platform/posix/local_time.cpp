#include <ctime>

#include "platform/clock.h"

namespace platform {

base::CalendarParts localTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min,
          parts.tm_sec < 59 ? parts.tm_sec : 59};
}

}  // namespace platform
