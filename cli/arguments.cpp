#include "cli/arguments.h"

namespace cli {

Arguments::Arguments(std::span<const std::string> args, const std::set<std::string>& valueOptions,
                     const std::set<std::string>& flags) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
      positional_.push_back(arg);
    } else if (flags.count(arg)) {
      values_[arg] = "";
    } else if (valueOptions.count(arg)) {
      if (i + 1 >= args.size()) {
        error_ = arg + " needs a value";
        return;
      }
      values_[arg] = args[++i];
    } else {
      error_ = "unknown option " + arg;
      return;
    }
  }
}

std::optional<std::string> Arguments::value(const std::string& option) const {
  auto it = values_.find(option);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

bool Arguments::has(const std::string& option) const { return values_.count(option) != 0; }

}  // namespace cli
