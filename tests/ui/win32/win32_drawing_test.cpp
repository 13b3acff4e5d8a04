// Drawing panels on GDI: the back buffer keeps drawings across resizes, text and pictures reach
// its pixels, and the panel shows the buffer when it paints.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>

#include "tests/ui/win32/win32_test_backend.h"
#include "ui/win32/win32_panels.h"

namespace ui_win32_test {
namespace {

void put(std::string& bytes, std::uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

// A 32-bit BMP, bottom-up; `pixel(x, y)` gives B, G, R, A packed as 0xAARRGGBB.
template <typename PixelOf>
std::string bmp32(int width, int height, PixelOf pixel) {
  std::string bytes = "BM";
  put(bytes, static_cast<std::uint32_t>(54 + width * height * 4), 4);
  put(bytes, 0, 4);
  put(bytes, 54, 4);
  put(bytes, 40, 4);
  put(bytes, static_cast<std::uint32_t>(width), 4);
  put(bytes, static_cast<std::uint32_t>(height), 4);
  put(bytes, 1, 2);
  put(bytes, 32, 2);
  for (int i = 0; i < 6; ++i) put(bytes, 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) put(bytes, pixel(x, y), 4);
  }
  return bytes;
}

// A 24-bit BMP of one colour (rows padded to four bytes).
std::string bmp24(int width, int height, ui::Color color) {
  const int stride = (width * 3 + 3) / 4 * 4;
  std::string bytes = "BM";
  put(bytes, static_cast<std::uint32_t>(54 + stride * height), 4);
  put(bytes, 0, 4);
  put(bytes, 54, 4);
  put(bytes, 40, 4);
  put(bytes, static_cast<std::uint32_t>(width), 4);
  put(bytes, static_cast<std::uint32_t>(height), 4);
  put(bytes, 1, 2);
  put(bytes, 24, 2);
  for (int i = 0; i < 6; ++i) put(bytes, 0, 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bytes.push_back(static_cast<char>(color >> 16 & 0xFF));
      bytes.push_back(static_cast<char>(color >> 8 & 0xFF));
      bytes.push_back(static_cast<char>(color & 0xFF));
    }
    bytes.append(static_cast<std::size_t>(stride - width * 3), '\0');
  }
  return bytes;
}

class Win32DrawingTest : public ::testing::Test {
 protected:
  Win32DrawingTest() {
    ui::WindowLayout layout;
    layout.name = "窗口画板";
    layout.title = "画板";
    layout.bounds = {60, 60, 500, 400};
    ui::LayoutEntry entry;
    entry.name = "画板数据";
    entry.kind = ui::ControlKind::DrawingPanel;
    entry.bounds = {10, 10, 200, 100};
    layout.controls.push_back(entry);
    window = kit.createWindow(layout, nullptr);
    kit.show(*window);
    panel = &window->get<ui::win32::Win32DrawingPanel>("画板数据");
    canvas = &panel->gdiCanvas();
    canvas->setBackground(ui::kWhite);
    canvas->clear({0, 0, 200, 100});
  }
  ~Win32DrawingTest() override { window.reset(); }

  // How many pixels of the area differ from the colour.
  int differing(ui::Rect area, ui::Color color) const {
    int count = 0;
    for (int y = area.top; y < area.bottom(); ++y) {
      for (int x = area.left; x < area.right(); ++x) count += canvas->pixel({x, y}) != color ? 1 : 0;
    }
    return count;
  }

  TestToolkit kit;
  std::unique_ptr<ui::Window> window;
  ui::win32::Win32DrawingPanel* panel = nullptr;
  ui::win32::GdiCanvas* canvas = nullptr;
};

TEST_F(Win32DrawingTest, ResizingKeepsTheDrawingAndClearsTheNewAreaToTheBackground) {
  canvas->setBrush(ui::rgb(255, 0, 0));
  canvas->fill({190, 90, 10, 10});
  canvas->setBackground(ui::rgb(0, 0, 255));
  panel->resize(260, 140);
  EXPECT_EQ(canvas->size(), (ui::Size{260, 140}));
  EXPECT_EQ(canvas->pixel({195, 95}), ui::rgb(255, 0, 0));
  EXPECT_EQ(canvas->pixel({250, 130}), ui::rgb(0, 0, 255));
  EXPECT_EQ(canvas->pixel({5, 5}), ui::kWhite);
  panel->resize(100, 50);
  EXPECT_EQ(canvas->pixel({5, 5}), ui::kWhite);
}

TEST_F(Win32DrawingTest, TextIsDrawnTransparentInItsColourAndMeasuredLikeIt) {
  canvas->setBackground(ui::rgb(200, 200, 200));
  canvas->clear({0, 0, 200, 100});
  canvas->setFont({"宋体", 11, false, false});
  canvas->setTextColor(ui::rgb(0, 0, 255));
  const ui::Size size = canvas->measureText("砚川");
  canvas->text({10, 10}, "砚川");
  const ui::Rect drawn{10, 10, size.width, size.height};
  EXPECT_GT(differing(drawn, ui::rgb(200, 200, 200)), 10);  // ink
  // Only ink (blue, or blue blended into the background) and the untouched background: no box
  // behind the text.
  int notInk = 0;
  for (int y = drawn.top; y < drawn.bottom(); ++y) {
    for (int x = drawn.left; x < drawn.right(); ++x) {
      const ui::Color at = canvas->pixel({x, y});
      const int red = static_cast<int>(at & 0xFF);
      const int blue = static_cast<int>(at >> 16 & 0xFF);
      notInk += at != ui::rgb(200, 200, 200) && blue <= red ? 1 : 0;
    }
  }
  EXPECT_EQ(notInk, 0);
  EXPECT_EQ(differing({drawn.right() + 2, 0, 50, 100}, ui::rgb(200, 200, 200)), 0);
  EXPECT_EQ(differing({0, drawn.bottom() + 2, 200, 20}, ui::rgb(200, 200, 200)), 0);

  // An underlined font draws a line below the same text, within its measured height.
  canvas->clear({0, 0, 200, 100});
  canvas->setFont({"宋体", 11, false, true});
  EXPECT_EQ(canvas->measureText("砚川"), size);
  canvas->text({10, 10}, "  ");
  EXPECT_GT(differing(drawn, ui::rgb(200, 200, 200)), 0);
}

TEST_F(Win32DrawingTest, PicturesAreDrawnWithTheirColoursAndTransparency) {
  // Left half opaque green, right half transparent.
  std::unique_ptr<ui::Picture> half = kit.loadPicture(bmp32(8, 8, [](int x, int) { return x < 4 ? 0xFF00FF00u : 0x00000000u; }));
  ASSERT_NE(half, nullptr);
  EXPECT_EQ(half->size(), (ui::Size{8, 8}));
  canvas->picture(*half, {20, 20, 16, 16});
  EXPECT_EQ(canvas->pixel({22, 22}), ui::rgb(0, 255, 0));
  EXPECT_EQ(canvas->pixel({33, 30}), ui::kWhite);

  // Without any alpha the picture is opaque.
  std::unique_ptr<ui::Picture> opaque = kit.loadPicture(bmp32(4, 4, [](int, int) { return 0x000000FFu; }));
  ASSERT_NE(opaque, nullptr);
  canvas->picture(*opaque, {60, 20, 4, 4});
  EXPECT_EQ(canvas->pixel({61, 21}), ui::rgb(0, 0, 255));

  std::unique_ptr<ui::Picture> plain = kit.loadPicture(bmp24(5, 3, ui::rgb(0x46, 0x82, 0xB4)));
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->size(), (ui::Size{5, 3}));
  canvas->picture(*plain, {80, 20, 5, 3});
  EXPECT_EQ(canvas->pixel({84, 22}), ui::rgb(0x46, 0x82, 0xB4));

  EXPECT_EQ(kit.loadPicture(bmp32(4, 4, [](int, int) { return 0u; }).substr(0, 60)), nullptr);  // cut short
}

TEST_F(Win32DrawingTest, RoundRectanglesAndWidePens) {
  canvas->setPen(ui::kBlack, 3);
  canvas->setBrush(ui::rgb(255, 255, 0));
  canvas->roundRectangle({10, 10, 60, 40}, 20, 20);
  EXPECT_EQ(canvas->pixel({40, 30}), ui::rgb(255, 255, 0));
  EXPECT_EQ(canvas->pixel({40, 11}), ui::kBlack);
  EXPECT_EQ(canvas->pixel({11, 11}), ui::kWhite);  // the corner is round
  canvas->setPen(ui::rgb(255, 0, 0), 1);
  canvas->line({100, 10}, {100, 50});
  EXPECT_EQ(canvas->pixel({100, 30}), ui::rgb(255, 0, 0));
  EXPECT_EQ(canvas->pixel({101, 30}), ui::kWhite);
}

TEST_F(Win32DrawingTest, ThePanelShowsItsBufferWhenItPaints) {
  canvas->setBrush(ui::rgb(0, 128, 0));
  canvas->fill({0, 0, 200, 100});
  panel->refresh();
  ::UpdateWindow(panel->hwnd());
  pumpFor(50);
  HDC screen = ::GetDC(panel->hwnd());
  const COLORREF shown = ::GetPixel(screen, 50, 50);
  ::ReleaseDC(panel->hwnd(), screen);
  if (shown == CLR_INVALID) GTEST_SKIP() << "the display cannot be read back";
  EXPECT_EQ(shown, RGB(0, 128, 0));

  panel->setPointer(ui::PointerShape::Hand);
  EXPECT_EQ(panel->pointer(), ui::PointerShape::Hand);
}

}  // namespace
}  // namespace ui_win32_test
