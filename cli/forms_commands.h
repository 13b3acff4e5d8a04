#pragma once
#include <span>
#include <string>

#include "cli/command.h"

namespace cli {

int formsParse(std::span<const std::string> args, CommandOutput& output);

}  // namespace cli
