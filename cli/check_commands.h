#pragma once
// Commands of the field checks: the HTTP status probe and the elapsed-time text.

#include <span>
#include <string>

#include "cli/command.h"

namespace cli {

// probe URL [--wait S]: prints the status code; exit 1 when there is none (0 printed).
int probe(std::span<const std::string> args, CommandOutput& output);

// text duration MS: prints the elapsed-time text of MS milliseconds.
int textDuration(std::span<const std::string> args, CommandOutput& output);

}  // namespace cli
