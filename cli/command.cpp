#include "cli/command.h"

#include <array>

#include "cli/forms_commands.h"
#include "cli/settings_commands.h"
#include "cli/text_commands.h"

namespace cli {
namespace {

constexpr std::array kCommands{
    Command{"settings", "get", "INI SECTION KEY [--default D]", settingsGet},
    Command{"settings", "set", "INI SECTION KEY VALUE [--number|--logical]", settingsSet},
    Command{"settings", "rename", "INI SECTION OLD NEW", settingsRename},
    Command{"forms", "parse", "TEXT [--attrs 5|6]", formsParse},
    Command{"text", "date", "TEXT", textDate},
};

std::string usageText() {
  std::string text = "usage: gebu-cli COMMAND ...\n";
  for (const Command& command : kCommands) {
    text += "  gebu-cli " + std::string(command.group) + " " + std::string(command.name) + " " +
            std::string(command.usage) + "\n";
  }
  return text;
}

}  // namespace

std::span<const Command> allCommands() { return kCommands; }

int runCommandLine(std::span<const std::string> args, CommandOutput& output) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "help")) {
    output.out += usageText();
    return kSuccess;
  }
  if (args.size() >= 2) {
    for (const Command& command : kCommands) {
      if (args[0] == command.group && args[1] == command.name) return command.run(args.subspan(2), output);
    }
  }
  output.err += usageText();
  return kUsageError;
}

}  // namespace cli
