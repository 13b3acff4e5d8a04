// Win32 windows: class names, Chinese captions through the W functions, where controls live,
// notifications forwarded from containers, popup menus, the tray icon's messages and message boxes.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "tests/ui/win32/win32_test_backend.h"
#include "ui/list_controls.h"
#include "ui/panels.h"
#include "ui/simple_controls.h"
#include "ui/tree_view.h"
#include "ui/simple_controls.h"
#include "ui/win32/win32_control.h"
#include "ui/win32/win32_fonts.h"
#include "ui/win32/win32_window.h"

namespace ui_win32_test {
namespace {

using ui::ControlKind;

ui::LayoutEntry entry(const base::TextValue& name, ControlKind kind, ui::Rect bounds, const base::TextValue& caption = {},
                      const base::TextValue& parent = {}) {
  ui::LayoutEntry made;
  made.name = name;
  made.kind = kind;
  made.bounds = bounds;
  made.caption = caption;
  made.parent = parent;
  return made;
}

HWND hwndOf(ui::Control* control) { return dynamic_cast<ui::win32::NativeControl&>(*control).hwnd(); }
HWND hwndOf(ui::Window& window) { return dynamic_cast<ui::win32::Win32Window&>(window).hwnd(); }

std::wstring textOf(HWND window) {
  wchar_t text[256] = {};
  ::GetWindowTextW(window, text, 256);
  return text;
}

class Win32WindowTest : public ::testing::Test {
 protected:
  ui::Window& open(const base::TextValue& name, const std::vector<ui::LayoutEntry>& controls) {
    ui::WindowLayout layout;
    layout.name = name;
    layout.title = "砚川·格簿录入台";
    layout.bounds = {50, 50, 700, 400};
    layout.controls = controls;
    windows_.push_back(kit.createWindow(layout, nullptr));
    kit.show(*windows_.back());
    return *windows_.back();
  }

  void TearDown() override { windows_.clear(); }

  TestToolkit kit;
  std::vector<std::unique_ptr<ui::Window>> windows_;
};

TEST_F(Win32WindowTest, TheWindowClassIsTheLayoutsNameAndTheTitleIsUnicode) {
  ui::Window& window = open("ycFormData", {});
  EXPECT_EQ(::FindWindowW(L"ycFormData", nullptr), hwndOf(window));
  EXPECT_EQ(textOf(hwndOf(window)), L"砚川·格簿录入台");
  EXPECT_EQ(window.title(), "砚川·格簿录入台");

  ui::Window& chinese = open("窗口表单设计", {});
  EXPECT_EQ(::FindWindowW(L"窗口表单设计", nullptr), hwndOf(chinese));
}

TEST_F(Win32WindowTest, ControlsLiveInTheirParentsWindowAtTheirOwnCoordinates) {
  ui::Window& window = open("窗口", {entry("图片框查找", ControlKind::Panel, {10, 20, 600, 40}),
                                     entry("标签1", ControlKind::Label, {8, 8, 112, 24}, "要查找的内容：", "图片框查找"),
                                     entry("组框", ControlKind::GroupBox, {10, 100, 300, 200}, "字段"),
                                     entry("按钮甲", ControlKind::Button, {12, 30, 100, 24}, "确定", "组框")});
  HWND panel = hwndOf(window.control("图片框查找"));
  HWND label = hwndOf(window.control("标签1"));
  HWND group = hwndOf(window.control("组框"));
  HWND button = hwndOf(window.control("按钮甲"));
  EXPECT_EQ(::GetParent(panel), hwndOf(window));
  EXPECT_EQ(::GetParent(label), panel);
  EXPECT_EQ(::GetParent(button), group);
  EXPECT_EQ(textOf(label), L"要查找的内容：");
  EXPECT_EQ(textOf(group), L"字段");

  RECT area{};
  ::GetWindowRect(label, &area);
  ::MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&area), 2);
  EXPECT_EQ(area.left, 8);
  EXPECT_EQ(area.top, 8);
  EXPECT_EQ(area.right - area.left, 112);

  window.control("标签1")->move(30, 4);
  ::GetWindowRect(label, &area);
  ::MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&area), 2);
  EXPECT_EQ(area.left, 30);
  EXPECT_EQ(area.top, 4);
}

TEST_F(Win32WindowTest, AButtonInAGroupBoxReportsItsClickThroughTheGroupBox) {
  ui::Window& window = open("窗口", {entry("组框", ControlKind::GroupBox, {10, 10, 300, 200}, "字段"),
                                     entry("按钮甲", ControlKind::Button, {12, 30, 100, 24}, "确定", "组框")});
  int clicks = 0;
  window.control("按钮甲")->onClick = [&] { ++clicks; };
  ::SendMessageW(hwndOf(window.control("按钮甲")), BM_CLICK, 0, 0);
  kit.processPendingEvents();
  EXPECT_EQ(clicks, 1);
}

TEST_F(Win32WindowTest, PropertiesReachTheSystemControls) {
  ui::Window& window = open("窗口", {entry("按钮甲", ControlKind::Button, {10, 10, 100, 24}, "确定"),
                                     entry("标签", ControlKind::Label, {10, 40, 100, 24}, "标签")});
  ui::Control& button = *window.control("按钮甲");
  HWND handle = hwndOf(&button);
  EXPECT_TRUE(::IsWindowVisible(handle));
  button.setEnabled(false);
  EXPECT_FALSE(::IsWindowEnabled(handle));
  button.setVisible(false);
  EXPECT_FALSE(::IsWindowVisible(handle));
  button.setCaption("取消");
  EXPECT_EQ(textOf(handle), L"取消");

  ui::Font font;
  font.name = "黑体";
  font.size = 12;
  font.bold = true;
  font.underline = true;
  button.setFont(font);
  auto gdiFont = reinterpret_cast<HFONT>(::SendMessageW(handle, WM_GETFONT, 0, 0));
  ASSERT_NE(gdiFont, nullptr);
  LOGFONTW description{};
  ::GetObjectW(gdiFont, sizeof(description), &description);
  EXPECT_EQ(std::wstring(description.lfFaceName), L"黑体");
  EXPECT_EQ(description.lfWeight, FW_BOLD);
  EXPECT_TRUE(description.lfUnderline);
  EXPECT_LT(description.lfHeight, 0);

  // The text colour is what the label's parent answers to WM_CTLCOLORSTATIC.
  ui::Control& label = *window.control("标签");
  label.setTextColor(ui::rgb(255, 0, 0));
  HDC dc = ::CreateCompatibleDC(nullptr);
  ::SendMessageW(hwndOf(window), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwndOf(&label)));
  EXPECT_EQ(::GetTextColor(dc), RGB(255, 0, 0));
  ::DeleteDC(dc);
}

TEST_F(Win32WindowTest, ThePopupMenusChoiceReachesOnCommandBeforeItReturns) {
  ui::Window& window = open("窗口", {});
  std::vector<int> commands;
  window.onCommand = [&](int command) { commands.push_back(command); };
  // The keys wait in the queue for the menu's own loop: the second item, then Enter.
  ::PostMessageW(hwndOf(window), WM_KEYDOWN, VK_DOWN, 0);
  ::PostMessageW(hwndOf(window), WM_KEYDOWN, VK_DOWN, 0);
  ::PostMessageW(hwndOf(window), WM_KEYDOWN, VK_RETURN, 0);
  kit.showPopupMenu(window, {200, 200}, "复制", {{"复制单元格", 11}, {"复制整行", 12}});
  EXPECT_EQ(commands, (std::vector<int>{12}));
}

TEST_F(Win32WindowTest, PopupMenuCommandsNeedNotFitTheSixteenBitsOfAMenuItem) {
  ui::Window& window = open("窗口", {});
  std::vector<int> commands;
  window.onCommand = [&](int command) { commands.push_back(command); };
  const std::vector<ui::MenuItem> items = {{"记录甲", 70000}, {"记录乙", 65536 + 12}, {"记录丙", -3}, {"记录丁", 0}};
  for (std::size_t index = 0; index < items.size(); ++index) {
    for (std::size_t down = 0; down <= index; ++down) ::PostMessageW(hwndOf(window), WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(hwndOf(window), WM_KEYDOWN, VK_RETURN, 0);
    kit.showPopupMenu(window, {200, 200}, "记录", items);
  }
  EXPECT_EQ(commands, (std::vector<int>{70000, 65536 + 12, -3, 0}));
}

TEST_F(Win32WindowTest, AMaximisedWindowKeepsItsNormalBoundsAndTheScreensAreListed) {
  ui::Window& window = open("窗口", {});
  window.setBounds({120, 90, 640, 420});
  EXPECT_FALSE(window.maximized());
  EXPECT_EQ(window.normalBounds(), window.bounds());
  window.maximize();
  kit.processPendingEvents();
  EXPECT_TRUE(window.maximized());
  EXPECT_EQ(window.normalBounds(), (ui::Rect{120, 90, 640, 420}));
  EXPECT_NE(window.bounds(), window.normalBounds());
  const std::vector<ui::Rect> screens = kit.screenAreas();
  ASSERT_FALSE(screens.empty());
  EXPECT_EQ(screens.front(), kit.screenArea());
}

TEST_F(Win32WindowTest, TheTrayIconsMessagesBecomeItsEvents) {
  ui::Window& window = open("窗口", {});
  std::string bmp = "BM";
  auto put = [&bmp](std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bmp.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
  };
  for (const auto& [value, count] : std::vector<std::pair<std::uint32_t, int>>{
           {54 + 16 * 16 * 4, 4}, {0, 4}, {54, 4}, {40, 4}, {16, 4}, {16, 4}, {1, 2}, {32, 2}}) {
    put(value, count);
  }
  for (int i = 0; i < 6; ++i) put(0, 4);
  for (int i = 0; i < 256; ++i) put(0xFFFF0000, 4);
  std::unique_ptr<ui::Picture> icon = kit.loadPicture(bmp);
  ASSERT_NE(icon, nullptr);
  std::vector<ui::TrayEvent> events;
  kit.addTrayIcon(window, *icon, "砚川·格簿录入台", [&](ui::TrayEvent event) { events.push_back(event); });
  HWND handle = hwndOf(window);
  ::SendMessageW(handle, ui::win32::kTrayMessage, 1, WM_LBUTTONUP);
  ::SendMessageW(handle, ui::win32::kTrayMessage, 1, WM_LBUTTONDBLCLK);
  ::SendMessageW(handle, ui::win32::kTrayMessage, 1, WM_RBUTTONUP);
  ::SendMessageW(handle, ui::win32::kTrayMessage, 1, WM_MOUSEMOVE);
  EXPECT_EQ(events, (std::vector<ui::TrayEvent>{ui::TrayEvent::LeftClick, ui::TrayEvent::DoubleClick, ui::TrayEvent::RightClick}));
  kit.removeTrayIcon(window);
  ::SendMessageW(handle, ui::win32::kTrayMessage, 1, WM_LBUTTONUP);
  EXPECT_EQ(events.size(), 3u);
}

TEST_F(Win32WindowTest, MessageBoxesShowTheirTextAndCaptionInChinese) {
  ui::Window& window = open("窗口", {});
  window.activate();
  ui::MessageBoxRequest question;
  question.text = "确定要删除列表吗？";
  question.caption = "信息：";
  question.buttons = ui::MessageButtons::OkCancel;
  kit.answerNextMessageBox(ui::MessageAnswer::Cancel);
  EXPECT_EQ(kit.show(question), ui::MessageAnswer::Cancel);
  ASSERT_EQ(kit.shownBoxes().size(), 1u);
  EXPECT_EQ(kit.shownBoxes()[0].shownText, L"确定要删除列表吗？");
  EXPECT_EQ(kit.shownBoxes()[0].shownCaption, L"信息：");
}

TEST_F(Win32WindowTest, TheMainWindowsKindsShowChineseCaptions) {
  ui::Window& window = open("ycFormData", {entry("组合框表单", ControlKind::ComboBox, {10, 10, 280, 23}),
                                           entry("树型框", ControlKind::TreeView, {10, 40, 280, 300}),
                                           entry("分隔条", ControlKind::Splitter, {294, 10, 6, 330}),
                                           entry("图片框查找", ControlKind::Panel, {304, 10, 380, 40}),
                                           entry("标签1", ControlKind::Label, {8, 8, 112, 24}, "要查找的内容：", "图片框查找"),
                                           entry("编辑框查找内容", ControlKind::EditBox, {120, 8, 150, 24}, "砚川", "图片框查找"),
                                           entry("选择框查树", ControlKind::CheckBox, {276, 8, 64, 24}, "查树", "图片框查找"),
                                           entry("按钮查找", ControlKind::Button, {304, 60, 100, 24}, "查找"),
                                           entry("画板数据", ControlKind::DrawingPanel, {304, 90, 380, 250})});
  window.get<ui::ComboBox>("组合框表单").setItems({"网址表单", "账号表单"});
  window.get<ui::ComboBox>("组合框表单").setCurrentIndex(0);
  auto& tree = window.get<ui::TreeView>("树型框");
  const int list = tree.addItem(-1, {"常用网址", 0, 0, 1, false, true});
  tree.addItem(list, {"搜索引擎", 1, 1, 2, false, false});
  tree.setItem(list, {"常用网址", 0, 0, 1, true, true});
  ui::Canvas& canvas = window.get<ui::DrawingPanel>("画板数据").canvas();
  canvas.setBackground(ui::kWhite);
  canvas.clear({0, 0, 380, 250});
  canvas.setFont({"宋体", 11, false, false});
  canvas.text({10, 10}, "序号  网址  备注：中文显示");
  window.get<ui::DrawingPanel>("画板数据").refresh();
  // GEBU_UI_HOLD_MS keeps the window up for a look (a screenshot).
  const char* hold = std::getenv("GEBU_UI_HOLD_MS");
  pumpFor(hold != nullptr ? std::atoi(hold) : 50);
  EXPECT_EQ(window.get<ui::EditBox>("编辑框查找内容").text(), "砚川");
  EXPECT_EQ(window.get<ui::ComboBox>("组合框表单").editText(), "网址表单");
}

TEST_F(Win32WindowTest, EveryControlShowsTheOneUserInterfaceFontAndItDrawsChinese) {
  // The toolkit's face draws the program's Chinese captions (the message font, or a Chinese face
  // where the message font has none); a face without them would show boxes.
  EXPECT_TRUE(ui::win32::drawsChinese(kit.uiFontFace()));
  EXPECT_FALSE(ui::win32::drawsChinese(L""));
  ui::Window& window = open("测试窗口", {entry("标签1", ControlKind::Label, {8, 8, 112, 24}, "要查找的内容："),
                                      entry("按钮查找", ControlKind::Button, {130, 8, 100, 24}, "查找"),
                                      entry("树型框", ControlKind::TreeView, {8, 40, 220, 200})});
  for (const char* name : {"标签1", "按钮查找", "树型框"}) {
    auto* native = dynamic_cast<ui::win32::NativeControl*>(window.control(name));
    ASSERT_NE(native, nullptr);
    const std::optional<LOGFONTW> font = fontOf(native->hwnd());
    ASSERT_TRUE(font.has_value()) << name;
    EXPECT_EQ(std::wstring(font->lfFaceName), kit.uiFontFace()) << name;
    EXPECT_EQ(font->lfHeight, -12) << name;  // 9 points at 96 DPI
  }
}

}  // namespace
}  // namespace ui_win32_test
