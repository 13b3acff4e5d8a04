#pragma once
// Lets pending events run during long work at most once per interval, so that a window stays
// responsive while the work does not pay for an event check at every step. The pump answers whether
// the work may go on (the events it ran may have asked the work to stop); once it has said no, the
// work is to end and the pump runs no more.

#include <algorithm>
#include <chrono>
#include <utility>

#include "base/event_pump.h"

namespace support {

using base::EventPump;

class ThrottledPump {
 public:
  ThrottledPump(EventPump pump, int intervalMs)
      : pump_(std::move(pump)), interval_(std::chrono::milliseconds(std::max(intervalMs, 0))),
        last_(std::chrono::steady_clock::now()) {}

  // Runs the pump when the interval has passed since it last ran (or since the work began).
  // False once the work is to stop.
  bool betweenSteps() {
    if (stopped_) return false;
    if (!pump_) return true;
    if (std::chrono::steady_clock::now() - last_ < interval_) return true;
    stopped_ = !pump_();
    last_ = std::chrono::steady_clock::now();
    return !stopped_;
  }
  bool stopped() const { return stopped_; }

 private:
  EventPump pump_;
  std::chrono::steady_clock::duration interval_;
  std::chrono::steady_clock::time_point last_;
  bool stopped_ = false;
};

}  // namespace support
