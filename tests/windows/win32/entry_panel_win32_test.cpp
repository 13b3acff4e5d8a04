// The entry panel on real windows: opened from the toolbar for a list of the sample form, owned by
// the main window, a record typed into it with the keyboard and added to the list.
//
// With GEBU_SCENE_SECONDS set, the panel stays on screen that long with a record half typed, so
// that scripts/screenshot can take a picture of it.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "tests/ui/win32/win32_test_backend.h"
#include "tests/windows/win32/main_window_win32_fixture.h"
#include "ui/list_controls.h"
#include "ui/simple_controls.h"
#include "ui/toolbar.h"
#include "ui/tree_view.h"
#include "windows/entry_panel_layout.h"
#include "windows/field_control_tag.h"
#include "windows/main_window_layout.h"

namespace windows {
namespace {

class EntryPanelWin32Test : public MainWindowWin32Fixture {
 protected:
  ui::Toolbar& toolbar() { return mainWindow->window().get<ui::Toolbar>("工具条"); }
  ui::EditBox& box(ui::Window& panel, int field, std::int32_t kind, int slot = 1) {
    const base::TextValue tag = valueBoxTag({field, kind, slot});
    for (ui::Control* control : panel.controls()) {
      if (control->tag() == tag) return dynamic_cast<ui::EditBox&>(*control);
    }
    ADD_FAILURE() << "no box " << field;
    return panel.get<ui::EditBox>(kEditBoxTemplate);
  }
};

TEST_F(EntryPanelWin32Test, OpensFromTheToolbarForTheSampleFormAndAddsARecord) {
  user.pick(mainWindow->window().get<ui::ComboBox>("组合框表单"), 0);
  user.clickToolbarButton(toolbar(), kNewList);
  // A click on the item that is current already would start editing its label.
  auto& tree = mainWindow->window().get<ui::TreeView>("树型框");
  tree.setCurrentItem(-1);
  user.clickTreeItem(tree, 0);
  user.clickToolbarButton(toolbar(), kAddRecord);
  ASSERT_NE(mainWindow->entryPanel(), nullptr);
  ui::Window& panel = mainWindow->entryPanel()->window();
  HWND panelWindow = hwndOf(panel);
  EXPECT_TRUE(::IsWindowVisible(panelWindow));
  EXPECT_EQ(::GetWindow(panelWindow, GW_OWNER), hwndOf(mainWindow->window()));
  wchar_t title[64] = {};
  ::GetWindowTextW(panelWindow, title, 64);
  EXPECT_STREQ(title, L"数据录入面板 - 点击主界面记录可以传值到本面板");
  // Eleven rows (the PING field has none): the buttons at 10 + 11 × 30 + 10, "清空" 8 below them.
  EXPECT_EQ(panel.control(kAddRecordButton)->bounds().top, 350);
  EXPECT_EQ(panel.bounds().height, 350 + 48 + 8 + 28 + 50);
  EXPECT_EQ(box(panel, 3, 10).text(), "输入..");

  // Typed with the keyboard: Tab to the next box (past the "▼" button), Ctrl+Enter to add.
  EXPECT_TRUE(box(panel, 1, 10).hasFocus());
  user.type(box(panel, 1, 10), "阿里云");
  user.pressKey(box(panel, 1, 10), ui::Key::Tab, ui::kNoKeys);
  EXPECT_TRUE(box(panel, 2, 10).hasFocus());
  user.type(box(panel, 2, 10), "example.com");
  user.type(box(panel, 4, 23), "user");
  user.type(box(panel, 5, 22, 2), "https://wanwang.aliyun.com/");
  if (const char* hold = std::getenv("GEBU_SCENE_SECONDS")) ui_win32_test::pumpFor(1000 * std::atoi(hold));

  user.pressKey(box(panel, 5, 22, 2), ui::Key::Enter, ui::kCtrl);
  EXPECT_EQ(mainWindow->grid().rowCount(), 1);
  EXPECT_EQ(mainWindow->grid().cell(1, 5), "wanwang.aliyun.com");
  ASSERT_TRUE(recorddb::setCurrentDatabase("示例表单"));
  ASSERT_TRUE(recorddb::gotoRecord(1));
  EXPECT_EQ(recorddb::readField(2).asText(), "example.com");
  EXPECT_EQ(box(panel, 2, 10).text(), "输入..");
}

}  // namespace
}  // namespace windows
