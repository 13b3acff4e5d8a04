#include "ui/event_gate.h"

#include <algorithm>
#include <utility>

namespace ui {
namespace {

// Counts one level for the lifetime of a scope, also when the scope is left by an exception.
class DepthScope {
 public:
  explicit DepthScope(int& depth) : depth_(depth) { ++depth_; }
  ~DepthScope() { --depth_; }
  DepthScope(const DepthScope&) = delete;
  DepthScope& operator=(const DepthScope&) = delete;

 private:
  int& depth_;
};

}  // namespace

EventGate::EventGate(std::function<void()> runWaitingEvents) : runWaitingEvents_(std::move(runWaitingEvents)) {}

bool EventGate::run(WhenBusy whenBusy, Source source, std::function<void()> work) {
  if (busy()) {
    if (whenBusy == WhenBusy::RunBeside && beside_ == Beside::Allowed) {
      runNow(work);
      return true;
    }
    if (whenBusy == WhenBusy::Refuse || whenBusy == WhenBusy::RunBeside) return false;
    if (whenBusy == WhenBusy::StopFirst) stopRequested_ = true;
    keep(source, std::move(work));
    return true;
  }
  const bool outermost = workDepth_ == 0;
  // With no work running there is nothing to stop (work that ended by an exception may have left
  // the request behind).
  if (outermost) stopRequested_ = false;
  runNow(work);
  if (!outermost) return true;
  // The work and everything it let run have returned: what was kept runs now, oldest first.
  while (!kept_.empty()) {
    stopRequested_ = false;
    const std::function<void()> next = std::move(kept_.front().work);
    kept_.erase(kept_.begin());
    runNow(next);
  }
  stopRequested_ = false;
  return true;
}

bool EventGate::letEventsRun(Beside beside) {
  // What the outer pump let run is back when this one returns, also by an exception.
  struct Restore {
    Beside& value;
    Beside outer;
    ~Restore() { value = outer; }
  } restore{beside_, std::exchange(beside_, beside)};
  if (runWaitingEvents_) runModal(runWaitingEvents_);
  return !stopRequested_;
}

void EventGate::runModal(const std::function<void()>& modalLoop) {
  if (workDepth_ > 0) {
    DepthScope pumping(pumpsInsideWork_);
    modalLoop();
  } else {
    modalLoop();
  }
}

void EventGate::runNow(const std::function<void()>& work) {
  DepthScope working(workDepth_);
  if (work) work();
}

void EventGate::keep(Source source, std::function<void()> work) {
  std::erase_if(kept_, [source](const Kept& kept) { return kept.source == source; });
  kept_.push_back({source, std::move(work)});
}

}  // namespace ui
