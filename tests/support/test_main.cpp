// The entry of every test program: either a child role (see child_process.h) or the tests.

#include <gtest/gtest.h>

#include "tests/support/child_process.h"

int main(int argc, char** argv) {
  int exitCode = 0;
  if (testing_support::runChildRoleFromArguments(argc, argv, exitCode)) return exitCode;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
