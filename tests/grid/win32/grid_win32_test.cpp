// The grid on real drawing panels: a few hundred rows with a key column and a link column, sorted
// by the key column, a selected row, both scroll bars; scrolled to the far right.
//
// With GEBU_SCENE_SECONDS set, the grid stays on screen that long, so that scripts/screenshot can
// take a picture of it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "grid/grid_colors.h"
#include "grid/record_grid.h"
#include "grid/tooltip_grid_tips.h"
#include "tests/grid/grid_fixture.h"
#include "tests/ui/contract/user_actions.h"
#include "tests/ui/win32/win32_test_backend.h"

namespace grid {
namespace {

// A grid attached to real panels laid out as the main window's, showing `form`'s fields as columns.
struct RealGrid {
  explicit RealGrid(forms::FormDefinition shownForm) : form(std::move(shownForm)) {
    toolkit.show(*window);
    grid.setForm(&form);
    grid.setTips(&tips);
    AttachOptions options;
    options.imageWidth = 24;
    options.imageHeight = 24;
    grid.attach({window->get<ui::DrawingPanel>("画板表头"), data, *window->control("画板容器"), hScroll,
                 window->get<ui::DrawingPanel>("画板纵滚")},
                options);
    grid.setBounds(10, 10, 866, 478);
  }
  ~RealGrid() { grid.detach(); }

  std::unique_ptr<ui_contract::BackendUnderTest> backend = ui_contract::makeBackendUnderTest();
  ui::Toolkit& toolkit = *backend->toolkit;
  std::unique_ptr<ui::Window> window = toolkit.createWindow(testing::gridWindowLayout(), nullptr);
  ui::DrawingPanel& data = window->get<ui::DrawingPanel>("画板数据");
  ui::DrawingPanel& hScroll = window->get<ui::DrawingPanel>("画板横滚");
  forms::FormDefinition form;
  RecordGrid grid{[this](const std::string& bytes) { return toolkit.loadPicture(bytes); }};
  TooltipGridTips tips{toolkit, data};
};

TEST(GridWin32Test, RowsKeysLinksSelectionAndBarsOnRealPanels) {
  RealGrid real({"客户", {{"平台", 10, 20, 0, true, 0},
                          {"域名续费商", 22, 512, 0, false, 0},
                          {"备注", 10, 100, 0, false, 0},
                          {"账号", 10, 30, 0, false, 0},
                          {"密码", 10, 30, 0, false, 0},
                          {"说明", 10, 100, 0, false, 0}}});
  RecordGrid& grid = real.grid;
  for (const forms::FieldDefinition& field : real.form.fields) grid.addColumn(field.name, 180, true);
  for (int r = 1; r <= 300; ++r) {
    const std::string n = std::to_string(r);
    grid.appendRow({r % 3 == 0 ? "阿里云" : "腾讯云", "续费商" + n, "第" + n + "行的备注", "user" + n, "****", "说明文字"},
                   0, r, true, true);
  }
  grid.scrollColumns();
  grid.sortByColumn(1, true, 2);
  grid.selectRow(2, true);
  grid.scrollRows();

  EXPECT_EQ(grid.rowCount(), 300);
  EXPECT_TRUE(real.window->control("画板纵滚")->visible());
  EXPECT_TRUE(real.hScroll.visible());
  const int selectedY = grid.rowHeight() + grid.rowHeight() / 2;
  EXPECT_EQ(real.backend->user->pixelAt(real.data, {60, selectedY}), std::optional<ui::Color>(colors::kSelectedFill));
  EXPECT_EQ(real.backend->user->pixelAt(real.data, {5, grid.rowHeight() * 3 + 3}),
            std::optional<ui::Color>(colors::kDataBackground));

  if (const char* hold = std::getenv("GEBU_SCENE_SECONDS")) ui_win32_test::pumpFor(1000 * std::atoi(hold));
}

TEST(GridWin32Test, TheFarRightShowsTheLastColumnBesideTheVerticalBar) {
  // Two columns that fit the data area but not the room left of the vertical bar.
  RealGrid real({"客户", {{"平台", 10, 20, 0, false, 0}, {"备注", 10, 100, 0, false, 0}}});
  RecordGrid& grid = real.grid;
  for (const forms::FieldDefinition& field : real.form.fields) grid.addColumn(field.name, 430, true);
  for (int r = 1; r <= 100; ++r) grid.appendRow({"腾讯云", "备注"}, 0, r, true, true);
  grid.scrollColumns();
  ASSERT_TRUE(real.hScroll.visible());
  const int barWidth = real.hScroll.bounds().width;
  real.backend->user->pressMouse(real.hScroll, {barWidth - 5, 9, 0, ui::MouseButton::Right});
  real.backend->user->releaseMouse(real.hScroll, {barWidth - 5, 9, 0, ui::MouseButton::Right});
  EXPECT_EQ(grid.columnOffset(), 1);
  // The last column's right border shows left of the vertical bar.
  const int right = grid.columnRight(2);
  EXPECT_LT(right, real.window->control("画板纵滚")->bounds().left);
  EXPECT_EQ(real.backend->user->pixelAt(real.data, {right, grid.rowHeight() / 2}),
            std::optional<ui::Color>(colors::kGridLine));
}

}  // namespace
}  // namespace grid
