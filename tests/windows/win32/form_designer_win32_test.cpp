// The form designer on real windows: opened from the forms selector's last item and from the
// toolbar, owned by the main window, showing a PING field's linked-field choices.
//
// With GEBU_SCENE_SECONDS set, the designer stays on screen that long with the PING field selected,
// so that scripts/screenshot can take a picture of it.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "tests/ui/win32/win32_test_backend.h"
#include "tests/windows/win32/main_window_win32_fixture.h"
#include "ui/list_controls.h"
#include "ui/simple_controls.h"
#include "ui/toolbar.h"
#include "ui/win32/win32_control.h"
#include "windows/main_window_layout.h"

namespace windows {
namespace {

using FormDesignerWin32Test = MainWindowWin32Fixture;

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
