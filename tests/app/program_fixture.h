#pragma once
// The program started on a scratch run folder with the headless toolkit, and what tests of the
// main window need around it: the library stored beforehand, the tree's texts, the messages shown.

#include <gtest/gtest.h>

#include "app/application.h"
#include "forms/field_text.h"
#include "platform/paths.h"
#include "recorddb/record_database.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/recording_shell.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/headless/headless_user.h"
#include "ui/list_controls.h"
#include "ui/toolbar.h"
#include "ui/tree_view.h"
#include "windows/main_window_layout.h"

namespace app {

class ProgramFixture : public testing::Test {
 protected:
  struct Run {
    explicit Run(const base::TextValue& folder, ui::headless::HeadlessMetrics screen = {})
        : toolkit(screen), application(state, toolkit, shell, folder) {}
    ~Run() { recorddb::closeAllDatabases(); }
    AppState state;
    ui::headless::HeadlessToolkit toolkit;
    ui::headless::HeadlessUser user{toolkit};
    testing_support::RecordingShell shell;
    Application application;
    ui::Window& window() { return application.mainWindow()->window(); }
    ui::TreeView& tree() { return window().get<ui::TreeView>("树型框"); }
    ui::ComboBox& selector() { return window().get<ui::ComboBox>("组合框表单"); }
    bool clickToolbar(int index) { return user.clickToolbarButton(window().get<ui::Toolbar>("工具条"), index); }
    std::vector<base::TextValue> texts() {
      std::vector<base::TextValue> all;
      for (const ui::TreeItemInfo& info : tree().snapshot()) all.push_back(info.item.text);
      return all;
    }
    std::vector<base::TextValue> shownMessages() {
      std::vector<base::TextValue> all;
      for (const auto& shown : toolkit.messageBoxes()) all.push_back(shown.request.text);
      return all;
    }
  };

  // Stores the library (name, 5-attribute field text) before the program starts.
  void storeForms(const std::vector<std::pair<const char*, const char*>>& stored, int selectedIndex = 0) {
    settings::SettingsStore store;
    ASSERT_TRUE(store.open(dir.file("砚川·格簿录入台.ini")));
    forms::FormLibrary library;
    for (const auto& [name, fieldText] : stored) {
      library.forms().push_back({name, forms::parseFieldSpecText(fieldText, forms::kLibraryAttributes)});
    }
    library.save(store, selectedIndex);
  }

  std::unique_ptr<Run> start(ui::headless::HeadlessMetrics screen = {}) {
    auto run = std::make_unique<Run>(dir.path(), screen);
    EXPECT_TRUE(run->application.startup());
    return run;
  }

  base::TextValue dataFile(const base::TextValue& name) const {
    return platform::joinPath(dir.file("程序数据"), name);
  }
  bool exists(const base::TextValue& name) const { return platform::pathExists(dataFile(name)); }

  // Appends records to the list's database with these texts in fields 1 and 2.
  static void appendRecords(const base::TextValue& listName,
                            const std::vector<std::pair<base::TextValue, base::TextValue>>& values) {
    ASSERT_TRUE(recorddb::setCurrentDatabase(listName));
    for (const auto& [first, second] : values) {
      ASSERT_TRUE(recorddb::appendRecord());
      ASSERT_TRUE(recorddb::writeField(1, recorddb::FieldValue::text(first)));
      ASSERT_TRUE(recorddb::writeField(2, recorddb::FieldValue::text(second)));
    }
  }

  testing_support::ScratchDir dir;
};

// A form with key fields 1 and 3.
inline constexpr char kKeyedForm[] = "城市|10|20|0|真||名称|10|20|0|假||区|10|20|0|真";

}  // namespace app
