#pragma once
// The main window on real windows over a scratch run folder whose library holds the sample form,
// as the tests of the windows it opens need it.

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <memory>

#include "forms/form_library.h"
#include "recorddb/record_database.h"
#include "settings/settings_store.h"
#include "tests/support/recording_shell.h"
#include "tests/support/scratch_dir.h"
#include "tests/ui/contract/user_actions.h"
#include "tests/ui/win32/win32_test_backend.h"
#include "ui/win32/win32_window.h"
#include "windows/main_window.h"

namespace windows {

inline HWND hwndOf(ui::Window& window) { return dynamic_cast<ui::win32::Win32Window&>(window).hwnd(); }

class MainWindowWin32Fixture : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store.open(dir.file("设置.ini")));
    library.load(store);
    library.seedIfEmpty(store);
    mainWindow = std::make_unique<MainWindow>(
        MainWindowContext{*backend->toolkit, shell, store, library, ping, dir.path(), currentListForm, listSelection,
                          "砚川·格簿录入台", "", {}, {}});
    mainWindow->show();
  }
  void TearDown() override {
    mainWindow.reset();
    recorddb::closeAllDatabases();
  }

  testing_support::ScratchDir dir;
  settings::SettingsStore store;
  forms::FormLibrary library;
  testing_support::RecordingShell shell;
  checks::PingState ping;
  forms::FormDefinition currentListForm;
  lists::ListSelection listSelection;
  std::unique_ptr<ui_contract::BackendUnderTest> backend = ui_contract::makeBackendUnderTest();
  ui_contract::UserActions& user = *backend->user;
  std::unique_ptr<MainWindow> mainWindow;
};

}  // namespace windows
