// The main window's layout at several sizes.

#include "windows/main_window.h"

#include <gtest/gtest.h>

#include "settings/settings_store.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/recording_shell.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/panels.h"
#include "windows/main_window_layout.h"

namespace windows {
namespace {

class MainWindowLayoutTest : public testing::Test {
 protected:
  void SetUp() override {
    mainWindow = std::make_unique<MainWindow>(MainWindowContext{toolkit, shell, store, library, ping, dir.path(), currentListForm, listSelection,
                          "砚川·格簿录入台", "", {}, {}});
    mainWindow->show();
  }
  ui::Rect bounds(const char* name) { return mainWindow->window().control(name)->bounds(); }

  testing_support::ScratchDir dir;
  ui::headless::HeadlessToolkit toolkit;
  settings::SettingsStore store;
  forms::FormLibrary library;
  testing_support::RecordingShell shell;
  checks::PingState ping;
  forms::FormDefinition currentListForm;
  lists::ListSelection listSelection;
  std::unique_ptr<MainWindow> mainWindow;
};

TEST_F(MainWindowLayoutTest, ControlsFollowTheClientSizeAndTheSplitter) {
  ui::Window& window = mainWindow->window();
  EXPECT_EQ(window.title(), mainWindowLayout().title);
  for (ui::Size outer : {ui::Size{1192, 656}, ui::Size{800, 500}, ui::Size{1600, 1000}}) {
    window.setBounds({50, 50, outer.width, outer.height});
    const ui::Size client = window.clientSize();
    // The status line takes the bottom 22 pixels from every column of the window.
    const int bottom = client.height - 22;
    EXPECT_EQ(bounds("工具条"), (ui::Rect{0, 0, client.width, 43}));
    EXPECT_EQ(bounds("组合框表单"), (ui::Rect{0, 43, 304, 23}));
    EXPECT_EQ(bounds("树型框"), (ui::Rect{0, 66, 304, bottom - 66}));
    EXPECT_EQ(bounds("分隔条"), (ui::Rect{304, 43, 6, bottom - 43}));
    EXPECT_EQ(bounds("画板容器"), (ui::Rect{310, 43, client.width - 310, bottom - 43}));
    EXPECT_EQ(bounds("图片框查找"), (ui::Rect{310, 43, client.width - 310, 40}));
    EXPECT_EQ(bounds("标签状态栏"), (ui::Rect{4, bottom + 2, client.width - 8, 18}));
  }
  window.control("图片框查找")->setVisible(true);
  mainWindow->onSplitterMoved(200);
  const ui::Size client = window.clientSize();
  EXPECT_EQ(bounds("画板容器"), (ui::Rect{206, 83, client.width - 206, client.height - 22 - 83}));
  EXPECT_EQ(bounds("组合框表单").width, 200);
  store.selectSection("主界面");
  EXPECT_EQ(store.readNumber("分隔条位置", 0), 200);
}

TEST_F(MainWindowLayoutTest, TheWheelScrollsTheGridFourRowsOnlyInsideTheWindow) {
  grid::RecordGrid& grid = mainWindow->grid();
  grid.addColumn("列", 80, true);
  for (int r = 1; r <= 100; ++r) grid.appendRow({std::to_string(r)}, 0, r, true, true);
  ui::Window& window = mainWindow->window();
  const ui::Rect area = window.bounds();
  window.onMouseWheel(-ui::kWheelNotch, {area.left + 10, area.top + 10});  // towards the user: down
  EXPECT_EQ(grid.rowOffset(), 4);
  window.onMouseWheel(-ui::kWheelNotch, {area.left, area.top + 10});  // on the edge: outside
  EXPECT_EQ(grid.rowOffset(), 4);
  window.onMouseWheel(ui::kWheelNotch, {area.left + 10, area.top + 10});
  EXPECT_EQ(grid.rowOffset(), 0);
  // Fine wheels and touchpads report less than a notch; the direction still counts.
  window.onMouseWheel(-30, {area.left + 10, area.top + 10});
  EXPECT_EQ(grid.rowOffset(), 4);
  window.onMouseWheel(30, {area.left + 10, area.top + 10});
  EXPECT_EQ(grid.rowOffset(), 0);
}

}  // namespace
}  // namespace windows
