// The PING driver against the loopback test server: workers at most five at once, results applied
// on the driver's thread as they arrive, a stop that lets the started probes finish, and a cancel
// (the program closing) that ends the probes in flight at once and stores nothing of them.

#include "checks/ping_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <regex>
#include <system_error>
#include <thread>

#include "platform/text_codec.h"
#include "tests/checks/test_http_server.h"

namespace checks {
namespace {

using checks_testing::TestHttpServer;

// A run over `rows` rows whose PING field 2 probes the address `addressOf(row)`; what it applied.
struct PingRunner {
  explicit PingRunner(int rows, std::function<base::TextValue(int row)> addressOf)
      : context{state, rows, {}, {}, {}}, addressOf_(std::move(addressOf)) {
    context.jobForRow = [this](int row) {
      jobsAsked.push_back(row);
      const base::TextValue address = addressOf_(row);
      if (address.empty()) return PingJob{row, 100 + row, {}};
      return PingJob{row, 100 + row, {{2, address}}};
    };
    context.applyResult = [this](const PingResult& result) {
      EXPECT_EQ(std::this_thread::get_id(), driverThread);
      applied.push_back(result);
    };
    context.letEventsRun = [this] {
      ++pumps;
      return onPump ? onPump() : true;
    };
  }
  PingEnd run() {
    state.pingStop = false;
    state.pingRunning = true;
    const PingEnd end = runPing(context);
    state.pingRunning = false;
    return end;
  }
  std::vector<int> appliedRows() const {
    std::vector<int> rows;
    for (const PingResult& result : applied) rows.push_back(result.row);
    std::sort(rows.begin(), rows.end());
    return rows;
  }

  PingState state;
  PingRunContext context;
  std::thread::id driverThread = std::this_thread::get_id();
  std::vector<int> jobsAsked;
  std::vector<PingResult> applied;
  int pumps = 0;
  std::function<bool()> onPump;

 private:
  std::function<base::TextValue(int)> addressOf_;
};

std::vector<int> oneTo(int n) {
  std::vector<int> rows(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) rows[static_cast<std::size_t>(i)] = i + 1;
  return rows;
}

TEST(PingRunTest, TwelveRowsStartTwelveWorkersNeverMoreThanFiveAtOnce) {
  TestHttpServer server;
  PingRunner run(12, [&](int) { return base::TextValue(server.address("/delay/100")); });
  EXPECT_EQ(run.run(), PingEnd::Finished);
  EXPECT_EQ(server.requests().size(), 12u);
  EXPECT_EQ(server.mostRequestsAtOnce(), kMaxPingWorkers);
  EXPECT_EQ(run.appliedRows(), oneTo(12));
  for (const PingResult& result : run.applied) {
    EXPECT_EQ(result.recordId, 100 + result.row);
    EXPECT_EQ(result.field, 2);
    EXPECT_TRUE(std::regex_match(result.text, std::regex(R"(\d+ 毫秒\(状态码:200\))"))) << platform::gbkToUtf8(result.text);
  }
  EXPECT_EQ(run.state.pingThreads, 0);
  EXPECT_GT(run.pumps, 0);  // the events ran while it waited
}

TEST(PingRunTest, RowsWithoutProbesStartNoWorker) {
  TestHttpServer server;
  PingRunner run(20, [](int) { return base::TextValue(); });
  EXPECT_EQ(run.run(), PingEnd::Finished);
  EXPECT_EQ(run.jobsAsked, oneTo(20));
  EXPECT_TRUE(run.applied.empty());
  EXPECT_TRUE(server.requests().empty());
}

TEST(PingRunTest, StatusesAndAddressesAsProbed) {
  TestHttpServer server;
  const std::vector<std::string> paths{"/status/404", "/redirect/301", "/status/200"};
  PingRunner run(3, [&](int row) {
    // Without a scheme, and with one in capitals.
    return base::TextValue(row == 3 ? "HTTP://" + server.address(paths[2]) : server.address(paths[row - 1]));
  });
  EXPECT_EQ(run.run(), PingEnd::Finished);
  ASSERT_EQ(run.applied.size(), 3u);
  std::sort(run.applied.begin(), run.applied.end(), [](const auto& a, const auto& b) { return a.row < b.row; });
  const char* statuses[] = {"(状态码:404)", "(状态码:301)", "(状态码:200)"};
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(run.applied[i].text.ends_with(statuses[i])) << i;
}

TEST(PingRunTest, AStopStartsNoFurtherWorkerAndAppliesTheStartedOnes) {
  TestHttpServer server;
  PingRunner run(12, [&](int) { return base::TextValue(server.address("/delay/200")); });
  run.onPump = [&] {
    run.state.pingStop = true;  // the button, pressed while the first five probe
    return true;
  };
  EXPECT_EQ(run.run(), PingEnd::Stopped);
  EXPECT_EQ(run.jobsAsked, oneTo(5));
  EXPECT_EQ(run.appliedRows(), oneTo(5));
  EXPECT_EQ(server.requests().size(), 5u);
  EXPECT_EQ(run.state.pingThreads, 0);
}

TEST(PingRunTest, ACancelEndsTheProbesInFlightAtOnceAndStoresNothingOfThem) {
  TestHttpServer server;
  PingRunner run(8, [&](int row) { return base::TextValue(server.address(row <= 2 ? "/status/200" : "/silent")); });
  // The window closes once two results are in and five probes have reached the server.
  std::size_t askedAtClose = 0;
  run.onPump = [&] {
    if (askedAtClose == 0 && run.applied.size() >= 2 && server.requests().size() >= 5) askedAtClose = run.jobsAsked.size();
    return askedAtClose == 0;
  };
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(run.run(), PingEnd::Cancelled);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));  // not the ten-second wait
  // The two that answered are applied; the silent ones are not (they learned nothing).
  EXPECT_EQ(run.appliedRows(), (std::vector<int>{1, 2}));
  EXPECT_EQ(run.jobsAsked.size(), askedAtClose);  // no row after the close
  EXPECT_TRUE(run.state.pingStop);
  EXPECT_EQ(run.state.pingThreads, 0);
}

TEST(PingRunTest, AThreadThatCannotStartEndsTheRunWithTheStartedRowsApplied) {
  TestHttpServer server;
  PingRunner run(6, [&](int) { return base::TextValue(server.address("/delay/100")); });
  int starts = 0;
  run.context.startThread = [&](std::function<void()> work) {
    if (++starts == 3) throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    return startSystemThread(std::move(work));
  };
  EXPECT_EQ(run.run(), PingEnd::NoThread);
  EXPECT_EQ(run.jobsAsked, oneTo(3));
  EXPECT_EQ(run.appliedRows(), oneTo(2));  // row 3 stays as it was
  EXPECT_EQ(server.requests().size(), 2u);
  EXPECT_EQ(run.state.pingThreads, 0);
}

TEST(PingTextTest, ResultTextsAndAddresses) {
  EXPECT_EQ(pingResultText(123, 200), "123 毫秒(状态码:200)");
  EXPECT_EQ(pingResultText(10020, 0), "10.02 秒(状态码:0)");
  EXPECT_EQ(pingAddress("example.com"), "http://example.com");
  EXPECT_EQ(pingAddress("HTTPS://example.com"), "HTTPS://example.com");
  EXPECT_EQ(pingAddress("httpbin.org"), "httpbin.org");  // begins with "http": kept as it is
  EXPECT_EQ(pingAddress(""), "http://");
}

}  // namespace
}  // namespace checks
