// Win32 controls: the styles the system controls are made with, the toolbar's tooltips and checked
// look, the tree's items and images, the notifications the program's own changes cause, and the
// keys that stay the controls' own.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/text_codec.h"
#include "tests/ui/win32/win32_test_backend.h"
#include "ui/list_controls.h"
#include "ui/panels.h"
#include "ui/simple_controls.h"
#include "ui/tree_view.h"
#include "ui/win32/win32_control.h"
#include "ui/win32/win32_toolbar.h"
#include "ui/win32/win32_tree_view.h"
#include "ui/win32/win32_window.h"

namespace ui_win32_test {
namespace {

using ui::ControlKind;

HWND hwndOf(ui::Control& control) { return dynamic_cast<ui::win32::NativeControl&>(control).hwnd(); }

LONG_PTR styleOf(HWND window) { return ::GetWindowLongPtrW(window, GWL_STYLE); }

// A key pressed and let go, as the keyboard queues it for the window with the focus.
void pressKey(ui::Toolkit& kit, WPARAM code) {
  HWND focus = ::GetFocus();
  ::PostMessageW(focus, WM_KEYDOWN, code, 1);
  kit.processPendingEvents();
  ::PostMessageW(focus, WM_KEYUP, code, static_cast<LPARAM>(0xC0000001u));
  kit.processPendingEvents();
}

class Win32ControlsTest : public ::testing::Test {
 protected:
  Win32ControlsTest() {
    ui::WindowLayout layout;
    layout.name = "窗口控件";
    layout.title = "控件";
    layout.bounds = {40, 40, 800, 560};
    auto add = [&layout](const base::TextValue& name, ControlKind kind, ui::Rect bounds) {
      ui::LayoutEntry made;
      made.name = name;
      made.kind = kind;
      made.bounds = bounds;
      layout.controls.push_back(made);
    };
    add("工具条", ControlKind::Toolbar, {0, 0, 780, 43});
    add("树型框", ControlKind::TreeView, {0, 50, 300, 400});
    add("编辑框", ControlKind::EditBox, {310, 50, 200, 24});
    add("组合框", ControlKind::ComboBox, {310, 80, 200, 23});
    add("选择框", ControlKind::CheckBox, {310, 110, 200, 24});
    window = kit.createWindow(layout, nullptr);
    kit.show(*window);
  }
  ~Win32ControlsTest() override { window.reset(); }

  TestToolkit kit;
  std::unique_ptr<ui::Window> window;
};

TEST_F(Win32ControlsTest, TheToolbarShowsTooltipsSeparatorsAndTheCheckedLook) {
  auto& toolbar = window->get<ui::win32::Win32Toolbar>("工具条");
  toolbar.setButtons({{0, "新建列表", "新建一个根据表单创建的列表"}, {-1, "", ""}, {1, "自动列宽", "选中自动调整列宽"}}, {});
  HWND handle = hwndOf(toolbar);
  EXPECT_TRUE(styleOf(handle) & TBSTYLE_TOOLTIPS);
  EXPECT_TRUE(styleOf(handle) & TBSTYLE_FLAT);
  EXPECT_EQ(::SendMessageW(handle, TB_BUTTONCOUNT, 0, 0), 3);

  TBBUTTON separator{};
  ::SendMessageW(handle, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&separator));
  EXPECT_TRUE(separator.fsStyle & BTNS_SEP);

  toolbar.setChecked(2, true);
  EXPECT_TRUE(::SendMessageW(handle, TB_GETSTATE, ui::win32::Win32Toolbar::kFirstCommand + 2, 0) & TBSTATE_CHECKED);

  // The tooltip text the toolbar's tooltip window asks for.
  NMTTDISPINFOW tip{};
  tip.hdr.hwndFrom = reinterpret_cast<HWND>(::SendMessageW(handle, TB_GETTOOLTIPS, 0, 0));
  tip.hdr.idFrom = ui::win32::Win32Toolbar::kFirstCommand + 2;
  tip.hdr.code = TTN_GETDISPINFOW;
  ASSERT_NE(tip.hdr.hwndFrom, nullptr);
  ::SendMessageW(::GetParent(handle), WM_NOTIFY, tip.hdr.idFrom, reinterpret_cast<LPARAM>(&tip));
  ASSERT_NE(tip.lpszText, nullptr);
  EXPECT_EQ(std::wstring(tip.lpszText), L"选中自动调整列宽");

  toolbar.setButtonCaption(0, "停止PING");
  wchar_t caption[64] = {};
  ::SendMessageW(handle, TB_GETBUTTONTEXTW, ui::win32::Win32Toolbar::kFirstCommand, reinterpret_cast<LPARAM>(caption));
  EXPECT_EQ(std::wstring(caption), L"停止PING");
}

TEST_F(Win32ControlsTest, TheTreeEditsLabelsAndKeepsItemDataAndImages) {
  auto& tree = window->get<ui::win32::Win32TreeView>("树型框");
  HWND handle = hwndOf(tree);
  const LONG_PTR style = styleOf(handle);
  for (LONG_PTR wanted : {TVS_HASLINES, TVS_HASBUTTONS, TVS_LINESATROOT, TVS_EDITLABELS, TVS_SHOWSELALWAYS}) {
    EXPECT_TRUE(style & wanted) << wanted;
  }
  const int list = tree.addItem(-1, {"列表", 0, 0, 70000, false, false});
  const int field = tree.addItem(list, {"字段", 1, 1, -5, false, false});
  TVITEMW item{};
  item.mask = TVIF_HANDLE | TVIF_PARAM;
  item.hItem = tree.handleOf(field);
  ::SendMessageW(handle, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.lParam, -5);
  EXPECT_EQ(tree.indexOf(tree.handleOf(field)), field);
  EXPECT_EQ(tree.handleOf(7), nullptr);

  // A user's selection reaches the tree as TVN_SELCHANGED.
  int changes = 0;
  tree.onSelectionChanged = [&] { ++changes; };
  tree.setCurrentItem(field);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(reinterpret_cast<HTREEITEM>(::SendMessageW(handle, TVM_GETNEXTITEM, TVGN_CARET, 0)), tree.handleOf(field));

  std::string bmp = "BM";
  auto put = [&bmp](std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bmp.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
  };
  for (const auto& [value, count] : std::vector<std::pair<std::uint32_t, int>>{
           {54 + 16 * 16 * 4, 4}, {0, 4}, {54, 4}, {40, 4}, {16, 4}, {16, 4}, {1, 2}, {32, 2}}) {
    put(value, count);
  }
  for (int i = 0; i < 6; ++i) put(0, 4);
  for (int i = 0; i < 256; ++i) put(0xFF00FF00, 4);
  std::unique_ptr<ui::Picture> picture = kit.loadPicture(bmp);
  ASSERT_NE(picture, nullptr);
  tree.setImages({picture.get(), picture.get(), picture.get()});
  auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(handle, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(::ImageList_GetImageCount(images), 3);
  int width = 0;
  int height = 0;
  ::ImageList_GetIconSize(images, &width, &height);
  EXPECT_EQ(width, 16);
  EXPECT_EQ(height, 16);
}

TEST_F(Win32ControlsTest, TheSelectedItemLooksSelectedWithTheFocusElsewhereAndIsScrolledIntoView) {
  auto& tree = window->get<ui::win32::Win32TreeView>("树型框");
  HWND handle = hwndOf(tree);
  for (int i = 0; i < 60; ++i) tree.addItem(-1, {"列表" + std::to_string(i), 0, 0, i, false, false});
  tree.setCurrentItem(2);
  window->get<ui::EditBox>("编辑框").focus();
  kit.processPendingEvents();
  ASSERT_NE(::GetFocus(), handle);
  ::RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT text{};
  *reinterpret_cast<HTREEITEM*>(&text) = tree.handleOf(2);
  ASSERT_TRUE(::SendMessageW(handle, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&text)));
  HDC dc = ::GetDC(handle);
  // A point of the label's background, right of its last character.
  const COLORREF background = ::GetPixel(dc, text.right - 2, (text.top + text.bottom) / 2);
  ::ReleaseDC(handle, dc);
  EXPECT_EQ(background, ::GetSysColor(COLOR_HIGHLIGHT));

  tree.ensureVisible(55);
  RECT item{};
  *reinterpret_cast<HTREEITEM*>(&item) = tree.handleOf(55);
  ASSERT_TRUE(::SendMessageW(handle, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&item)));
  RECT client{};
  ::GetClientRect(handle, &client);
  EXPECT_GE(item.top, client.top);
  EXPECT_LE(item.bottom, client.bottom);
}

TEST_F(Win32ControlsTest, KeysTheWindowLeavesAreTheControlsOwn) {
  std::vector<ui::Key> heard;
  window->onKeyPress = [&heard](const ui::KeyPress& press) {
    heard.push_back(press.key);
    return false;
  };
  // In an edit box Home and End move the caret, a letter is typed where it stands.
  auto& edit = window->get<ui::EditBox>("编辑框");
  edit.setText("乙丙");
  ::SetFocus(hwndOf(edit));
  ::SendMessageW(hwndOf(edit), EM_SETSEL, 1, 1);
  const auto caret = [&edit] {
    DWORD start = 0;
    ::SendMessageW(hwndOf(edit), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return start;
  };
  pressKey(kit, VK_HOME);
  EXPECT_EQ(caret(), 0u);
  pressKey(kit, VK_END);
  EXPECT_EQ(caret(), 2u);
  pressKey(kit, VK_HOME);
  pressKey(kit, 'A');
  EXPECT_EQ(edit.text(), "a乙丙");
  EXPECT_EQ(heard, (std::vector<ui::Key>{ui::Key::Home, ui::Key::End, ui::Key::Home, ui::Key::A}));

  // A drop-down list showing its list keeps Escape: the list closes, the window hears nothing.
  auto& combo = window->get<ui::ComboBox>("组合框");
  combo.setItems({"一", "二"});
  ::SetFocus(hwndOf(combo));
  ::SendMessageW(hwndOf(combo), CB_SHOWDROPDOWN, TRUE, 0);
  ASSERT_TRUE(::SendMessageW(hwndOf(combo), CB_GETDROPPEDSTATE, 0, 0));
  heard.clear();
  pressKey(kit, VK_ESCAPE);
  EXPECT_FALSE(::SendMessageW(hwndOf(combo), CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_TRUE(heard.empty());
  pressKey(kit, VK_ESCAPE);  // with the list closed the window hears it
  EXPECT_EQ(heard, (std::vector<ui::Key>{ui::Key::Escape}));
}

TEST_F(Win32ControlsTest, TheProgramsChangesCauseNoEventsThroughTheSystemsNotifications) {
  auto& edit = window->get<ui::EditBox>("编辑框");
  int changes = 0;
  edit.onContentChanged = [&] { ++changes; };
  edit.setText("砚川");
  EXPECT_EQ(changes, 1);  // the toolkit's own, not EN_CHANGE's
  // A change the system reports (not the program's) raises it.
  ::SendMessageW(hwndOf(edit), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"格"));
  EXPECT_EQ(changes, 2);

  auto& combo = window->get<ui::ComboBox>("组合框");
  int picks = 0;
  combo.onSelectionChanged = [&] { ++picks; };
  combo.setItems({"甲", "乙"});
  combo.setCurrentIndex(1);
  combo.setEditText("甲");
  EXPECT_EQ(combo.currentIndex(), 0);
  EXPECT_EQ(picks, 0);
  EXPECT_TRUE(styleOf(hwndOf(combo)) & CBS_DROPDOWNLIST);

  auto& check = window->get<ui::CheckBox>("选择框");
  int clicks = 0;
  check.onClick = [&] { ++clicks; };
  check.setChecked(true);
  EXPECT_EQ(::SendMessageW(hwndOf(check), BM_GETCHECK, 0, 0), BST_CHECKED);
  ::SendMessageW(hwndOf(check), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(check.checked());
}

TEST_F(Win32ControlsTest, AMultiLineEditBoxIsANewControlWithTheMultiLineStylesAndTheSameText) {
  auto& edit = window->get<ui::EditBox>("编辑框");
  edit.setText("第一行");
  edit.setTextColor(ui::rgb(0, 0, 255));
  HWND before = hwndOf(edit);
  edit.setMultiLine(true);
  HWND after = hwndOf(edit);
  EXPECT_FALSE(::IsWindow(before));
  const LONG_PTR style = styleOf(after);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & ES_WANTRETURN);
  EXPECT_TRUE(style & ES_AUTOVSCROLL);
  EXPECT_TRUE(::IsWindowVisible(after));
  EXPECT_EQ(edit.text(), "第一行");
  RECT area{};
  ::GetWindowRect(after, &area);
  EXPECT_EQ(area.right - area.left, 200);

  // Enter breaks the line; onEnter is for single-line boxes.
  int enters = 0;
  edit.onEnter = [&] { ++enters; };
  ::SendMessageW(after, EM_SETSEL, 100, 100);
  ::SendMessageW(after, WM_CHAR, L'\r', 1);
  ::SendMessageW(after, WM_CHAR, L'二', 1);
  EXPECT_EQ(edit.text(), "第一行\r\n二");
  EXPECT_EQ(enters, 0);

  edit.setMultiLine(false);
  EXPECT_FALSE(styleOf(hwndOf(edit)) & ES_MULTILINE);
  ::SendMessageW(hwndOf(edit), WM_CHAR, L'\r', 1);
  EXPECT_EQ(enters, 1);
}

TEST_F(Win32ControlsTest, TextsPastTheSystemsDefaultLimitGoInWhole) {
  auto& edit = window->get<ui::EditBox>("编辑框");
  // The program's ten megabytes (in a single-line box: Wine's multi-line control takes seconds a
  // megabyte to lay out).
  base::TextValue large;
  while (large.size() < 10 * 1024 * 1024) large += "格簿备注 note ";
  edit.setText(large);
  EXPECT_TRUE(edit.text() == large) << edit.text().size() << " of " << large.size() << " bytes";

  // A pasted note of 40,000 characters, past the system's default of 32,767, in a multi-line box
  // (a new control).
  edit.setText("");
  edit.setMultiLine(true);
  base::TextValue note;
  for (int line = 0; line < 4000; ++line) note += "第" + std::to_string(line % 10) + "行的备注文字\r\n";
  kit.setClipboardText(note);
  ::SetFocus(hwndOf(edit));
  ::SendMessageW(hwndOf(edit), WM_PASTE, 0, 0);
  EXPECT_TRUE(edit.text() == note) << edit.text().size() << " of " << note.size() << " bytes";
}

TEST_F(Win32ControlsTest, CharactersGbkCannotHoldAndEditsPastTheChecksAreRefusedWithABeep) {
  auto& edit = window->get<ui::EditBox>("编辑框");
  HWND handle = hwndOf(edit);
  int changes = 0;
  edit.onContentChanged = [&] { ++changes; };
  ::SetFocus(handle);
  const int beeps = kit.beepCount();
  // U+1F600 comes as two units, 한 as one; 格 goes in.
  for (wchar_t unit : {L'\xD83D', L'\xDE00', L'\xD55C', L'格'}) ::SendMessageW(handle, WM_CHAR, unit, 1);
  EXPECT_EQ(edit.text(), "格");
  EXPECT_EQ(kit.beepCount(), beeps + 2);

  kit.setClipboardText(platform::pathTextFromUtf16(u"a\U0001F600\uD55Cb"));  // the clipboard holds them
  ::SendMessageW(handle, WM_PASTE, 0, 0);
  EXPECT_EQ(edit.text(), "格ab");
  EXPECT_EQ(kit.beepCount(), beeps + 3);

  // Edits that pass neither check (as an input method's result string goes in) are put back.
  edit.setMaxBytes(6);
  for (const wchar_t* inserted : {L"\uD55C", L"簿录"}) {
    ::SendMessageW(handle, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(inserted));
  }
  EXPECT_EQ(edit.text(), "格ab");
  EXPECT_EQ(kit.beepCount(), beeps + 5);
  EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace ui_win32_test
