#pragma once
// gebu-cli's commands: each is a group and a name ("settings get") with a handler that gets the
// remaining arguments (UTF-8) and writes UTF-8 to its output. Exit codes: 0 success, 1 the
// operation failed, 2 the call was wrong.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

enum ExitCode : int { kSuccess = 0, kFailure = 1, kUsageError = 2 };

struct CommandOutput {
  std::string out;
  std::string err;
};

using CommandHandler = int (*)(std::span<const std::string> args, CommandOutput& output);

struct Command {
  std::string_view group;
  std::string_view name;   // empty for a command of one word ("probe URL")
  std::string_view usage;  // the arguments, for the usage text
  CommandHandler run;
};

// Every command of the program.
std::span<const Command> allCommands();

// Runs the command named by args[0] and args[1], or by args[0] alone for a command of one word
// (the program name not included).
int runCommandLine(std::span<const std::string> args, CommandOutput& output);

// Adds "usage error: <message>" to stderr and returns kUsageError.
int usageError(CommandOutput& output, const std::string& message);

// Adds "error: cannot <action> <path> (file error <code>)" to stderr and returns kFailure.
int fileFailure(CommandOutput& output, const std::string& action, const std::string& utf8Path, int fileError);

}  // namespace cli
