#pragma once
// EventGate: the one guard against re-entry on the UI thread.
//
// Long work on the UI thread (a page filling, a sort, a wait) lets the waiting events run now and
// then, so that the windows stay responsive. An event that would start work of its own must not run
// inside that work: it could change what the running loop is walking. Every such event asks the gate
// to run its work. While no work is letting events run, the work runs at once (also when one piece of
// work calls another directly). While work is letting events run, the request comes from one of those
// events and is, as its handler chose:
//   - refused (a command aimed at what the running work is changing, a sort by a header position),
//   - kept until the running work has returned (an edit whose latest state counts), or
//   - kept, and the running work asked to stop first (a newer list selection wins).
// Kept requests run in the order they came, once the outermost work has returned; a newer request
// of the same source replaces a kept one. Nothing runs nested, but for one kind of event: work that
// leaves alone what such events read and change (a PING run keeps the rows as they are) may let
// them run beside it, at once (a click on a row, a copy).

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace ui {

enum class WhenBusy {
  Refuse,     // dropped
  RunAfter,   // runs once the running work has returned
  StopFirst,  // the running work is asked to stop; then as RunAfter
  RunBeside,  // runs at once when the running work lets such events run beside it, else dropped
};

// Whether the events that running work lets run may include those that run beside it.
enum class Beside { Refused, Allowed };

class EventGate {
 public:
  // Tells requests apart: a kept request is replaced by a newer one of the same source.
  using Source = const void*;

  // `runWaitingEvents` runs the events that are waiting and returns (the toolkit's pump).
  explicit EventGate(std::function<void()> runWaitingEvents = {});
  EventGate(const EventGate&) = delete;
  EventGate& operator=(const EventGate&) = delete;

  // Runs `work` now, or as `whenBusy` says while running work lets events run. True when the work
  // ran or will run.
  bool run(WhenBusy whenBusy, Source source, std::function<void()> work);

  // An event handler whose body runs through run(), as a source of its own.
  template <typename... Args, typename Handler>
  std::function<void(Args...)> guard(WhenBusy whenBusy, Handler handler) {
    auto source = std::make_shared<char>();
    return [this, whenBusy, source, handler = std::move(handler)](Args... args) {
      run(whenBusy, source.get(), [handler, args...] { handler(args...); });
    };
  }

  // Lets the waiting events run. False when the running work has been asked to stop: it is to end
  // as soon as it can, leaving what it worked on consistent. With Beside::Allowed, events of
  // WhenBusy::RunBeside run among them.
  bool letEventsRun(Beside beside = Beside::Refused);
  // Runs a modal loop of the platform (a message box, a popup menu), which lets events run as the
  // pump does: events it delivers to other windows are gated alike.
  void runModal(const std::function<void()>& modalLoop);
  bool stopRequested() const { return stopRequested_; }
  // Running work is letting events run at this moment: a request now comes from one of them.
  bool busy() const { return pumpsInsideWork_ > 0; }

 private:
  struct Kept {
    Source source;
    std::function<void()> work;
  };

  void runNow(const std::function<void()>& work);
  void keep(Source source, std::function<void()> work);

  std::function<void()> runWaitingEvents_;
  int workDepth_ = 0;
  int pumpsInsideWork_ = 0;
  bool stopRequested_ = false;
  Beside beside_ = Beside::Refused;  // what the innermost pump inside work lets run
  std::vector<Kept> kept_;
};

}  // namespace ui
