// The platform's shell hands nothing over that would not stay one argument: whatever a caller
// checked before, a quote or a control character never reaches the browser's or the file
// manager's command line.

#include <gtest/gtest.h>

#include "platform/shell.h"

namespace platform {
namespace {

TEST(NativeShellTest, TextsThatWouldBreakOutOfTheirArgumentAreRefused) {
  const std::unique_ptr<Shell> shell = makeNativeShell();
  for (const char* target : {"", "http://a\" /c calc", "FTP://u:p@x\" /select,\"C:\\", "http://a\r\nb", "FTP://a\tb"}) {
    EXPECT_FALSE(shell->openWebAddress(target)) << target;
    EXPECT_FALSE(shell->openInFileManager(target)) << target;
  }
}

}  // namespace
}  // namespace platform
