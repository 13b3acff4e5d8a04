// The HTTP status probe against a server of the test's own on 127.0.0.1. The same tests run on
// libcurl natively and on WinHTTP under Wine.

#include "checks/http_client.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/checks/test_http_server.h"

namespace {

using checks::HttpClient;
using checks_testing::LoopbackSocket;
using checks_testing::TestHttpServer;
using Requests = std::vector<std::string>;

constexpr int kWait = 10;  // seconds: answers come long before

class ProbeTest : public testing::Test {
 protected:
  TestHttpServer server;
  HttpClient client;
};

TEST_F(ProbeTest, ReportsTheStatusOfEachAnswerOnOneClient) {
  EXPECT_EQ(client.probeStatus(server.url("/status/200"), kWait), 200);
  EXPECT_EQ(client.probeStatus(server.url("/status/404"), kWait), 404);
  EXPECT_EQ(client.probeStatus(server.url("/status/500"), kWait), 500);
  EXPECT_EQ(client.probeStatus(server.url("/status/200"), kWait), 200);
  EXPECT_EQ(server.requests(),
            (Requests{"GET /status/200", "GET /status/404", "GET /status/500", "GET /status/200"}));
}

TEST_F(ProbeTest, RedirectsAreReportedNotFollowed) {
  EXPECT_EQ(client.probeStatus(server.url("/redirect/301"), kWait), 301);
  EXPECT_EQ(client.probeStatus(server.url("/redirect/302"), kWait), 302);
  EXPECT_EQ(server.requests(), (Requests{"GET /redirect/301", "GET /redirect/302"}));  // never /status/200
}

TEST_F(ProbeTest, TheStatusCountsOnceTheHeadersAreIn) {
  EXPECT_EQ(client.probeStatus(server.url("/trickle/head"), kWait), 200);
  // The body would take ten seconds; the status is there long before the wait of two is over.
  EXPECT_EQ(client.probeStatus(server.url("/trickle/body"), 2), 200);
}

TEST_F(ProbeTest, NoAnswerWithinTheWaitGivesZeroAfterTheWait) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(client.probeStatus(server.url("/silent"), 1), 0);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_GE(elapsed, std::chrono::milliseconds(900));
  EXPECT_LT(elapsed, std::chrono::seconds(4));  // the wait ended it, not the 5-second receive timeout
  EXPECT_EQ(client.probeStatus(server.url("/status/404"), kWait), 404);  // the client goes on working
}

TEST_F(ProbeTest, FailuresGiveZero) {
  const LoopbackSocket closed = LoopbackSocket::boundOnly();
  ASSERT_TRUE(closed.valid());
  EXPECT_EQ(client.probeStatus("http://127.0.0.1:" + std::to_string(closed.port()) + "/", kWait), 0);
  EXPECT_EQ(client.probeStatus("", kWait), 0);
  EXPECT_EQ(client.probeStatus("#top", kWait), 0);
  EXPECT_EQ(client.probeStatus("http://127.0.0.1:0/", kWait), 0);
  EXPECT_EQ(client.probeStatus("ftp://127.0.0.1:" + std::to_string(server.port()) + "/", kWait), 0);
  EXPECT_TRUE(server.requests().empty());
}

TEST_F(ProbeTest, TheAddressIsNormalisedBeforeTheRequest) {
  const std::string hostAndPort = "127.0.0.1:" + std::to_string(server.port());
  EXPECT_EQ(client.probeStatus(hostAndPort + "/plain?q=1#part", kWait), 200);  // no scheme, a fragment
  EXPECT_EQ(client.probeStatus("HTTP://" + hostAndPort + "/upper", kWait), 200);
  EXPECT_EQ(client.probeStatus(server.url("/表 格"), kWait), 200);  // GBK in, UTF-8 on the wire
  EXPECT_EQ(client.probeStatus("http://user:pw@" + hostAndPort, kWait), 200);
  EXPECT_EQ(server.requests(),
            (Requests{"GET /plain?q=1", "GET /upper", "GET /%E8%A1%A8%20%E6%A0%BC", "GET /"}));
}

TEST_F(ProbeTest, AnHttpsAddressInCapitalsKeepsItsScheme) {
  // The server speaks plain HTTP, so the probe fails; but it was greeted with a TLS handshake.
  EXPECT_EQ(client.probeStatus("HTTPS://127.0.0.1:" + std::to_string(server.port()) + "/secure", kWait), 0);
  EXPECT_TRUE(server.sawTlsHandshake());
  EXPECT_TRUE(server.requests().empty());
}

TEST(ProbeThreadsTest, ClientsOnSeveralThreadsProbeAtOnce) {
  TestHttpServer server;
  const std::vector<int> statuses{200, 404, 301, 500, 302, 203};
  constexpr int kThreads = 6;
  std::vector<std::vector<int>> results(kThreads);
  {
    std::vector<std::jthread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&, t] {
        HttpClient client;
        for (std::size_t i = 0; i < statuses.size(); ++i) {
          const int status = statuses[(i + t) % statuses.size()];
          results[t].push_back(client.probeStatus(server.url("/status/" + std::to_string(status)), kWait) - status);
        }
      });
    }
  }
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(results[t], std::vector<int>(statuses.size(), 0)) << t;
  EXPECT_EQ(server.requests().size(), kThreads * statuses.size());
}

TEST(ProbeCancelTest, ACancelFromAnotherThreadEndsTheProbeInFlightAndEveryLaterOne) {
  TestHttpServer server;
  HttpClient client;
  std::int32_t status = -1;
  std::chrono::steady_clock::duration took{};
  std::jthread probing([&] {
    const auto start = std::chrono::steady_clock::now();
    status = client.probeStatus(server.url("/silent"), kWait);
    took = std::chrono::steady_clock::now() - start;
  });
  while (server.requests().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  client.cancel();
  probing.join();
  EXPECT_EQ(status, 0);
  EXPECT_LT(took, std::chrono::seconds(2));  // not the ten seconds of the wait
  EXPECT_TRUE(client.cancelled());
  EXPECT_EQ(client.probeStatus(server.url("/status/200"), kWait), 0);
  EXPECT_EQ(server.requests().size(), 1u);  // the later probe sent nothing
}

TEST(ProbeWaitTest, TheCallersSecondsWithinLimits) {
  EXPECT_EQ(checks::probeWaitMilliseconds(10), 10000);
  EXPECT_EQ(checks::probeWaitMilliseconds(1), 1000);
  EXPECT_EQ(checks::probeWaitMilliseconds(0), 25000);
  EXPECT_EQ(checks::probeWaitMilliseconds(-1), 25000);  // never an endless wait
  EXPECT_EQ(checks::probeWaitMilliseconds(std::numeric_limits<std::int32_t>::max()), 3600000);
}

}  // namespace
