// The main window's keyboard on real windows, the keys queued as the keyboard queues them: Ctrl+F
// into the find box, Tab onto the grid, the arrows and Delete on it, F2's label edit in the tree,
// and Escape closing the form designer.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "tests/windows/win32/main_window_win32_fixture.h"
#include "ui/list_controls.h"
#include "ui/panels.h"
#include "ui/simple_controls.h"
#include "ui/toolbar.h"
#include "ui/tree_view.h"
#include "ui/win32/win32_control.h"
#include "windows/main_window_layout.h"

namespace windows {
namespace {

using ui::Key;

HWND controlWindow(ui::Control& control) { return dynamic_cast<ui::win32::NativeControl&>(control).hwnd(); }

class MainWindowKeysWin32Test : public MainWindowWin32Fixture {
 protected:
  ui::Window& window() { return mainWindow->window(); }
  ui::TreeView& tree() { return window().get<ui::TreeView>("树型框"); }
  ui::Control& header() { return *window().control("画板表头"); }

  // A list of the sample form holding records 甲, 乙, 丙, its page open.
  void openListWithThreeRecords() {
    user.pick(window().get<ui::ComboBox>("组合框表单"), 0);
    user.clickToolbarButton(window().get<ui::Toolbar>("工具条"), kNewList);
    ASSERT_TRUE(recorddb::setCurrentDatabase("示例表单"));
    for (const char* name : {"甲", "乙", "丙"}) {
      ASSERT_TRUE(recorddb::appendRecord());
      ASSERT_TRUE(recorddb::writeField(1, recorddb::FieldValue::text(name)));
    }
    tree().setCurrentItem(-1);
    user.clickTreeItem(tree(), 0);
    ASSERT_EQ(mainWindow->grid().rowCount(), 3);
  }
};

TEST_F(MainWindowKeysWin32Test, CtrlFTabAndTheGridsKeysWorkWithRealFocus) {
  openListWithThreeRecords();
  user.pressKey(tree(), Key::F, ui::kCtrl);
  auto& findBox = window().get<ui::EditBox>("编辑框查找内容");
  EXPECT_TRUE(::IsWindowVisible(controlWindow(*window().control("图片框查找"))));
  EXPECT_EQ(::GetFocus(), controlWindow(findBox));

  // Shift+Tab from the find text lands on the grid, which keeps the keyboard.
  user.pressKey(findBox, Key::Tab, ui::kShift);
  EXPECT_EQ(::GetFocus(), controlWindow(header()));
  grid::RecordGrid& grid = mainWindow->grid();
  user.pressKey(header(), Key::Down, ui::kNoKeys);
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{1}));
  user.pressKey(header(), Key::End, ui::kNoKeys);
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{3}));
  user.pressKey(header(), Key::A, ui::kCtrl);
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{1, 2, 3}));
  user.pressKey(header(), Key::Up, ui::kNoKeys);
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{1}));
  user.answerNextMessageBox(ui::MessageAnswer::Ok);
  user.pressKey(header(), Key::Delete, ui::kNoKeys);
  ASSERT_EQ(grid.rowCount(), 2);
  EXPECT_EQ(grid.cell(1, 1), "乙");

  // In the find box the same keys are the box's: Ctrl+A selects its text, no row changes.
  user.type(findBox, "乙");
  user.pressKey(findBox, Key::A, ui::kCtrl);
  user.pressKey(findBox, Key::Enter, ui::kNoKeys);  // the find: 乙 is row 1
  EXPECT_EQ(grid.selection(), (std::vector<std::int32_t>{1}));
  EXPECT_EQ(findBox.text(), "乙");
}

TEST_F(MainWindowKeysWin32Test, F2StartsTheListsLabelEditAndEscapeClosesTheDesigner) {
  openListWithThreeRecords();
  user.pressKey(header(), Key::F2, ui::kNoKeys);
  HWND treeWindow = controlWindow(tree());
  EXPECT_NE(::SendMessageW(treeWindow, TVM_GETEDITCONTROL, 0, 0), 0);
  EXPECT_EQ(user.endTreeLabelEdit(tree(), 0, "网站"), ui_contract::LabelEdit::Accepted);
  EXPECT_EQ(tree().item(0).text, "网站");

  user.clickToolbarButton(window().get<ui::Toolbar>("工具条"), kFormDesigner);
  ASSERT_NE(mainWindow->formDesigner(), nullptr);
  ui::Window& designer = mainWindow->formDesigner()->window();
  user.pressKey(designer.get<ui::EditBox>("编辑框字段名称"), Key::Escape, ui::kNoKeys);
  EXPECT_EQ(mainWindow->formDesigner(), nullptr);
  EXPECT_TRUE(::IsWindowVisible(hwndOf(window())));
}

}  // namespace
}  // namespace windows
