// The event gate: work that events start while other work lets events run never runs inside it.

#include "ui/event_gate.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace ui {
namespace {

// A gate whose pump runs the events a test queued, as a toolkit's would.
struct QueuedEvents {
  std::deque<std::function<void()>> waiting;
  EventGate gate{[this] {
    while (!waiting.empty()) {
      auto event = std::move(waiting.front());
      waiting.pop_front();
      event();
    }
  }};
  std::vector<std::string> log;

  // A long piece of work: `steps` steps, letting events run after each; ends early when asked.
  std::function<void()> longWork(const std::string& name, int steps) {
    return [this, name, steps] {
      log.push_back(name + " begins");
      for (int step = 1; step <= steps; ++step) {
        if (!gate.letEventsRun()) {
          log.push_back(name + " stopped");
          return;
        }
      }
      log.push_back(name + " ends");
    };
  }
};

TEST(EventGateTest, WorkRunsAtOnceWhenNothingLetsEventsRunAndDirectCallsNest) {
  QueuedEvents q;
  EXPECT_TRUE(q.gate.run(WhenBusy::Refuse, nullptr, [&] {
    q.log.push_back("outer");
    // The program calling more work directly (a selection it makes itself) is part of the work.
    EXPECT_TRUE(q.gate.run(WhenBusy::Refuse, nullptr, [&] { q.log.push_back("inner"); }));
    q.log.push_back("outer again");
  }));
  EXPECT_EQ(q.log, (std::vector<std::string>{"outer", "inner", "outer again"}));
  // Events let run with no work going (a test's or the message loop's own pump) run as they come.
  q.waiting.push_back([&] { q.gate.run(WhenBusy::Refuse, nullptr, [&] { q.log.push_back("at the top"); }); });
  EXPECT_TRUE(q.gate.letEventsRun());
  EXPECT_EQ(q.log.back(), "at the top");
  EXPECT_FALSE(q.gate.busy());
}

TEST(EventGateTest, EventsInsideRunningWorkAreRefusedOrKeptInOrder) {
  QueuedEvents q;
  int first = 0;
  int second = 0;
  q.waiting.push_back([&] {
    EXPECT_TRUE(q.gate.busy());
    EXPECT_FALSE(q.gate.run(WhenBusy::Refuse, nullptr, [&] { q.log.push_back("refused ran"); }));
    EXPECT_TRUE(q.gate.run(WhenBusy::RunAfter, &first, [&] { q.log.push_back("edit 1"); }));
    EXPECT_TRUE(q.gate.run(WhenBusy::RunAfter, &second, [&] { q.log.push_back("other"); }));
    // A newer request of the same source replaces the kept one and goes to the end.
    EXPECT_TRUE(q.gate.run(WhenBusy::RunAfter, &first, [&] { q.log.push_back("edit 2"); }));
  });
  q.gate.run(WhenBusy::Refuse, nullptr, q.longWork("fill", 3));
  EXPECT_EQ(q.log, (std::vector<std::string>{"fill begins", "fill ends", "other", "edit 2"}));
  EXPECT_FALSE(q.gate.stopRequested());
}

TEST(EventGateTest, EventsBesideWorkRunAtOnceOnlyWhereTheWorkLetsThem) {
  QueuedEvents q;
  const auto click = [&q](const std::string& name) {
    q.waiting.push_back([&q, name] {
      q.gate.run(WhenBusy::RunBeside, nullptr, [&q, name] { q.log.push_back(name); });
    });
  };
  // A page fill lets no such event run; a PING run lets them run at once, inside its step.
  click("during a fill");
  q.gate.run(WhenBusy::Refuse, nullptr, q.longWork("fill", 1));
  click("during a run");
  q.gate.run(WhenBusy::Refuse, nullptr, [&q] {
    q.log.push_back("run begins");
    EXPECT_TRUE(q.gate.letEventsRun(Beside::Allowed));
    q.log.push_back("run ends");
  });
  EXPECT_EQ(q.log, (std::vector<std::string>{"fill begins", "fill ends", "run begins", "during a run", "run ends"}));
}

TEST(EventGateTest, ANewerSelectionStopsTheRunningWorkAndTheLatestOneWins) {
  QueuedEvents q;
  int tree = 0;
  const auto select = [&](const std::string& page) {
    q.waiting.push_back([&, page] { q.gate.run(WhenBusy::StopFirst, &tree, q.longWork(page, 2)); });
  };
  select("page B");
  select("page C");
  q.gate.run(WhenBusy::StopFirst, &tree, q.longWork("page A", 5));
  // A stopped; of B and C, selected while A filled, only C runs, and runs to its end.
  EXPECT_EQ(q.log, (std::vector<std::string>{"page A begins", "page A stopped", "page C begins", "page C ends"}));
  EXPECT_FALSE(q.gate.stopRequested());

  // A selection made while a kept page fills stops that page in turn.
  q.log.clear();
  q.waiting.push_back([&] {
    q.gate.run(WhenBusy::StopFirst, &tree, [&] {
      q.log.push_back("page D begins");
      select("page E");
      EXPECT_FALSE(q.gate.letEventsRun());
      q.log.push_back("page D stopped");
    });
  });
  q.gate.run(WhenBusy::StopFirst, &tree, q.longWork("page A", 3));
  EXPECT_EQ(q.log, (std::vector<std::string>{"page A begins", "page A stopped", "page D begins", "page D stopped",
                                             "page E begins", "page E ends"}));
}

TEST(EventGateTest, GuardedHandlersAreSourcesOfTheirOwnAndPassTheirArguments) {
  QueuedEvents q;
  std::vector<int> clicked;
  const std::function<void(int)> button =
      q.gate.guard<int>(WhenBusy::RunAfter, [&](int index) { clicked.push_back(index); });
  const std::function<void(int)> other = q.gate.guard<int>(WhenBusy::RunAfter, [&](int index) { clicked.push_back(-index); });
  button(1);
  EXPECT_EQ(clicked, (std::vector<int>{1}));
  q.waiting.push_back([&] {
    button(2);
    other(3);
    button(4);  // replaces 2: the same handler
  });
  q.gate.run(WhenBusy::Refuse, nullptr, q.longWork("sort", 1));
  EXPECT_EQ(clicked, (std::vector<int>{1, -3, 4}));
}

}  // namespace
}  // namespace ui
