#include "cli/settings_commands.h"

#include <optional>

#include "base/number_text.h"
#include "cli/arguments.h"
#include "cli/text_encoding.h"
#include "settings/settings_store.h"

namespace cli {
namespace {

int usage(CommandOutput& output, const std::string& message) {
  output.err += "usage error: " + message + "\n";
  return kUsageError;
}

// A logical value as a user types it.
std::optional<bool> parseLogical(const std::string& utf8) {
  if (utf8 == "true" || utf8 == "1" || utf8 == "\xE7\x9C\x9F") return true;   // 真 in UTF-8
  if (utf8 == "false" || utf8 == "0" || utf8 == "\xE5\x81\x87") return false;  // 假 in UTF-8
  return std::nullopt;
}

// A whole decimal number (sign, digits, point, exponent) and nothing else.
std::optional<double> parseNumber(const std::string& utf8) {
  std::string text = toSystemText(utf8);
  if (text.empty() || text.find_first_not_of("+-0123456789.eE") != std::string::npos) return std::nullopt;
  if (text.find_first_of("0123456789") == std::string::npos) return std::nullopt;
  return base::textToNumber(text);
}

}  // namespace

int settingsGet(std::span<const std::string> args, CommandOutput& output) {
  Arguments a(args, {"--default"}, {});
  if (!a.ok()) return usage(output, a.error());
  if (a.positional().size() != 3) return usage(output, "settings get INI SECTION KEY [--default D]");
  settings::SettingsStore store;
  store.load(toSystemText(a.positional()[0]));
  store.selectSection(toSystemText(a.positional()[1]));
  std::string fallback = toSystemText(a.value("--default").value_or(""));
  output.out += toUtf8(store.readText(toSystemText(a.positional()[2]), fallback)) + "\n";
  return kSuccess;
}

int settingsSet(std::span<const std::string> args, CommandOutput& output) {
  Arguments a(args, {}, {"--number", "--logical"});
  if (!a.ok()) return usage(output, a.error());
  if (a.positional().size() != 4 || (a.has("--number") && a.has("--logical"))) {
    return usage(output, "settings set INI SECTION KEY VALUE [--number|--logical]");
  }
  const std::string& value = a.positional()[3];
  std::optional<double> number;
  std::optional<bool> logical;
  if (a.has("--number") && !(number = parseNumber(value))) return usage(output, "not a number: " + value);
  if (a.has("--logical") && !(logical = parseLogical(value))) {
    return usage(output, "not a logical value (" + toUtf8(base::logicalText(true)) + "/" +
                             toUtf8(base::logicalText(false)) + "/true/false/1/0): " + value);
  }

  settings::SettingsStore store;
  const std::string path = toSystemText(a.positional()[0]);
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
  if (!a.ok()) return usage(output, a.error());
  if (a.positional().size() != 4) return usage(output, "settings rename INI SECTION OLD NEW");
  settings::SettingsStore store;
  if (!store.open(toSystemText(a.positional()[0]))) {
    output.err += "error: cannot open the settings file " + a.positional()[0] + "\n";
    return kFailure;
  }
  auto result = store.renameKey(toSystemText(a.positional()[1]), toSystemText(a.positional()[2]),
                                toSystemText(a.positional()[3]));
  output.out += std::to_string(static_cast<int>(result)) + "\n";
  return result == settings::RenameResult::Renamed ? kSuccess : kFailure;
}

}  // namespace cli
