#pragma once
// Timers on a clock that only tests move: advance(ms) runs every tick that falls due, in time order.

#include <functional>
#include <map>

namespace ui::headless {

class HeadlessTimers {
 public:
  int start(int milliseconds, std::function<void()> tick);
  void stop(int id) { timers_.erase(id); }
  int count() const { return static_cast<int>(timers_.size()); }
  long long now() const { return now_; }

  // Moves the clock on by `milliseconds`, running the ticks that fall due on the way (a tick may
  // start and stop timers, itself included).
  void advance(long long milliseconds);
  // Moves the clock to the next tick and runs it; false when no timer runs.
  bool runNext();

 private:
  struct Timer {
    long long interval = 1;
    long long due = 0;
    std::function<void()> tick;
  };
  // The timer due first (the lowest id among equals), or timers_.end().
  std::map<int, Timer>::iterator next();
  void fire(std::map<int, Timer>::iterator timer);

  std::map<int, Timer> timers_;
  long long now_ = 0;
  int nextId_ = 1;
};

}  // namespace ui::headless
