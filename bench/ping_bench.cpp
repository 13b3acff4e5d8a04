#include "bench/ping_bench.h"

#include <chrono>

#include "app/application.h"
#include "checks/ping_run.h"
#include "forms/field_text.h"
#include "forms/form_library.h"
#include "lists/run_folder.h"
#include "platform/paths.h"
#include "recorddb/record_database.h"
#include "tests/checks/test_http_server.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/headless/headless_user.h"
#include "ui/toolbar.h"
#include "ui/tree_view.h"
#include "windows/main_window_layout.h"

namespace bench {
namespace {

constexpr char kFormName[] = "站点";
constexpr char kFormFields[] = "名称|10|20|0|真||网址|10|100|0|假||PING|25|30|2|假";
constexpr int kPingField = 3;

bool storeForm(const base::TextValue& run, std::string& error) {
  (void)platform::createDirectory(run);
  settings::SettingsStore store;
  if (!store.open(lists::settingsFilePath(run))) {
    error = "cannot open the settings file";
    return false;
  }
  forms::FormLibrary library;
  library.forms().push_back({kFormName, forms::parseFieldSpecText(kFormFields, forms::kLibraryAttributes)});
  library.save(store, 0);
  return true;
}

bool appendRows(int rows, const std::string& address) {
  if (!recorddb::setCurrentDatabase(kFormName)) return false;
  for (int row = 1; row <= rows; ++row) {
    if (!recorddb::appendRecord() ||
        !recorddb::writeField(1, recorddb::FieldValue::text("站" + std::to_string(row % 10))) ||
        !recorddb::writeField(2, recorddb::FieldValue::text(address))) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<PingTiming> timePing(const std::string& runFolder, int rows, int delayMs, std::string& error) {
  if (!storeForm(runFolder, error)) return std::nullopt;
  checks_testing::TestHttpServer server;
  if (server.port() == 0) {
    error = "cannot listen on 127.0.0.1";
    return std::nullopt;
  }
  app::AppState state;
  ui::headless::HeadlessToolkit toolkit;
  ui::headless::HeadlessUser user(toolkit);
  const std::unique_ptr<platform::Shell> shell = platform::makeNativeShell();
  app::Application application(state, toolkit, *shell, runFolder);
  std::optional<PingTiming> timing;
  if (application.startup()) {
    windows::MainWindow& window = *application.mainWindow();
    auto& toolbar = window.window().get<ui::Toolbar>("工具条");
    auto& tree = window.window().get<ui::TreeView>("树型框");
    user.clickToolbarButton(toolbar, windows::kNewList);
    if (!appendRows(rows, server.address("/delay/" + std::to_string(delayMs)))) {
      error = "filling the list: " + recorddb::lastErrorText();
    } else {
      tree.setCurrentItem(-1);
      user.clickTreeItem(tree, 0);
      const auto start = std::chrono::steady_clock::now();
      user.clickToolbarButton(toolbar, windows::kPing);
      PingTiming result;
      result.milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      const int rounds = (rows + checks::kMaxPingWorkers - 1) / checks::kMaxPingWorkers;
      result.idealMilliseconds = static_cast<double>(rounds) * delayMs;
      result.mostProbesAtOnce = server.mostRequestsAtOnce();
      for (int row = 1; row <= window.grid().rowCount(); ++row) {
        if (!window.grid().cell(row, kPingField).empty()) ++result.rowsWithResult;
      }
      if (result.rowsWithResult == rows) {
        timing = result;
      } else {
        error = std::to_string(result.rowsWithResult) + " of " + std::to_string(rows) + " rows got a result";
      }
    }
  } else {
    error = "the program did not start";
  }
  recorddb::closeAllDatabases();
  return timing;
}

}  // namespace bench
