#include "ui/win32/win32_control.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/win32/wide_text.h"
#include "ui/win32/win32_fonts.h"
#include "ui/win32/win32_toolkit.h"
#include "ui/win32/win32_window.h"

namespace ui::win32 {

namespace {

// The window property that leads from a window to the program's control.
constexpr wchar_t kControlProperty[] = L"gebu.control";
constexpr UINT_PTR kSubclassId = 1;

}  // namespace

std::wstring wideText(const base::TextValue& text) { return platform::win32::wideFromGbk(text); }

base::TextValue gbkText(const std::wstring& text) { return platform::win32::gbkFromWide(text); }

std::wstring wideWindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

base::TextValue windowText(HWND window) { return gbkText(wideWindowText(window)); }

base::TextValue keptText(const std::wstring& text, const base::TextValue& shown) {
  return platform::utf16ToGbkKeeping(platform::win32::utf16FromWide(text), shown);
}

int keysOf(WPARAM mouseFlags) {
  int keys = kNoKeys;
  if (mouseFlags & MK_CONTROL) keys += kCtrl;
  if (mouseFlags & MK_SHIFT) keys += kShift;
  if (::GetKeyState(VK_MENU) < 0) keys += kAlt;
  return keys;
}

int heldKeys() {
  int keys = kNoKeys;
  if (::GetKeyState(VK_CONTROL) < 0) keys += kCtrl;
  if (::GetKeyState(VK_SHIFT) < 0) keys += kShift;
  if (::GetKeyState(VK_MENU) < 0) keys += kAlt;
  return keys;
}

NativeControl::NativeControl(Win32Window& window, Control* parent)
    : window_(window), parent_(parent), id_(window.nextControlId()) {}

NativeControl::~NativeControl() {
  if (HWND window = hwnd()) unhook(window);
  // hwnd_ destroys the window (its children went with the parent's), then font_ is freed.
}

NativeControl* NativeControl::of(HWND window) {
  return window ? static_cast<NativeControl*>(::GetPropW(window, kControlProperty)) : nullptr;
}

void NativeControl::create(const wchar_t* className, DWORD style, DWORD exStyle) {
  Control& self = control();
  const Rect bounds = scale().toDevice(self.bounds());
  HWND parentWindow = window_.hwnd();
  if (parent_ != nullptr) {
    if (auto* native = dynamic_cast<NativeControl*>(parent_)) parentWindow = native->hwnd();
  }
  HWND made = ::CreateWindowExW(exStyle, className, L"", style | WS_CHILD | WS_CLIPSIBLINGS, bounds.left, bounds.top,
                                bounds.width, bounds.height, parentWindow,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), ::GetModuleHandleW(nullptr), nullptr);
  OwnedWindow previous;
  if (HWND old = hwnd()) {
    unhook(old);
    previous.reset(hwnd_.release());
  }
  attach(made);
  nativeFont(self.font());
  if (previous) {
    ::SetWindowPos(made, previous.get(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    nativeEnabled(self.enabled());
    nativeVisible(self.visible());
  }
}

void NativeControl::attach(HWND window) {
  hwnd_.reset(window);
  if (window == nullptr) return;
  ::SetPropW(window, kControlProperty, this);
  ::SetWindowSubclass(window, &NativeControl::subclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void NativeControl::adopt(HWND helper) {
  if (helper != nullptr) ::SetPropW(helper, kControlProperty, this);
}

void NativeControl::unhook(HWND window) {
  ::RemoveWindowSubclass(window, &NativeControl::subclassProc, kSubclassId);
  ::RemovePropW(window, kControlProperty);
}

void NativeControl::detach() {
  if (HWND window = hwnd()) {
    unhook(window);
    hwnd_.release();
  }
}

LRESULT CALLBACK NativeControl::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR self) {
  return reinterpret_cast<NativeControl*>(self)->dispatch(window, message, wParam, lParam);
}

LRESULT NativeControl::dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (routeFromParent(message, wParam, lParam, result)) return result;
  if (handleMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_SETFOCUS: focusChanged(true); break;
    case WM_KILLFOCUS: focusChanged(false); break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE: {
      MouseEvent event;
      const Point at = scale().toLayout(Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      event.x = at.x;
      event.y = at.y;
      event.keys = keysOf(wParam);
      if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
        event.button = MouseButton::Left;
      } else if (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP) {
        event.button = MouseButton::Right;
      } else if (wParam & MK_LBUTTON) {
        event.button = MouseButton::Left;
      } else if (wParam & MK_RBUTTON) {
        event.button = MouseButton::Right;
      }
      mouseButton(message, event);
      break;
    }
    case WM_NCDESTROY:
      // Destroyed along with its parent: the handle is no longer ours to destroy.
      unhook(window);
      if (hwnd() == window) hwnd_.release();
      return ::DefSubclassProc(window, message, wParam, lParam);
    default: break;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

bool NativeControl::routeFromParent(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND: {
      NativeControl* child = lParam != 0 ? of(reinterpret_cast<HWND>(lParam)) : nullptr;
      if (child == nullptr) return false;
      result = 0;
      return child->handleCommand(HIWORD(wParam), LOWORD(wParam));
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      NativeControl* child = header != nullptr ? of(header->hwndFrom) : nullptr;
      return child != nullptr && child->handleNotify(*header, result);
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      NativeControl* child = item != nullptr ? of(item->hwndItem) : nullptr;
      if (child == nullptr || !child->handleDrawItem(*item)) return false;
      result = TRUE;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      NativeControl* child = of(reinterpret_cast<HWND>(lParam));
      HBRUSH brush = child != nullptr ? child->controlColor(reinterpret_cast<HDC>(wParam), message) : nullptr;
      if (brush == nullptr) return false;
      result = reinterpret_cast<LRESULT>(brush);
      return true;
    }
    default: return false;
  }
}

bool NativeControl::handleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
bool NativeControl::handleCommand(int, int) { return false; }
bool NativeControl::handleNotify(NMHDR&, LRESULT&) { return false; }
bool NativeControl::handleDrawItem(DRAWITEMSTRUCT&) { return false; }

HBRUSH NativeControl::controlColor(HDC dc, UINT message) {
  ::SetTextColor(dc, control().textColor());
  const int background = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX ? COLOR_WINDOW : COLOR_BTNFACE;
  ::SetBkColor(dc, ::GetSysColor(background));
  return ::GetSysColorBrush(background);
}

const DpiScale& NativeControl::scale() const { return window_.dpiScale(); }

void NativeControl::nativeBounds(const Rect& bounds) {
  const Rect device = scale().toDevice(bounds);
  ::SetWindowPos(hwnd(), nullptr, device.left, device.top, device.width, device.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void NativeControl::nativeVisible(bool visible) { ::ShowWindow(hwnd(), visible ? SW_SHOWNA : SW_HIDE); }

void NativeControl::nativeBringToFront() {
  ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void NativeControl::nativeEnabled(bool enabled) { ::EnableWindow(hwnd(), enabled ? TRUE : FALSE); }

void NativeControl::nativeFont(const Font& font) {
  OwnedFont made = createFont(font, scale(), window_.toolkit().uiFontFace());
  send(WM_SETFONT, reinterpret_cast<WPARAM>(made.get()), TRUE);
  font_ = std::move(made);
}

void NativeControl::nativeText(const base::TextValue& text) { ::SetWindowTextW(hwnd(), wideText(text).c_str()); }

void NativeControl::nativeFocus() { ::SetFocus(hwnd()); }

bool NativeControl::nativeHasFocus() const {
  HWND focus = ::GetFocus();
  return focus != nullptr && hwnd() != nullptr && (focus == hwnd() || ::IsChild(hwnd(), focus));
}

}  // namespace ui::win32
