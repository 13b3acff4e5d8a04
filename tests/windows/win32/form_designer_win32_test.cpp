// The form designer on real windows: opened from the forms selector's last item and from the
// toolbar, owned by the main window, showing a PING field's linked-field choices.
//
// With GEBU_SCENE_SECONDS set, the designer stays on screen that long with the PING field selected,
// so that scripts/screenshot can take a picture of it.

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdlib>

#include "forms/form_library.h"
#include "settings/settings_store.h"
#include "tests/support/scratch_dir.h"
#include "tests/ui/contract/user_actions.h"
#include "tests/ui/win32/win32_test_backend.h"
#include "ui/list_controls.h"
#include "ui/simple_controls.h"
#include "ui/toolbar.h"
#include "ui/win32/win32_control.h"
#include "ui/win32/win32_window.h"
#include "windows/main_window.h"
#include "windows/main_window_layout.h"

namespace windows {
namespace {

HWND hwndOf(ui::Window& window) { return dynamic_cast<ui::win32::Win32Window&>(window).hwnd(); }

class FormDesignerWin32Test : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store.open(dir.file("设置.ini")));
    library.load(store);
    library.seedIfEmpty(store);
    mainWindow = std::make_unique<MainWindow>(
        MainWindowContext{*backend->toolkit, store, library, pingRunning, dir.path(), currentListForm, listSelection,
                          "砚川·格簿录入台", "", {}, {}});
    mainWindow->show();
  }
  void TearDown() override { mainWindow.reset(); }

  testing_support::ScratchDir dir;
  settings::SettingsStore store;
  forms::FormLibrary library;
  std::atomic<bool> pingRunning{false};
  forms::FormDefinition currentListForm;
  lists::ListSelection listSelection;
  std::unique_ptr<ui_contract::BackendUnderTest> backend = ui_contract::makeBackendUnderTest();
  ui_contract::UserActions& user = *backend->user;
  std::unique_ptr<MainWindow> mainWindow;
};

TEST_F(FormDesignerWin32Test, OpensFromTheSelectorAndTheToolbarAndShowsPingChoices) {
  auto& selector = mainWindow->window().get<ui::ComboBox>("组合框表单");
  ASSERT_EQ(selector.itemCount(), 2);
  EXPECT_EQ(selector.item(1), "打开表单设计器..");
  user.pick(selector, 1);
  ASSERT_NE(mainWindow->formDesigner(), nullptr);
  ui::Window& designer = mainWindow->formDesigner()->window();
  HWND designerWindow = hwndOf(designer);
  EXPECT_TRUE(::IsWindowVisible(designerWindow));
  EXPECT_EQ(::GetWindow(designerWindow, GW_OWNER), hwndOf(mainWindow->window()));
  wchar_t title[64] = {};
  ::GetWindowTextW(designerWindow, title, 64);
  EXPECT_STREQ(title, L"表单设计器 - 按住Ctrl新建表单可以复制当前表单");

  auto& fields = designer.get<ui::ListBox>("列表框字段列表");
  ASSERT_EQ(fields.itemCount(), 12);
  user.pick(fields, 10);  // the sample form's PING field, linked to IP
  auto& links = designer.get<ui::ComboBox>("组合框关联字段");
  EXPECT_TRUE(::IsWindowVisible(dynamic_cast<ui::win32::NativeControl&>(links).hwnd()));
  ASSERT_GE(links.currentIndex(), 0);
  EXPECT_EQ(links.item(links.currentIndex()), "IP");
  EXPECT_EQ(designer.get<ui::ComboBox>("组合框字段类型").item(10), "PING型");

  if (const char* hold = std::getenv("GEBU_SCENE_SECONDS")) {
    ui_win32_test::pumpFor(1000 * std::atoi(hold));
  }

  user.closeWindow(designer);
  EXPECT_EQ(mainWindow->formDesigner(), nullptr);
  user.clickToolbarButton(mainWindow->window().get<ui::Toolbar>("工具条"), kFormDesigner);
  ASSERT_NE(mainWindow->formDesigner(), nullptr);
  EXPECT_TRUE(::IsWindowVisible(hwndOf(mainWindow->formDesigner()->window())));
}

}  // namespace
}  // namespace windows
