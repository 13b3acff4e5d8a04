// DPI: a window's layout stays in designed 96-DPI pixels while the backend places its controls, sets
// their fonts, draws and reads the mouse in device pixels of the window's screen; a move to a screen
// of another DPI places everything again and lays the window out once more.

#include "tests/ui/contract/contract_fixture.h"

namespace ui_contract {
namespace {

using ui::ControlKind;

class DpiContract : public ContractTest {
 protected:
  DpiContract()
      : window(openWindow({entry("标签名称", ControlKind::Label, {10, 10, 61, 17}, "名称："),
                           entry("编辑框名称", ControlKind::EditBox, {71, 10, 151, 21}),
                           entry("按钮确定", ControlKind::Button, {222, 10, 75, 25}, "确定"),
                           entry("图片框底部", ControlKind::Panel, {10, 41, 401, 203}),
                           entry("选择框选项", ControlKind::CheckBox, {7, 5, 93, 17}, "选项", "图片框底部"),
                           entry("画板数据", ControlKind::DrawingPanel, {7, 29, 301, 151}, "", "图片框底部")},
                          true, nullptr, kSmallWindow)) {}

  // Small enough to fit on the test screen at twice the designed size: a system keeps a window
  // within the screen, which would make it smaller than designed.
  static constexpr ui::Rect kSmallWindow{20, 20, 460, 320};

  // Every control is where its designed bounds are at that scale, and the characters of those
  // that show a text are as many pixels high as their font's points make at that DPI.
  void expectPlacedAt(int dpi) {
    const ui::DpiScale scale(dpi);
    for (ui::Control* placed : window.controls()) {
      EXPECT_EQ(user.deviceBounds(*placed), scale.toDevice(placed->bounds())) << placed->name() << " at " << dpi;
      if (placed->kind() == ControlKind::Panel || placed->kind() == ControlKind::DrawingPanel) continue;
      EXPECT_EQ(user.deviceFontPixels(*placed), scale.fontPixels(placed->font().size)) << placed->name() << " at " << dpi;
    }
  }

  ui::Window& window;
};

TEST_F(DpiContract, AWindowMovedToAnotherDpiPlacesItsControlsAgainAndLaysItselfOut) {
  ASSERT_EQ(window.dpiScale().dpi(), ui::kLayoutDpi);
  expectPlacedAt(96);
  const ui::Size client = window.clientSize();
  const std::vector<ui::Rect> designed = [this] {
    std::vector<ui::Rect> all;
    for (ui::Control* placed : window.controls()) all.push_back(placed->bounds());
    return all;
  }();
  window.onResized = logs("resized");

  for (int dpi : {144, 192, 96}) {
    log.clear();
    user.moveToScreenOfDpi(window, dpi);
    EXPECT_EQ(window.dpiScale().dpi(), dpi);
    EXPECT_EQ(logged("resized"), 1) << dpi;
    expectPlacedAt(dpi);
    // The program sees the same window: its controls keep their designed bounds, the client area
    // about its designed size (the frame around it may be drawn at another scale than the client
    // area: a system that does not scale frames leaves the client area a little larger).
    std::vector<ui::Rect> now;
    for (ui::Control* placed : window.controls()) now.push_back(placed->bounds());
    EXPECT_EQ(now, designed) << dpi;
    EXPECT_NEAR(window.clientSize().width, client.width, 32) << dpi;
    EXPECT_NEAR(window.clientSize().height, client.height, 32) << dpi;
  }
}

TEST_F(DpiContract, ControlsPlacedByTheProgramAndMouseEventsAreInDesignedPixels) {
  user.moveToScreenOfDpi(window, 144);
  auto& button = control<ui::Button>(window, "按钮确定");
  button.setBounds({230, 12, 81, 27});
  EXPECT_EQ(user.deviceBounds(button), (ui::Rect{345, 18, 122, 41}));
  ui::Font bold;
  bold.size = 12;
  bold.bold = true;
  button.setFont(bold);
  EXPECT_EQ(user.deviceFontPixels(button), 24);

  auto& panel = control<ui::DrawingPanel>(window, "画板数据");
  std::vector<ui::Point> pressed;
  panel.onMouseDown = [&pressed](const ui::MouseEvent& event) { pressed.push_back({event.x, event.y}); };
  user.pressMouse(panel, {40, 12, ui::kNoKeys, ui::MouseButton::Left});
  user.releaseMouse(panel, {40, 12, ui::kNoKeys, ui::MouseButton::Left});
  ASSERT_EQ(pressed.size(), 1u);
  EXPECT_EQ(pressed[0], (ui::Point{40, 12}));
}

TEST_F(DpiContract, TheCanvasKeepsDesignedPixelsAndWhatWasDrawnIsWhereItWasDrawn) {
  auto& panel = control<ui::DrawingPanel>(window, "画板数据");
  ui::Canvas& canvas = panel.canvas();
  ui::Font font;
  font.size = 11;
  canvas.setFont(font);
  const ui::Size before = canvas.measureText("西部数码");

  user.moveToScreenOfDpi(window, 192);
  ui::Canvas& scaled = panel.canvas();
  EXPECT_EQ(scaled.size(), (ui::Size{301, 151}));
  scaled.setFont(font);
  const ui::Size after = scaled.measureText("西部数码");
  // Text measures the same in designed pixels, give or take the rounding of the device's glyphs.
  EXPECT_NEAR(after.width, before.width, 2);
  EXPECT_NEAR(after.height, before.height, 2);

  scaled.setBackground(ui::kWhite);
  scaled.clear({0, 0, 301, 151});
  scaled.setBrush(ui::rgb(0x46, 0x82, 0xB4));
  scaled.fill({10, 10, 20, 20});
  for (ui::Point inside : {ui::Point{10, 10}, ui::Point{29, 29}, ui::Point{20, 15}}) {
    const std::optional<ui::Color> colour = user.pixelAt(panel, inside);
    if (colour) EXPECT_EQ(*colour, ui::rgb(0x46, 0x82, 0xB4)) << inside.x << "," << inside.y;
  }
  for (ui::Point outside : {ui::Point{9, 9}, ui::Point{30, 30}, ui::Point{30, 10}}) {
    const std::optional<ui::Color> colour = user.pixelAt(panel, outside);
    if (colour) EXPECT_EQ(*colour, ui::kWhite) << outside.x << "," << outside.y;
  }
}

}  // namespace
}  // namespace ui_contract
