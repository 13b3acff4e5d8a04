#include "bench/values_bench.h"

#include "bench/report.h"
#include "forms/field_text.h"
#include "lists/list_workspace.h"
#include "recorddb/record_database.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/tree_view.h"

namespace bench {
namespace {

// One key field holding the filed values, and one other field.
constexpr char kFormFields[] = "平台|10|20|0|真||名称|10|30|0|假";

ui::WindowLayout treeWindow() {
  ui::WindowLayout layout;
  layout.name = "主窗口";
  layout.bounds = {0, 0, 400, 300};
  layout.controls = {{"树型框", ui::ControlKind::TreeView, "", {0, 0, 200, 300}, "", true, true}};
  return layout;
}

bool appendRecords(int records, int distinct) {
  for (int i = 0; i < records; ++i) {
    if (!recorddb::appendRecord() ||
        !recorddb::writeField(1, recorddb::FieldValue::text("值" + std::to_string(i % distinct))) ||
        !recorddb::writeField(2, recorddb::FieldValue::text("记录" + std::to_string(i)))) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<ValueFiling> timeValueFiling(const std::string& runFolder, int records, int distinct,
                                           std::string& error) {
  ui::headless::HeadlessToolkit toolkit;
  std::unique_ptr<ui::Window> window = toolkit.createWindow(treeWindow(), nullptr);
  ui::TreeView& tree = window->get<ui::TreeView>("树型框");
  settings::SettingsStore settings;
  forms::FormDefinition openForm;
  lists::ListSelection selection;
  lists::ListWorkspace workspace({settings, toolkit, tree, runFolder, openForm, selection});

  const forms::FormDefinition form{"值表", forms::parseFieldSpecText(kFormFields, forms::kLibraryAttributes)};
  if (!workspace.createList(form) || !workspace.openListDatabase(openForm.name) || !appendRecords(records, distinct)) {
    error = "making the list: " + recorddb::lastErrorText();
    recorddb::closeAllDatabases();
    return std::nullopt;
  }
  selection.listItem = 0;

  const Timed run = timed([&]() -> std::optional<std::uint64_t> {
    workspace.rebuildValueSets();
    for (int record = 1; record <= records; ++record) workspace.addRecordValues(record);
    return static_cast<std::uint64_t>(tree.itemCount());
  });
  recorddb::closeAllDatabases();
  return ValueFiling{run.milliseconds, tree.itemCount() - 2};
}

}  // namespace bench
