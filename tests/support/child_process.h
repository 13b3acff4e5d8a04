#pragma once
// Runs the test program itself again as a child process, for tests that need a second process
// (share modes, locks). The child is started with "--child <role> <args...>"; test_main hands such
// a start to the role registered under that name instead of running the tests.

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// A child role: gets the arguments after the role name (UTF-8) and returns the exit code.
using ChildRole = std::function<int(const std::vector<std::string>& args)>;

// Registers a role; use from a static initializer in the test file that needs it.
bool registerChildRole(const std::string& name, ChildRole role);

// Starts this program with "--child <role> <args...>", waits for it and returns its exit code
// (-1 when it could not be started).
int runChild(const std::string& role, const std::vector<std::string>& args);

// Used by test_main: when argv names a child role, runs it and returns true with its exit code.
bool runChildRoleFromArguments(int argc, char** argv, int& exitCode);

}  // namespace testing_support
