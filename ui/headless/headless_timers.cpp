#include "ui/headless/headless_timers.h"

#include <algorithm>

namespace ui::headless {

int HeadlessTimers::start(int milliseconds, std::function<void()> tick) {
  const long long interval = std::max(1, milliseconds);
  const int id = nextId_++;
  timers_[id] = Timer{interval, now_ + interval, std::move(tick)};
  return id;
}

std::map<int, HeadlessTimers::Timer>::iterator HeadlessTimers::next() {
  auto first = timers_.end();
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (first == timers_.end() || it->second.due < first->second.due) first = it;
  }
  return first;
}

void HeadlessTimers::fire(std::map<int, Timer>::iterator timer) {
  now_ = std::max(now_, timer->second.due);
  timer->second.due += timer->second.interval;
  const std::function<void()> tick = timer->second.tick;  // the tick may stop its own timer
  if (tick) tick();
}

void HeadlessTimers::advance(long long milliseconds) {
  const long long target = now_ + std::max(0LL, milliseconds);
  for (auto timer = next(); timer != timers_.end() && timer->second.due <= target; timer = next()) fire(timer);
  now_ = target;
}

bool HeadlessTimers::runNext() {
  const auto timer = next();
  if (timer == timers_.end()) return false;
  fire(timer);
  return true;
}

}  // namespace ui::headless
