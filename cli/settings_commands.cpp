#include "cli/settings_commands.h"

#include <optional>

#include "base/number_text.h"
#include "cli/arguments.h"
#include "cli/text_encoding.h"
#include "cli/value_text.h"
#include "settings/settings_store.h"

namespace cli {

int settingsGet(std::span<const std::string> args, CommandOutput& output) {
  Arguments a(args, {"--default"}, {});
  if (!a.ok()) return usageError(output, a.error());
  if (a.positional().size() != 3) return usageError(output, "settings get INI SECTION KEY [--default D]");
  settings::SettingsStore store;
  store.load(toPathText(a.positional()[0]));
  store.selectSection(toSystemText(a.positional()[1]));
  std::string fallback = toSystemText(a.value("--default").value_or(""));
  output.out += toUtf8(store.readText(toSystemText(a.positional()[2]), fallback)) + "\n";
  return kSuccess;
}

int settingsSet(std::span<const std::string> args, CommandOutput& output) {
  Arguments a(args, {}, {"--number", "--logical"});
  if (!a.ok()) return usageError(output, a.error());
  if (a.positional().size() != 4 || (a.has("--number") && a.has("--logical"))) {
    return usageError(output, "settings set INI SECTION KEY VALUE [--number|--logical]");
  }
  const std::string& value = a.positional()[3];
  std::optional<double> number;
  std::optional<bool> logical;
  if (a.has("--number") && !(number = parseDecimal(value))) return usageError(output, "not a number: " + value);
  if (a.has("--logical") && !(logical = parseLogical(value))) {
    return usageError(output, "not a logical value (" + toUtf8(base::logicalText(true)) + "/" +
                             toUtf8(base::logicalText(false)) + "/true/false/1/0): " + value);
  }

  settings::SettingsStore store;
  const std::string path = toPathText(a.positional()[0]);
  if (!store.open(path)) {
    output.err += "error: cannot open the settings file " + a.positional()[0] + "\n";
    return kFailure;
  }
  store.selectSection(toSystemText(a.positional()[1]));
  const std::string key = toSystemText(a.positional()[2]);
  bool written = number ? store.writeNumber(key, *number)
                 : logical ? store.writeLogical(key, *logical)
                           : store.writeText(key, toSystemText(value));
  if (!written) {
    output.err += "error: the value was not written\n";
    return kFailure;
  }
  return kSuccess;
}

int settingsRename(std::span<const std::string> args, CommandOutput& output) {
  Arguments a(args, {}, {});
  if (!a.ok()) return usageError(output, a.error());
  if (a.positional().size() != 4) return usageError(output, "settings rename INI SECTION OLD NEW");
  settings::SettingsStore store;
  if (!store.open(toPathText(a.positional()[0]))) {
    output.err += "error: cannot open the settings file " + a.positional()[0] + "\n";
    return kFailure;
  }
  auto result = store.renameKey(toSystemText(a.positional()[1]), toSystemText(a.positional()[2]),
                                toSystemText(a.positional()[3]));
  output.out += std::to_string(static_cast<int>(result)) + "\n";
  return result == settings::RenameResult::Renamed ? kSuccess : kFailure;
}

}  // namespace cli
