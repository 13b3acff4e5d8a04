// Link cells on real windows: an Alt+click on an FTP cell and a right click on a text cell of the
// sample form's list put their texts on the system clipboard, read back through the toolkit; the
// shell is asked for nothing.

#include <gtest/gtest.h>

#include "tests/windows/win32/main_window_win32_fixture.h"
#include "ui/list_controls.h"
#include "ui/panels.h"
#include "ui/toolbar.h"
#include "ui/tree_view.h"
#include "windows/main_window_layout.h"

namespace windows {
namespace {

class CellActionWin32Test : public MainWindowWin32Fixture {
 protected:
  // A list of the sample form holding one record, its page open.
  void openListWithOneRecord() {
    user.pick(mainWindow->window().get<ui::ComboBox>("组合框表单"), 0);
    user.clickToolbarButton(mainWindow->window().get<ui::Toolbar>("工具条"), kNewList);
    ASSERT_TRUE(recorddb::setCurrentDatabase("示例表单"));
    ASSERT_TRUE(recorddb::appendRecord());
    ASSERT_TRUE(recorddb::writeField(1, recorddb::FieldValue::text("阿里云")));
    ASSERT_TRUE(recorddb::writeField(4, recorddb::FieldValue::text("用户||密码||ftp.example.com")));
    auto& tree = mainWindow->window().get<ui::TreeView>("树型框");
    tree.setCurrentItem(-1);
    user.clickTreeItem(tree, 0);
    ASSERT_EQ(mainWindow->grid().rowCount(), 1);
  }
  void click(int column, ui::MouseButton button, int keys) {
    grid::RecordGrid& g = mainWindow->grid();
    ui::Control& data = *mainWindow->window().control("画板数据");
    const ui::MouseEvent event{g.columnLeft(column) + 5, g.rowHeight() / 2, keys, button};
    user.pressMouse(data, event);
    user.releaseMouse(data, event);
  }
  ui::Toolkit& toolkit() { return *backend->toolkit; }
};

TEST_F(CellActionWin32Test, AltClickAndRightClickPutTheirTextsOnTheClipboard) {
  openListWithOneRecord();
  toolkit().setClipboardText("之前");
  click(4, ui::MouseButton::Left, ui::kAlt);
  EXPECT_EQ(toolkit().clipboardText(), "FTP://用户:密码@ftp.example.com");
  click(1, ui::MouseButton::Right, ui::kNoKeys);
  EXPECT_EQ(toolkit().clipboardText(), "阿里云");
  EXPECT_EQ(mainWindow->grid().selection(), (std::vector<std::int32_t>{1}));
  EXPECT_TRUE(shell.requests.empty());
}

}  // namespace
}  // namespace windows
