// gebu-cli: inspect and edit the program's files from the command line. UTF-8 in and out.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "platform/process.h"

int main(int argc, char** argv) {
  platform::useBinaryStandardStreams();
  std::vector<std::string> args = platform::commandLineArguments(argc, argv);
  if (!args.empty()) args.erase(args.begin());
  cli::CommandOutput output;
  int status = cli::runCommandLine(args, output);
  std::fwrite(output.out.data(), 1, output.out.size(), stdout);
  std::fwrite(output.err.data(), 1, output.err.size(), stderr);
  std::fflush(stdout);
  return status;
}
