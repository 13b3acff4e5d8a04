#include "platform/clock.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(ClockTest, TicksCountMilliseconds) {
  std::uint32_t before = platform::tickCount();
  platform::sleepMilliseconds(30);
  std::uint32_t elapsed = platform::tickCount() - before;  // wraps like the ticks themselves
  EXPECT_GE(elapsed, 30u);
  EXPECT_LT(elapsed, 30000u);  // milliseconds, not microseconds
}

TEST(ClockTest, TheLocalTimeIsARealDateAndTimeOfDay) {
  const base::CalendarParts now = platform::localTimeNow();
  EXPECT_TRUE(base::isValidCalendar(now));
  EXPECT_GE(now.year, 2024);
}

}  // namespace
