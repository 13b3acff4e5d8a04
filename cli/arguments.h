#pragma once
// Splits a command's arguments into positional ones and "--name [value]" options.

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace cli {

class Arguments {
 public:
  // `valueOptions` take the next argument as their value; `flags` take none. Anything else that
  // starts with "--" is an error.
  Arguments(std::span<const std::string> args, const std::set<std::string>& valueOptions,
            const std::set<std::string>& flags);

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  const std::vector<std::string>& positional() const { return positional_; }
  std::optional<std::string> value(const std::string& option) const;
  bool has(const std::string& option) const;

 private:
  std::vector<std::string> positional_;
  std::map<std::string, std::string> values_;
  std::string error_;
};

}  // namespace cli
