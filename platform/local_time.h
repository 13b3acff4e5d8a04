#pragma once
// The platform's own conversion of a moment to local calendar time (each C runtime names its
// thread-safe one differently).

#include <ctime>

namespace platform::native {

void toLocalTime(std::time_t moment, std::tm& parts);

}  // namespace platform::native
