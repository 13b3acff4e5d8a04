// What the toolkit offers beside windows: the clipboard, pictures, timers, the event pump.

#include "tests/ui/contract/contract_fixture.h"

#include <cstdint>

namespace ui_contract {
namespace {

void put(std::string& bytes, std::uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A 32-bit bottom-up BMP file of that size, all blue.
std::string bmpFile(int width, int height) {
  const std::uint32_t pixels = static_cast<std::uint32_t>(width * height * 4);
  std::string bytes = "BM";
  put(bytes, 54 + pixels, 4);
  put(bytes, 0, 4);
  put(bytes, 54, 4);
  put(bytes, 40, 4);
  put(bytes, static_cast<std::uint32_t>(width), 4);
  put(bytes, static_cast<std::uint32_t>(height), 4);
  put(bytes, 1, 2);
  put(bytes, 32, 2);
  for (int i = 0; i < 6; ++i) put(bytes, 0, 4);
  for (std::uint32_t i = 0; i < pixels / 4; ++i) put(bytes, 0xFF0000FF, 4);
  return bytes;
}

// A one-image 16 × 16, 32-bit icon file (header, entry, bitmap header, pixels, mask).
std::string icoFile() {
  std::string image;
  put(image, 40, 4);
  put(image, 16, 4);
  put(image, 32, 4);  // colour and mask heights together
  put(image, 1, 2);
  put(image, 32, 2);
  for (int i = 0; i < 6; ++i) put(image, 0, 4);
  for (int i = 0; i < 16 * 16; ++i) put(image, 0xFF00FF00, 4);
  for (int i = 0; i < 16; ++i) put(image, 0, 4);  // mask rows, 4 bytes each
  std::string bytes;
  put(bytes, 0, 2);
  put(bytes, 1, 2);
  put(bytes, 1, 2);
  bytes.push_back(16);
  bytes.push_back(16);
  put(bytes, 0, 2);
  put(bytes, 1, 2);
  put(bytes, 32, 2);
  put(bytes, static_cast<std::uint32_t>(image.size()), 4);
  put(bytes, 22, 4);
  return bytes + image;
}

class ToolkitServicesContract : public ContractTest {};

TEST_F(ToolkitServicesContract, TheClipboardHoldsGbkText) {
  kit.setClipboardText("FTP://用户:密码@地址\r\n第二行");
  EXPECT_EQ(kit.clipboardText(), "FTP://用户:密码@地址\r\n第二行");
  kit.setClipboardText("");
  EXPECT_EQ(kit.clipboardText(), "");
}

TEST_F(ToolkitServicesContract, PicturesLoadFromBmpAndIcoBytesOnly) {
  const std::unique_ptr<ui::Picture> bmp = kit.loadPicture(bmpFile(3, 2));
  ASSERT_NE(bmp, nullptr);
  EXPECT_EQ(bmp->size(), (ui::Size{3, 2}));
  const std::unique_ptr<ui::Picture> ico = kit.loadPicture(icoFile());
  ASSERT_NE(ico, nullptr);
  EXPECT_EQ(ico->size(), (ui::Size{16, 16}));
  EXPECT_EQ(kit.loadPicture("not a picture"), nullptr);
  EXPECT_EQ(kit.loadPicture(""), nullptr);
}

TEST_F(ToolkitServicesContract, TimersTickUntilStopped) {
  ui::Window& window = openWindow({});
  int fast = 0;
  int slow = 0;
  int fastTimer = 0;
  fastTimer = kit.startTimer(10, [&] {
    if (++fast == 3) kit.stopTimer(fastTimer);
  });
  kit.startTimer(100, [&] {
    ++slow;
    window.close();
  });
  kit.runMessageLoop();
  EXPECT_EQ(fast, 3);
  EXPECT_EQ(slow, 1);
}

TEST_F(ToolkitServicesContract, TheScreenAreaHoldsAWindow) {
  const ui::Rect screen = kit.screenArea();
  EXPECT_GE(screen.width, 640);
  EXPECT_GE(screen.height, 480);
  kit.processPendingEvents();  // nothing waits: returns at once
}

}  // namespace
}  // namespace ui_contract
