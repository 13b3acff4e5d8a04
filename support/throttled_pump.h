#pragma once
// Lets pending events run during long work at most once per interval, so that a window stays
// responsive while the work does not pay for an event check at every step.

#include <algorithm>
#include <chrono>
#include <functional>
#include <utility>

namespace support {

class ThrottledPump {
 public:
  ThrottledPump(std::function<void()> pump, int intervalMs)
      : pump_(std::move(pump)), interval_(std::chrono::milliseconds(std::max(intervalMs, 0))),
        last_(std::chrono::steady_clock::now()) {}

  // Runs the pump when the interval has passed since it last ran (or since the work began).
  void betweenSteps() {
    if (!pump_) return;
    if (std::chrono::steady_clock::now() - last_ < interval_) return;
    pump_();
    last_ = std::chrono::steady_clock::now();
  }

 private:
  std::function<void()> pump_;
  std::chrono::steady_clock::duration interval_;
  std::chrono::steady_clock::time_point last_;
};

}  // namespace support
