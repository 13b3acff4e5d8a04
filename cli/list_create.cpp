#include <optional>
#include <vector>

#include "cli/arguments.h"
#include "cli/list_commands.h"
#include "cli/text_encoding.h"
#include "forms/form_library.h"
#include "lists/list_creation.h"
#include "lists/run_folder.h"
#include "lists/tree_file.h"
#include "platform/file.h"
#include "platform/paths.h"
#include "settings/settings_store.h"

namespace cli {
namespace {

constexpr char kUsage[] = "list create RUNDIR FORM";

// The form a designator names: its 1-based position in the library, else its name.
std::optional<forms::FormDefinition> findForm(const std::vector<forms::FormDefinition>& forms,
                                              const std::string& designator) {
  const bool allDigits = !designator.empty() && designator.size() <= 6 &&
                         designator.find_first_not_of("0123456789") == std::string::npos;
  if (allDigits) {
    const std::size_t number = std::stoul(designator);
    if (number >= 1 && number <= forms.size()) return forms[number - 1];
  }
  const base::TextValue name = toSystemText(designator);
  for (const forms::FormDefinition& form : forms) {
    if (form.name == name) return form;
  }
  return std::nullopt;
}

// The tree file's items, none when there is no file; nothing (after saying why) when it cannot be
// read whole, so that adding to it cannot drop what it holds.
std::optional<std::vector<ui::TreeItemInfo>> readTreeItems(const base::TextValue& path, CommandOutput& output) {
  if (!platform::pathExists(path)) return std::vector<ui::TreeItemInfo>{};
  std::string bytes;
  const int read = platform::readWholeFile(path, bytes);
  if (read != platform::kFileOk) {
    (void)fileFailure(output, "read", toUtf8(path), read);
    return std::nullopt;
  }
  const lists::TreeFileContent content = lists::decodeTreeFile(bytes);
  if (content.damaged) {
    output.err += "error: the tree file " + toUtf8(path) + " is damaged\n";
    return std::nullopt;
  }
  // Written back, a cut tree would lose the items past the cut.
  if (content.cut) {
    output.err += "error: the tree file " + toUtf8(path) + " holds more than " +
                  std::to_string(lists::kMaxTreeItems) + " items\n";
    return std::nullopt;
  }
  std::vector<ui::TreeItemInfo> items;
  for (const lists::TreeFileRecord& record : content.records) items.push_back(record.info);
  return items;
}

}  // namespace

int listCreate(std::span<const std::string> args, CommandOutput& output) {
  Arguments a(args, {}, {});
  if (!a.ok()) return usageError(output, a.error());
  if (a.positional().size() != 2) return usageError(output, kUsage);
  const base::TextValue runDirectory = toPathText(a.positional()[0]);

  settings::SettingsStore store;
  const base::TextValue settingsPath = lists::settingsFilePath(runDirectory);
  if (!store.open(settingsPath)) {
    output.err += "error: cannot open " + toUtf8(settingsPath) + "\n";
    return kFailure;
  }
  forms::FormLibrary library;
  library.load(store);
  library.seedIfEmpty(store);  // as the program does on its first start
  const std::optional<forms::FormDefinition> form = findForm(library.forms(), a.positional()[1]);
  if (!form) {
    output.err += "error: no form " + a.positional()[1] + " in the form library\n";
    return kFailure;
  }
  const base::TextValue treePath = lists::treeDataFilePath(runDirectory);
  std::optional<std::vector<ui::TreeItemInfo>> items = readTreeItems(treePath, output);
  if (!items) return kFailure;

  const std::optional<forms::FormDefinition> listForm = lists::createListDatabase(runDirectory, *form);
  if (!listForm) {
    if (const std::optional<base::TextValue> problem = lists::listCreationProblem(*form)) {
      output.err += "error: " + toUtf8(*problem) + "\n";
      return kFailure;
    }
    output.err += "error: no database could be made for form " + a.positional()[1] + "\n";
    return kFailure;
  }
  lists::writeListFormCopy(store, *listForm);
  lists::appendListTreeItems(*items, *listForm);
  const int written = lists::saveTreeItems(*items, treePath);
  if (written != platform::kFileOk) return fileFailure(output, "write", toUtf8(treePath), written);
  output.out += toUtf8(listForm->name) + "\n";
  return kSuccess;
}

}  // namespace cli
