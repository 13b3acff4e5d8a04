#pragma once
#include <span>
#include <string>

#include "cli/command.h"

namespace cli {

// tree dump FILE: the tree data file's items as JSON.
int treeDump(std::span<const std::string> args, CommandOutput& output);

}  // namespace cli
