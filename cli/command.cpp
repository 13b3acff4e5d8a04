#include "cli/command.h"

#include <array>

#include "cli/check_commands.h"
#include "cli/db_commands.h"
#include "cli/forms_commands.h"
#include "cli/list_commands.h"
#include "cli/settings_commands.h"
#include "cli/text_commands.h"
#include "cli/tree_commands.h"

namespace cli {
namespace {

constexpr std::array kCommands{
    Command{"settings", "get", "INI SECTION KEY [--default D]", settingsGet},
    Command{"settings", "set", "INI SECTION KEY VALUE [--number|--logical]", settingsSet},
    Command{"settings", "rename", "INI SECTION OLD NEW", settingsRename},
    Command{"forms", "parse", "TEXT [--attrs 5|6]", formsParse},
    Command{"db", "create", "PATH NAME:TYPE[:LENGTH] ...", dbCreate},
    Command{"db", "info", "PATH", dbInfo},
    Command{"db", "dump", "PATH [--deleted]", dbDump},
    Command{"db", "append", "PATH [N=VALUE ...]", dbAppend},
    Command{"db", "import", "PATH FILE.csv  (first row: field names or numbers; a record per row)", dbImport},
    Command{"db", "set", "PATH ID N=VALUE ...", dbSet},
    Command{"db", "delete", "PATH ID ...", dbDelete},
    Command{"db", "pack", "PATH", dbPack},
    Command{"db", "check", "PATH", dbCheck},
    Command{"tree", "dump", "FILE", treeDump},
    Command{"list", "create", "RUNDIR FORM  (FORM: a 1-based number or a name; prints the list's name)", listCreate},
    Command{"list", "export", "RUNDIR LIST [--format csv|json]  (csv: UTF-8 with BOM; json: {columns, rows})", listExport},
    Command{"text", "date", "TEXT", textDate},
    Command{"text", "duration", "MS", textDuration},
    Command{"probe", "", "URL [--wait S]", probe},
};

std::string usageText() {
  std::string text = "usage: gebu-cli COMMAND ...\n";
  for (const Command& command : kCommands) {
    text += "  gebu-cli " + std::string(command.group) + " ";
    if (!command.name.empty()) text += std::string(command.name) + " ";
    text += std::string(command.usage) + "\n";
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
  for (const Command& command : kCommands) {
    if (args.empty() || args[0] != command.group) continue;
    if (command.name.empty()) return command.run(args.subspan(1), output);  // a command of one word
    if (args.size() >= 2 && args[1] == command.name) return command.run(args.subspan(2), output);
  }
  output.err += usageText();
  return kUsageError;
}

int usageError(CommandOutput& output, const std::string& message) {
  output.err += "usage error: " + message + "\n";
  return kUsageError;
}

int fileFailure(CommandOutput& output, const std::string& action, const std::string& utf8Path, int fileError) {
  output.err += "error: cannot " + action + " " + utf8Path + " (file error " + std::to_string(fileError) + ")\n";
  return kFailure;
}

}  // namespace cli
