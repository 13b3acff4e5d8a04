// Command lines: quoting for Windows, and arguments and exit codes that reach a child process.

#include "platform/process.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/command_line_quoting.h"
#include "platform/text_codec.h"
#include "tests/support/child_process.h"

namespace {

using platform::quoteWindowsArgument;

// Arguments that only survive correct quoting, and a Chinese one (UTF-8).
std::vector<std::string> trickyArguments() {
  return {"plain",
          "",
          "two words",
          "say \"hi\"",
          "C:\\folder\\",
          "end\\ ",
          "\\\\\"",
          "tab\there",
          platform::gbkToUtf8("程序数据")};
}

[[maybe_unused]] const bool kExpectRegistered = testing_support::registerChildRole(
    "expect-tricky-arguments",
    [](const std::vector<std::string>& args) { return args == trickyArguments() ? 0 : 1; });

[[maybe_unused]] const bool kExitRegistered = testing_support::registerChildRole(
    "exit-with", [](const std::vector<std::string>& args) { return std::stoi(args.at(0)); });

TEST(WindowsQuotingTest, QuotesOnlyWhatNeedsIt) {
  EXPECT_EQ(quoteWindowsArgument("plain"), "plain");
  EXPECT_EQ(quoteWindowsArgument("C:\\folder\\"), "C:\\folder\\");  // no quotes: backslashes are plain
  EXPECT_EQ(quoteWindowsArgument(""), "\"\"");
  EXPECT_EQ(quoteWindowsArgument("two words"), "\"two words\"");
}

TEST(WindowsQuotingTest, BackslashesDoubleOnlyBeforeAQuote) {
  EXPECT_EQ(quoteWindowsArgument("say \"hi\""), "\"say \\\"hi\\\"\"");
  EXPECT_EQ(quoteWindowsArgument("a\\b c"), "\"a\\b c\"");
  EXPECT_EQ(quoteWindowsArgument("end\\ "), "\"end\\ \"");
  EXPECT_EQ(quoteWindowsArgument("dir\\ x\\"), "\"dir\\ x\\\\\"");  // before the closing quote
  EXPECT_EQ(quoteWindowsArgument("\\\\\""), "\"\\\\\\\\\\\"\"");    // two backslashes and a quote
}

TEST(WindowsQuotingTest, CommandLineStartsWithTheProgram) {
  EXPECT_EQ(platform::windowsCommandLine("C:\\Program Files\\x.exe", {"a", "b c"}),
            "\"C:\\Program Files\\x.exe\" a \"b c\"");
}

TEST(ChildProcessTest, ArgumentsArriveUnchanged) {
  EXPECT_EQ(testing_support::runChild("expect-tricky-arguments", trickyArguments()), 0);
  EXPECT_EQ(testing_support::runChild("expect-tricky-arguments", {"other"}), 1);
}

TEST(ChildProcessTest, ExitCodesComeBack) {
  EXPECT_EQ(testing_support::runChild("exit-with", {"42"}), 42);
  EXPECT_EQ(testing_support::runChild("exit-with", {"0"}), 0);
}

TEST(ChildProcessTest, AMissingProgramCannotStart) {
  EXPECT_EQ(platform::runProcess(platform::gbkToUtf8("不存在的程序"), {}), -1);
}

}  // namespace
