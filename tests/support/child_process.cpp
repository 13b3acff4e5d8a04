#include "tests/support/child_process.h"

#include <cstdio>
#include <map>
#include <string_view>

#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text_codec.h"

namespace testing_support {
namespace {

constexpr std::string_view kChildFlag = "--child";

// Built on first use, so roles registered from static initializers of any file find it ready.
std::map<std::string, ChildRole>& roles() {
  static std::map<std::string, ChildRole> registered;
  return registered;
}

}  // namespace

bool registerChildRole(const std::string& name, ChildRole role) {
  return roles().emplace(name, std::move(role)).second;
}

int runChild(const std::string& role, const std::vector<std::string>& args) {
  std::vector<std::string> arguments{std::string(kChildFlag), role};
  arguments.insert(arguments.end(), args.begin(), args.end());
  // Starting a process can fail now and then on a loaded machine (under Wine especially); a start
  // that failed is tried again, a child that ran is not.
  int exitCode = -1;
  for (int attempt = 0; attempt < 3 && exitCode == -1; ++attempt) {
    exitCode = platform::runProcess(platform::gbkToUtf8(platform::executablePath()), arguments);
  }
  return exitCode;
}

bool runChildRoleFromArguments(int argc, char** argv, int& exitCode) {
  if (argc < 3 || argv[1] != kChildFlag) return false;
  std::vector<std::string> arguments = platform::commandLineArguments(argc, argv);
  if (arguments.size() < 3) return false;
  auto role = roles().find(arguments[2]);
  if (role == roles().end()) {
    std::fprintf(stderr, "unknown child role: %s\n", arguments[2].c_str());
    exitCode = 127;
    return true;
  }
  exitCode = role->second(std::vector<std::string>(arguments.begin() + 3, arguments.end()));
  return true;
}

}  // namespace testing_support
