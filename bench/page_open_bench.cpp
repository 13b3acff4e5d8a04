#include "bench/page_open_bench.h"

#include "app/application.h"
#include "bench/engine_side.h"
#include "bench/report.h"
#include "forms/form_library.h"
#include "lists/list_creation.h"
#include "lists/run_folder.h"
#include "lists/tree_file.h"
#include "platform/file.h"
#include "platform/paths.h"
#include "recorddb/record_database.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/headless/headless_user.h"
#include "windows/main_window_settings.h"

namespace bench {
namespace {

constexpr char kAlias[] = "page";

// The list's database must have the columns the sample records were made for.
bool hasSampleColumns(const forms::FormDefinition& form) {
  const auto columns = sampleColumns();
  if (form.fields.size() != columns.size()) return false;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const forms::DatabaseColumn column = forms::databaseColumnFor(form.fields[i]);
    const bool lengthCounts = column.type == recorddb::kTypeText;  // other types have a fixed size
    if (column.name != columns[i].name || column.type != columns[i].type ||
        (lengthCounts && column.length != columns[i].length)) {
      return false;
    }
  }
  return true;
}

// The run folder with the sample form's list, its form copy, its tree items, and no item to select
// at start.
std::optional<forms::FormDefinition> makeList(const base::TextValue& run, std::string& error) {
  (void)platform::createDirectory(run);
  settings::SettingsStore store;
  if (!store.open(lists::settingsFilePath(run))) {
    error = "cannot open the settings file";
    return std::nullopt;
  }
  forms::FormLibrary library;
  library.load(store);
  library.seedIfEmpty(store);
  std::optional<forms::FormDefinition> list = lists::createListDatabase(run, library.forms().front());
  if (!list || !hasSampleColumns(*list)) {
    error = list ? "the sample form's list has other columns than the sample records" : "cannot create the list";
    return std::nullopt;
  }
  lists::writeListFormCopy(store, *list);
  store.selectSection(windows::kMainSection);
  store.writeNumber(windows::kTreeIndexKey, -1);
  std::vector<ui::TreeItemInfo> items;
  lists::appendListTreeItems(items, *list);
  if (lists::saveTreeItems(items, lists::treeDataFilePath(run)) != platform::kFileOk) {
    error = "cannot write the tree file";
    return std::nullopt;
  }
  return list;
}

bool fillList(const base::TextValue& path, const std::vector<SampleRecord>& records, std::string& error) {
  const bool filled = recorddb::openDatabase(path, kAlias, false, recorddb::kShareDenyWrite) &&
                      appendSampleRecords(records);
  if (!filled) error = "filling the list: " + recorddb::lastErrorText();
  recorddb::closeAllDatabases();
  return filled;
}

// One page opening in a freshly started program.
PageOpen openPageOnce(const base::TextValue& run) {
  app::AppState state;
  ui::headless::HeadlessToolkit toolkit;
  ui::headless::HeadlessUser user(toolkit);
  const std::unique_ptr<platform::Shell> shell = platform::makeNativeShell();  // opens nothing here
  app::Application application(state, toolkit, *shell, run);
  PageOpen result;
  if (application.startup()) {
    windows::MainWindow& window = *application.mainWindow();
    auto& tree = window.window().get<ui::TreeView>("树型框");
    const Timed opened = timed([&]() -> std::optional<std::uint64_t> {
      user.clickTreeItem(tree, 0);
      return static_cast<std::uint64_t>(window.grid().rowCount());
    });
    result = {opened.milliseconds, window.grid().rowCount(), tree.itemCount(), measurePageMemory(window.grid().rows())};
  }
  recorddb::closeAllDatabases();
  return result;
}

}  // namespace

std::optional<PageOpen> timePageOpen(const std::string& runFolder, const std::vector<SampleRecord>& records,
                                     int runs, std::string& error) {
  const std::optional<forms::FormDefinition> list = makeList(runFolder, error);
  if (!list || !fillList(lists::listDatabasePath(runFolder, list->name), records, error)) return std::nullopt;
  std::optional<PageOpen> best;
  for (int run = 0; run < runs; ++run) {
    const PageOpen opened = openPageOnce(runFolder);
    if (opened.rows != static_cast<int>(records.size())) {
      error = "the page shows " + std::to_string(opened.rows) + " rows";
      return std::nullopt;
    }
    if (!best || opened.milliseconds < best->milliseconds) best = opened;
  }
  return best;
}

}  // namespace bench
