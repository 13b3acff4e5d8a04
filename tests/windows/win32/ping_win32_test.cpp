// A PING run on real windows: the grid answers a click on a link while the run waits for its
// probes, as it does without a run.

#include <gtest/gtest.h>

#include <windows.h>

#include "tests/checks/test_http_server.h"
#include "tests/windows/win32/main_window_win32_fixture.h"
#include "ui/list_controls.h"
#include "ui/panels.h"
#include "ui/toolbar.h"
#include "ui/tree_view.h"
#include "windows/main_window_layout.h"

namespace windows {
namespace {

class PingWin32Test : public MainWindowWin32Fixture {
 protected:
  ui::Toolbar& toolbar() { return mainWindow->window().get<ui::Toolbar>("工具条"); }
  checks_testing::TestHttpServer server;
};

TEST_F(PingWin32Test, ALinkClickedDuringARunOpens) {
  user.pick(mainWindow->window().get<ui::ComboBox>("组合框表单"), 0);
  user.clickToolbarButton(toolbar(), kNewList);
  // The sample form's PING field probes the IP field (3); field 5 is a link.
  ASSERT_TRUE(recorddb::setCurrentDatabase("示例表单"));
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(recorddb::appendRecord());
    ASSERT_TRUE(recorddb::writeField(1, recorddb::FieldValue::text("阿里云")));
    ASSERT_TRUE(recorddb::writeField(3, recorddb::FieldValue::text(server.address("/delay/400"))));
    ASSERT_TRUE(recorddb::writeField(5, recorddb::FieldValue::text("万网||https://wanwang.aliyun.com/")));
  }
  auto& tree = mainWindow->window().get<ui::TreeView>("树型框");
  tree.setCurrentItem(-1);
  user.clickTreeItem(tree, 0);
  grid::RecordGrid& grid = mainWindow->grid();
  ASSERT_EQ(grid.rowCount(), 6);

  // Once the run waits for its first probes, a click on row 2's link; then the run is stopped.
  auto& data = mainWindow->window().get<ui::DrawingPanel>("画板数据");
  const ui::MouseEvent onLink{grid.columnLeft(5) + 8, grid.rowHeight() + 5, ui::kNoKeys, ui::MouseButton::Left};
  bool clicked = false;
  const int timer = backend->toolkit->startTimer(100, [&] {
    if (clicked || !ping.pingRunning) return;
    clicked = true;
    user.pressMouse(data, onLink);
    user.releaseMouse(data, onLink);
    ping.pingStop = true;
  });
  user.answerNextMessageBox(ui::MessageAnswer::Ok);
  user.clickToolbarButton(toolbar(), kPing);
  backend->toolkit->stopTimer(timer);
  ASSERT_TRUE(clicked);
  EXPECT_EQ(grid.firstSelectedRow(), 2);
  ASSERT_EQ(shell.requests.size(), 1u);
  EXPECT_EQ(shell.requests[0].target, "https://wanwang.aliyun.com/");
}

}  // namespace
}  // namespace windows
