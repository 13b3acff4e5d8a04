#pragma once
#include <span>
#include <string>

#include "cli/command.h"

namespace cli {

int settingsGet(std::span<const std::string> args, CommandOutput& output);
int settingsSet(std::span<const std::string> args, CommandOutput& output);
int settingsRename(std::span<const std::string> args, CommandOutput& output);

}  // namespace cli
