// TooltipHelper on the system's tooltip control: the window it makes, and Chinese tip texts going
// in and coming back out through the control.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "support/tooltip_helper.h"
#include "ui/win32/win32_control.h"
#include "ui/win32/win32_toolkit.h"

namespace support {
namespace {

HWND hwndOf(const ui::Control& control) { return dynamic_cast<const ui::win32::NativeControl&>(control).hwnd(); }
HWND hwndOf(const TooltipHelper& helper) { return reinterpret_cast<HWND>(helper.handle()->nativeHandle()); }

class Win32TooltipTest : public ::testing::Test {
 protected:
  Win32TooltipTest() {
    ui::WindowLayout layout;
    layout.name = "提示窗口";
    layout.title = "提示";
    layout.bounds = {40, 40, 640, 480};
    layout.controls.push_back({"画板数据", ui::ControlKind::DrawingPanel, "", {10, 10, 500, 300}, "", true, true});
    window = kit.createWindow(layout, nullptr);
    kit.show(*window);
  }
  ~Win32TooltipTest() override { window.reset(); }

  ui::Control& panel() const { return *window->control("画板数据"); }

  ui::win32::Win32Toolkit kit;
  std::unique_ptr<ui::Window> window;
};

TEST_F(Win32TooltipTest, CreateMakesATopMostTooltipControl) {
  TooltipHelper helper;
  ASSERT_NE(helper.create(kit, true, true), nullptr);
  HWND tip = hwndOf(helper);
  ASSERT_TRUE(::IsWindow(tip));
  wchar_t className[64] = {};
  ::GetClassNameW(tip, className, 64);
  EXPECT_EQ(::lstrcmpiW(className, L"tooltips_class32"), 0);
  EXPECT_TRUE(::GetWindowLongPtrW(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(::GetWindowLongPtrW(tip, GWL_STYLE) & TTS_BALLOON);
  EXPECT_EQ(::SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0), kMultiLineTipWidth);
  EXPECT_EQ(helper.create(kit, true, false), nullptr);

  EXPECT_TRUE(helper.destroy());
  EXPECT_FALSE(::IsWindow(tip));
  {
    TooltipHelper going;
    going.create(kit, false, false);
    tip = hwndOf(going);
    EXPECT_FALSE(::GetWindowLongPtrW(tip, GWL_STYLE) & TTS_BALLOON);
  }
  EXPECT_FALSE(::IsWindow(tip));  // the last helper took its window along
}

TEST_F(Win32TooltipTest, TheControlTakesChineseTextsAndTheOwnersClientArea) {
  TooltipHelper helper;
  ASSERT_NE(helper.create(kit, true, false), nullptr);
  helper.removeTool(panel());
  EXPECT_EQ(helper.toolCount(), 0);
  ASSERT_TRUE(helper.addTool(panel(), "第一个单元格", false));
  helper.removeTool(panel());
  ASSERT_TRUE(helper.addTool(panel(), "砚川·格簿录入台 a&b", false));
  EXPECT_EQ(helper.toolCount(), 1);
  EXPECT_EQ(helper.toolTexts(), std::vector<base::TextValue>{"砚川·格簿录入台 a&b"});
  EXPECT_EQ(helper.toolText(panel(), 1000), base::TextValue("砚川·格簿录入台 a&b"));
  EXPECT_EQ(helper.toolText(panel(), 5), base::TextValue("砚川"));

  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = hwndOf(panel());
  ASSERT_TRUE(::SendMessageW(hwndOf(helper), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)));
  EXPECT_TRUE(info.uFlags & TTF_SUBCLASS);
  EXPECT_FALSE(info.uFlags & TTF_CENTERTIP);
  EXPECT_EQ(info.rect.right - info.rect.left, 500);
  EXPECT_EQ(info.rect.bottom - info.rect.top, 300);

  base::TextValue longText;
  for (int count = 0; count < 600; ++count) longText += "长";
  helper.updateText(panel(), longText);
  EXPECT_EQ(helper.toolText(panel(), 4096), longText);

  helper.setBackgroundColor(ui::rgb(0x46, 0x82, 0xB4));
  helper.setTextColor(ui::kWhite);
  EXPECT_EQ(helper.backgroundColor(), ui::rgb(0x46, 0x82, 0xB4));
  EXPECT_EQ(helper.textColor(), ui::kWhite);
  helper.setDelays(250, 0);
  EXPECT_EQ(::SendMessageW(hwndOf(helper), TTM_GETDELAYTIME, TTDT_INITIAL, 0), 250);
  helper.pop();
  helper.removeTool(panel());
  EXPECT_EQ(helper.toolCount(), 0);
  EXPECT_EQ(helper.toolText(panel(), 100), std::nullopt);
}

}  // namespace
}  // namespace support
