// gebu-cli's probe and duration commands. Output is UTF-8.

#include "cli/check_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/checks/test_http_server.h"
#include "tests/support/run_cli.h"

namespace {

using checks_testing::LoopbackSocket;
using checks_testing::TestHttpServer;

using Result = testing_support::CliResult;

Result run(const std::vector<std::string>& args) { return testing_support::runCli(args); }

TEST(ProbeCommandTest, PrintsTheStatusCode) {
  TestHttpServer server;
  Result redirect = run({"probe", server.url("/redirect/302")});
  EXPECT_EQ(redirect.out, "302\n");
  EXPECT_EQ(redirect.status, cli::kSuccess);
  EXPECT_EQ(run({"probe", server.address("/status/404"), "--wait", "5"}).out, "404\n");

  const LoopbackSocket closed = LoopbackSocket::boundOnly();
  Result refused = run({"probe", "http://127.0.0.1:" + std::to_string(closed.port()) + "/", "--wait", "5"});
  EXPECT_EQ(refused.out, "0\n");
  EXPECT_EQ(refused.status, cli::kFailure);
  Result silent = run({"probe", server.url("/silent"), "--wait", "1"});
  EXPECT_EQ(silent.out, "0\n");
  EXPECT_EQ(silent.status, cli::kFailure);
}

TEST(ProbeCommandTest, WrongCalls) {
  EXPECT_EQ(run({"probe"}).status, cli::kUsageError);
  EXPECT_EQ(run({"probe", "a", "b"}).status, cli::kUsageError);
  EXPECT_EQ(run({"probe", "a", "--wait"}).status, cli::kUsageError);
  EXPECT_EQ(run({"probe", "a", "--wait", "soon"}).status, cli::kUsageError);
  EXPECT_EQ(run({"probe", "a", "--wait", "99999999999"}).status, cli::kUsageError);
  EXPECT_NE(run({"--help"}).out.find("gebu-cli probe URL [--wait S]\n"), std::string::npos);
}

TEST(DurationCommandTest, PrintsTheTextInUtf8) {
  EXPECT_EQ(run({"text", "duration", "1234"}).out, "1.23 \xE7\xA7\x92\n");                   // 秒
  EXPECT_EQ(run({"text", "duration", "-5"}).out, "-5 \xE6\xAF\xAB\xE7\xA7\x92\n");          // 毫秒
  EXPECT_EQ(run({"text", "duration", "31104000000"}).out, "1 \xE5\xB9\xB4\n");             // 年
  for (const char* wrong : {"", "1.5", "12ms", "+-1", "99999999999999999999"}) {
    EXPECT_EQ(run({"text", "duration", wrong}).status, cli::kUsageError) << wrong;
  }
  EXPECT_EQ(run({"text", "duration"}).status, cli::kUsageError);
}

}  // namespace
