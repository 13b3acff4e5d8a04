// The contract suite's backend: the Win32 toolkit, and a user who sends the messages a real user's
// keyboard and mouse produce.

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstring>
#include <utility>

#include <gtest/gtest.h>

#include "tests/ui/contract/user_actions.h"
#include "tests/ui/win32/win32_test_backend.h"
#include "ui/win32/win32_control.h"
#include "ui/win32/win32_dpi.h"
#include "ui/win32/win32_panels.h"
#include "ui/win32/win32_toolbar.h"
#include "ui/win32/win32_tree_view.h"
#include "ui/win32/win32_window.h"

namespace ui_win32_test {

namespace {

struct BoxSearch {
  HWND found = nullptr;
};

BOOL CALLBACK findBox(HWND window, LPARAM context) {
  wchar_t className[16] = {};
  ::GetClassNameW(window, className, 16);
  if (std::wstring(className) == L"#32770" && ::IsWindowVisible(window)) {
    reinterpret_cast<BoxSearch*>(context)->found = window;
    return FALSE;
  }
  return TRUE;
}

std::wstring textOf(HWND window) {
  std::array<wchar_t, 1024> text{};
  ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  return text.data();
}

}  // namespace

void pumpFor(int milliseconds) {
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
  MSG message{};
  while (static_cast<int>(end - ::GetTickCount()) > 0) {
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    ::Sleep(5);
  }
}

ui::MessageAnswer TestToolkit::presentMessageBox(const ui::MessageBoxRequest& request) {
  ui::MessageAnswer answer = ui::MessageAnswer::Ok;
  if (request.buttons == ui::MessageButtons::OkCancel && !answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  shown_.push_back({request, {}, {}});
  const std::size_t record = shown_.size() - 1;
  // Runs inside the box's own message loop.
  int timer = 0;
  timer = startTimer(50, [this, answer, record, &timer] {
    BoxSearch search;
    ::EnumThreadWindows(::GetCurrentThreadId(), &findBox, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) return;
    stopTimer(timer);
    shown_[record].shownText = textOf(::GetDlgItem(search.found, 0xFFFF));
    shown_[record].shownCaption = textOf(search.found);
    const int button = answer == ui::MessageAnswer::Ok ? IDOK : IDCANCEL;
    ::SendMessageW(::GetDlgItem(search.found, button), BM_CLICK, 0, 0);
  });
  const ui::MessageAnswer shown = Win32Toolkit::presentMessageBox(request);
  stopTimer(timer);
  return shown;
}

std::optional<LOGFONTW> fontOf(HWND window) {
  auto font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
  LOGFONTW description{};
  if (font == nullptr || ::GetObjectW(font, sizeof(description), &description) == 0) return std::nullopt;
  return description;
}

}  // namespace ui_win32_test

namespace ui_contract {
namespace {

using ui::win32::NativeControl;
using ui_win32_test::TestToolkit;

HWND hwndOf(ui::Control& control) {
  auto* native = dynamic_cast<NativeControl*>(&control);
  return native != nullptr ? native->hwnd() : nullptr;
}

HWND hwndOf(ui::Window& window) { return dynamic_cast<ui::win32::Win32Window&>(window).hwnd(); }

// A user reaches a control that is shown and enabled, its parents too.
bool reachable(HWND window) {
  if (window == nullptr || !::IsWindowVisible(window)) return false;
  for (HWND at = window; at != nullptr && (::GetWindowLongPtrW(at, GWL_STYLE) & WS_CHILD); at = ::GetParent(at)) {
    if (!::IsWindowEnabled(at)) return false;
  }
  return true;
}

// A position in a control, in designed pixels, as the device pixels the system reports it in.
ui::Point devicePoint(const ui::Control& control, const ui::MouseEvent& event) {
  return control.window().dpiScale().toDevice(ui::Point{event.x, event.y});
}

LPARAM pointParam(int x, int y) { return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)), static_cast<WORD>(static_cast<SHORT>(y))); }

// Holds keys (ui::kCtrl, kShift, kAlt) down in the thread's keyboard state while it lives.
class HeldKeys {
 public:
  explicit HeldKeys(int keys) : held_(keys != ui::kNoKeys) {
    if (!held_) return;
    ::GetKeyboardState(saved_.data());
    std::array<BYTE, 256> state = saved_;
    if (keys & ui::kCtrl) state[VK_CONTROL] |= 0x80;
    if (keys & ui::kShift) state[VK_SHIFT] |= 0x80;
    if (keys & ui::kAlt) state[VK_MENU] |= 0x80;
    ::SetKeyboardState(state.data());
  }
  ~HeldKeys() {
    if (held_) ::SetKeyboardState(saved_.data());
  }
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

 private:
  bool held_;
  std::array<BYTE, 256> saved_{};
};

// The code the keyboard sends for each key, written out here apart from the toolkit's own table,
// so that the contract suite checks that table.
constexpr std::pair<ui::Key, UINT> kKeyboardCodes[] = {
    {ui::Key::Tab, VK_TAB},     {ui::Key::Enter, VK_RETURN}, {ui::Key::Escape, VK_ESCAPE},
    {ui::Key::F2, VK_F2},       {ui::Key::F3, VK_F3},        {ui::Key::Delete, VK_DELETE},
    {ui::Key::Up, VK_UP},       {ui::Key::Down, VK_DOWN},    {ui::Key::PageUp, VK_PRIOR},
    {ui::Key::PageDown, VK_NEXT}, {ui::Key::Home, VK_HOME},  {ui::Key::End, VK_END},
    {ui::Key::A, 'A'},          {ui::Key::F, 'F'},           {ui::Key::N, 'N'},
};

UINT virtualKey(ui::Key key) {
  for (const auto& [each, code] : kKeyboardCodes) {
    if (each == key) return code;
  }
  ADD_FAILURE() << "no keyboard code for key " << static_cast<int>(key);
  return VK_RETURN;
}

WPARAM mouseFlags(const ui::MouseEvent& event, bool buttonHeld) {
  WPARAM flags = 0;
  if (event.keys & ui::kCtrl) flags |= MK_CONTROL;
  if (event.keys & ui::kShift) flags |= MK_SHIFT;
  if (buttonHeld && event.button == ui::MouseButton::Left) flags |= MK_LBUTTON;
  if (buttonHeld && event.button == ui::MouseButton::Right) flags |= MK_RBUTTON;
  return flags;
}

class Win32Actions : public UserActions {
 public:
  explicit Win32Actions(TestToolkit& toolkit) : toolkit_(toolkit) {}

  void focus(ui::Control& control) override {
    HWND window = hwndOf(control);
    if (!reachable(window)) return;
    ::SetFocus(window);
    settle();
  }

  void type(ui::EditBox& box, const base::TextValue& text) override {
    HWND window = hwndOf(box);
    if (!reachable(window)) return;
    ::SetFocus(window);
    const std::wstring wide = ui::win32::wideText(text);
    for (std::size_t i = 0; i < wide.size(); ++i) {
      if (wide[i] == L'\r' && i + 1 < wide.size() && wide[i + 1] == L'\n') {
        enter(window);
        ++i;
      } else {
        ::SendMessageW(window, WM_CHAR, wide[i], 1);
      }
    }
    settle();
  }

  void typeOver(ui::EditBox& box, const base::TextValue& text) override {
    HWND window = hwndOf(box);
    if (!reachable(window)) return;
    ::SetFocus(window);
    ::SendMessageW(window, EM_SETSEL, 0, -1);
    type(box, text);
  }

  void pressEnter(ui::EditBox& box) override { pressKey(box, ui::Key::Enter, ui::kNoKeys); }

  // The key goes into the thread's queue as the keyboard puts it there, and reaches the control
  // through the toolkit's pump, as a real key press does.
  void pressKey(ui::Control& target, ui::Key key, int keys) override {
    HWND window = hwndOf(target);
    if (!reachable(window)) return;
    if (ui::takesFocus(target.kind())) {
      ::SetFocus(window);
      settle();
    }
    HWND focus = ::GetFocus();
    if (focus == nullptr) focus = ::GetAncestor(window, GA_ROOT);
    HeldKeys held(keys);
    const UINT code = virtualKey(key);
    const bool alt = (keys & ui::kAlt) != 0;
    const auto scan = static_cast<LPARAM>(::MapVirtualKeyW(code, MAPVK_VK_TO_VSC)) << 16;
    const LPARAM down = 1 | scan | (alt ? LPARAM{1} << 29 : 0);
    ::PostMessageW(focus, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, code, down);
    settle();
    ::PostMessageW(focus, alt ? WM_SYSKEYUP : WM_KEYUP, code, down | static_cast<LPARAM>(0xC0000000u));
    settle();
  }

  void paste(ui::EditBox& box) override {
    HWND window = hwndOf(box);
    if (!reachable(window)) return;
    ::SetFocus(window);
    ::SendMessageW(window, WM_CHAR, 0x16, 1);  // Ctrl+V as the keyboard translates it
    settle();
  }

  void click(ui::Control& control) override {
    HWND window = hwndOf(control);
    if (!reachable(window)) return;
    RECT client{};
    ::GetClientRect(window, &client);
    leftClick(window, client.right / 2, client.bottom / 2);
  }

  void pick(ui::ItemList& list, int index) override {
    HWND window = hwndOf(list);
    if (!reachable(window)) return;
    if (list.kind() == ui::ControlKind::ComboBox) {
      // The list opens, the item is chosen, the list closes: the box tells its parent.
      ::SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
      ::SendMessageW(::GetParent(window), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(window), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(window));
      settle();
      return;
    }
    ::SendMessageW(window, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    RECT item{};
    if (::SendMessageW(window, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) == LB_ERR) return;
    leftClick(window, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
  }

  void toggleCheck(ui::CheckedListBox& list, int index) override {
    HWND window = hwndOf(list);
    if (!reachable(window)) return;
    ::SendMessageW(window, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    RECT item{};
    if (::SendMessageW(window, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) == LB_ERR) return;
    leftClick(window, item.left + (item.bottom - item.top) / 2, (item.top + item.bottom) / 2);
  }

  void pressMouse(ui::Control& control, const ui::MouseEvent& event) override {
    HWND window = hwndOf(control);
    if (!reachable(window)) return;
    HeldKeys alt(event.keys & ui::kAlt);
    const UINT message = event.button == ui::MouseButton::Right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
    const ui::Point at = devicePoint(control, event);
    ::SendMessageW(window, message, mouseFlags(event, true), pointParam(at.x, at.y));
  }

  void releaseMouse(ui::Control& control, const ui::MouseEvent& event) override {
    HWND window = hwndOf(control);
    if (!reachable(window)) return;
    HeldKeys alt(event.keys & ui::kAlt);
    const UINT message = event.button == ui::MouseButton::Right ? WM_RBUTTONUP : WM_LBUTTONUP;
    const ui::Point at = devicePoint(control, event);
    ::SendMessageW(window, message, mouseFlags(event, false), pointParam(at.x, at.y));
  }

  void moveMouse(ui::Control& control, const ui::MouseEvent& event) override {
    HWND window = hwndOf(control);
    if (!reachable(window)) return;
    HeldKeys alt(event.keys & ui::kAlt);
    const ui::Point at = devicePoint(control, event);
    ::SendMessageW(window, WM_MOUSEMOVE, mouseFlags(event, true), pointParam(at.x, at.y));
  }

  void clickToolbarButton(ui::Toolbar& toolbar, int index) override {
    HWND window = hwndOf(toolbar);
    if (!reachable(window)) return;
    const ui::Rect button = toolbar.window().dpiScale().toDevice(dynamic_cast<ui::win32::Win32Toolbar&>(toolbar).buttonBounds(index));
    if (button.width <= 0) return;
    leftClick(window, button.left + button.width / 2, button.top + button.height / 2);
  }

  void dragSplitter(ui::Splitter& splitter, int position) override {
    HWND window = hwndOf(splitter);
    if (!reachable(window)) return;
    const ui::DpiScale& scale = splitter.window().dpiScale();
    const int grab = scale.toDevice(splitter.bounds().width / 2);
    const int y = scale.toDevice(splitter.bounds().height / 2);
    const int to = grab + scale.toDevice(position - splitter.bounds().left);
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, pointParam(grab, y));
    ::SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, pointParam(to, y));
    ::SendMessageW(window, WM_LBUTTONUP, 0, pointParam(to, y));
    settle();
  }

  void clickTreeItem(ui::TreeView& tree, int index) override {
    HWND window = hwndOf(tree);
    if (!reachable(window)) return;
    HTREEITEM item = dynamic_cast<ui::win32::Win32TreeView&>(tree).handleOf(index);
    if (item == nullptr) return;
    ::SendMessageW(window, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    RECT area{};
    std::memcpy(&area, &item, sizeof(item));  // TVM_GETITEMRECT takes the item in the rectangle
    if (!::SendMessageW(window, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&area))) return;
    leftClick(window, (area.left + area.right) / 2, (area.top + area.bottom) / 2);
  }

  LabelEdit editTreeLabel(ui::TreeView& tree, int index, const base::TextValue& text) override {
    HWND window = hwndOf(tree);
    if (!reachable(window)) return LabelEdit::Refused;
    HTREEITEM item = dynamic_cast<ui::win32::Win32TreeView&>(tree).handleOf(index);
    if (item == nullptr) return LabelEdit::Refused;
    ::SetFocus(window);
    if (::SendMessageW(window, TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(item)) == 0) return LabelEdit::Refused;
    return endTreeLabelEdit(tree, index, text);
  }

  LabelEdit endTreeLabelEdit(ui::TreeView& tree, int index, const base::TextValue& text) override {
    HWND window = hwndOf(tree);
    if (!reachable(window)) return LabelEdit::Refused;
    auto edit = reinterpret_cast<HWND>(::SendMessageW(window, TVM_GETEDITCONTROL, 0, 0));
    if (edit == nullptr) return LabelEdit::Refused;
    ::SetWindowTextW(edit, ui::win32::wideText(text).c_str());
    // Enter ends the edit and keeps the text.
    ::SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    if (::IsWindow(edit)) ::SendMessageW(window, TVM_ENDEDITLABELNOW, FALSE, 0);
    settle();
    return tree.item(index).text == text ? LabelEdit::Accepted : LabelEdit::Rejected;
  }

  void closeWindow(ui::Window& window) override {
    ::SendMessageW(hwndOf(window), WM_SYSCOMMAND, SC_CLOSE, 0);
    settle();
  }

  void minimize(ui::Window& window) override {
    ::SendMessageW(hwndOf(window), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    settle();
  }

  void turnWheel(ui::Window& window, int delta, ui::Point screen) override {
    const ui::Point at = window.dpiScale().toDevice(screen);
    ::SendMessageW(hwndOf(window), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<SHORT>(delta))),
                   pointParam(at.x, at.y));
  }

  void moveToScreenOfDpi(ui::Window& window, int dpi) override {
    // The system suggests the window's designed size at the new scale, where it is now.
    HWND hwnd = hwndOf(window);
    const ui::Rect now = window.bounds();
    const ui::Rect device = ui::DpiScale(dpi).toDevice(now);
    RECT suggested{device.left, device.top, device.right(), device.bottom()};
    ::SendMessageW(hwnd, ui::win32::kDpiChangedMessage, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    settle();
  }

  ui::Rect deviceBounds(ui::Control& control) override {
    HWND hwnd = hwndOf(control);
    RECT area{};
    ::GetWindowRect(hwnd, &area);
    ::MapWindowPoints(nullptr, ::GetParent(hwnd), reinterpret_cast<POINT*>(&area), 2);
    return {area.left, area.top, area.right - area.left, area.bottom - area.top};
  }

  int deviceFontPixels(ui::Control& control) override {
    const std::optional<LOGFONTW> font = ui_win32_test::fontOf(hwndOf(control));
    if (!font) return 0;
    return font->lfHeight < 0 ? -font->lfHeight : font->lfHeight;
  }

  std::optional<ui::Color> pixelAt(ui::DrawingPanel& panel, ui::Point point) override {
    return dynamic_cast<ui::win32::Win32DrawingPanel&>(panel).gdiCanvas().pixel(point);
  }

  void answerNextMessageBox(ui::MessageAnswer answer) override { toolkit_.answerNextMessageBox(answer); }
  std::vector<ui::MessageBoxRequest> shownMessageBoxes() override {
    std::vector<ui::MessageBoxRequest> shown;
    for (const ui_win32_test::ShownBox& box : toolkit_.shownBoxes()) shown.push_back(box.request);
    return shown;
  }
  int beepCount() override { return toolkit_.beepCount(); }

 private:
  void enter(HWND window) {
    ::SendMessageW(window, WM_KEYDOWN, VK_RETURN, 1);
    ::SendMessageW(window, WM_CHAR, L'\r', 1);
    ::SendMessageW(window, WM_KEYUP, VK_RETURN, 0xC0000001);
  }

  void leftClick(HWND window, int x, int y) {
    // Controls that follow the mouse in a loop of their own see the release waiting in the queue.
    ::PostMessageW(window, WM_LBUTTONUP, 0, pointParam(x, y));
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, pointParam(x, y));
    settle();
  }

  void settle() { toolkit_.processPendingEvents(); }

  TestToolkit& toolkit_;
};

}  // namespace

std::unique_ptr<BackendUnderTest> makeBackendUnderTest() {
  auto backend = std::make_unique<BackendUnderTest>();
  auto toolkit = std::make_unique<TestToolkit>();
  backend->user = std::make_unique<Win32Actions>(*toolkit);
  backend->toolkit = std::move(toolkit);
  return backend;
}

}  // namespace ui_contract
