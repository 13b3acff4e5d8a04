#pragma once
// Runs a gebu-cli command line in-process and gives what it answered.

#include <string>
#include <vector>

#include "cli/command.h"

namespace testing_support {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

inline CliResult runCli(const std::vector<std::string>& args) {
  cli::CommandOutput output;
  int status = cli::runCommandLine(args, output);
  return {status, output.out, output.err};
}

}  // namespace testing_support
