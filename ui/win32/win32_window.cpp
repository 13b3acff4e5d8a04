#include "ui/win32/win32_window.h"

#include <shellapi.h>
#include <windowsx.h>

#include "ui/win32/win32_control.h"
#include "ui/win32/win32_controls.h"
#include "ui/win32/win32_dpi.h"
#include "ui/win32/win32_toolkit.h"

namespace ui::win32 {

namespace {

constexpr UINT kTrayIconId = 1;

NOTIFYICONDATAW trayData(HWND window) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window;
  data.uID = kTrayIconId;
  return data;
}

}  // namespace

Win32Window::Win32Window(Win32Toolkit& toolkit, const WindowLayout& layout, Win32Window* owner)
    : Window(layout, owner), toolkit_(toolkit) {
  const std::wstring className = toolkit.windowClass(layout.name);
  setInitialDpi(systemDpi());
  const Rect bounds = dpiScale().toDevice(layout.bounds);
  ::CreateWindowExW(0, className.c_str(), wideText(layout.title).c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                    bounds.left, bounds.top, bounds.width, bounds.height, owner != nullptr ? owner->hwnd() : nullptr,
                    nullptr, ::GetModuleHandleW(nullptr), this);
  // WM_NCCREATE took the handle. A window that opened on a screen of another DPI than the
  // system's takes that screen's scale before its controls are made.
  if (const int dpi = dpiOfWindow(hwnd()); dpi != dpiScale().dpi()) {
    setInitialDpi(dpi);
    setBounds(layout.bounds);
  }
  lastClient_ = clientSize();
  buildControls(layout.controls);
  toolkit_.windowOpened(*this);
}

Win32Window::~Win32Window() {
  if (HWND window = hwnd()) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (!destroying_) {
      letGo();
      ::DestroyWindow(window);
    }
    hwnd_.release();
  }
  toolkit_.windowGone(*this);
}

void Win32Window::letGo() {
  for (Control* control : controls()) {
    if (auto* native = dynamic_cast<NativeControl*>(control)) native->detach();
  }
  removeTrayIcon();
}

LRESULT CALLBACK Win32Window::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_.reset(window);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  return self->handle(message, wParam, lParam);
}

LRESULT Win32Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = hwnd();
  LRESULT result = 0;
  if (NativeControl::routeFromParent(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CLOSE: close(); return 0;
    case WM_DESTROY: {
      destroying_ = true;
      letGo();
      toolkit_.windowGone(*this);
      // The handler may destroy this object: nothing of it is touched afterwards.
      std::function<void()> closed = onClosed;
      if (closed) closed();
      return 0;
    }
    case WM_NCDESTROY:
      ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      hwnd_.release();
      return ::DefWindowProcW(window, message, wParam, lParam);
    case WM_SIZE: sized(wParam, lParam); return 0;
    case kDpiChangedMessage: movedToDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_MOUSEWHEEL:
      fire(onMouseWheel, static_cast<int>(GET_WHEEL_DELTA_WPARAM(wParam)),
           dpiScale().toLayout(Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
      const Point at = dpiScale().toLayout(Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      MouseEvent event{at.x, at.y, keysOf(wParam), MouseButton::None};
      if (message == WM_LBUTTONUP) {
        event.button = MouseButton::Left;
        fire(onMouseUp, event);
      } else {
        if (wParam & MK_LBUTTON) event.button = MouseButton::Left;
        fire(onMouseMove, event);
      }
      return 0;
    }
    case WM_COMMAND:
      if (lParam == 0 && HIWORD(wParam) == 0) {
        fire(onCommand, static_cast<int>(LOWORD(wParam)));
        return 0;
      }
      break;
    case kTrayMessage: {
      std::function<void(TrayEvent)> handler = trayHandler_;
      switch (LOWORD(lParam)) {
        case WM_LBUTTONUP: fire(handler, TrayEvent::LeftClick); break;
        case WM_LBUTTONDBLCLK: fire(handler, TrayEvent::DoubleClick); break;
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU: fire(handler, TrayEvent::RightClick); break;
        default: break;
      }
      return 0;
    }
    default: break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void Win32Window::sized(WPARAM kind, LPARAM size) {
  const Size client = dpiScale().toLayout(Size{LOWORD(size), HIWORD(size)});
  const bool minimized = kind == SIZE_MINIMIZED;
  const bool changed = client != lastClient_ || minimized != lastMinimized_;
  lastClient_ = client;
  lastMinimized_ = minimized;
  if (changed && sizeQuiet_ == 0) fire(onResized);
}

base::TextValue Win32Window::title() const { return windowText(hwnd()); }

void Win32Window::setTitle(const base::TextValue& title) { ::SetWindowTextW(hwnd(), wideText(title).c_str()); }

void Win32Window::movedToDpi(int dpi, const RECT& suggested) {
  // The system's suggestion keeps the window's designed size at the new scale; the controls are
  // placed again once the window has its new scale.
  ++sizeQuiet_;
  ::SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  --sizeQuiet_;
  const DpiScale before = dpiScale();
  changeDpi(dpi);
  if (dpiScale() == before) return;
  lastClient_ = clientSize();
}

Rect Win32Window::bounds() const {
  RECT area{};
  ::GetWindowRect(hwnd(), &area);
  return dpiScale().toLayout(Rect{area.left, area.top, area.right - area.left, area.bottom - area.top});
}

void Win32Window::setBounds(const Rect& bounds) {
  const Rect device = dpiScale().toDevice(bounds);
  ::SetWindowPos(hwnd(), nullptr, device.left, device.top, device.width, device.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

Size Win32Window::clientSize() const {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  return dpiScale().toLayout(Size{client.right - client.left, client.bottom - client.top});
}

bool Win32Window::visible() const { return ::IsWindowVisible(hwnd()) != FALSE; }

void Win32Window::setVisible(bool visible) { ::ShowWindow(hwnd(), visible ? SW_SHOW : SW_HIDE); }

bool Win32Window::minimized() const { return ::IsIconic(hwnd()) != FALSE; }

void Win32Window::restore() { ::ShowWindow(hwnd(), SW_RESTORE); }

bool Win32Window::maximized() const { return ::IsZoomed(hwnd()) != FALSE; }

void Win32Window::maximize() { ::ShowWindow(hwnd(), SW_MAXIMIZE); }

Rect Win32Window::normalBounds() const {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (!::GetWindowPlacement(hwnd(), &placement)) return bounds();
  // The normal position counts from the primary screen's work area, not from the screen's corner.
  RECT workArea{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
  const RECT& normal = placement.rcNormalPosition;
  return dpiScale().toLayout(Rect{normal.left + workArea.left, normal.top + workArea.top, normal.right - normal.left,
                                  normal.bottom - normal.top});
}

void Win32Window::centerOnScreen() {
  // In device pixels: the work area of the screen the window is on, and the window's own size.
  RECT now{};
  ::GetWindowRect(hwnd(), &now);
  MONITORINFO screen{};
  screen.cbSize = sizeof(screen);
  if (!::GetMonitorInfoW(::MonitorFromWindow(hwnd(), MONITOR_DEFAULTTONEAREST), &screen)) {
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen.rcWork, 0);
  }
  const RECT& area = screen.rcWork;
  const int left = area.left + (area.right - area.left - (now.right - now.left)) / 2;
  const int top = area.top + (area.bottom - area.top - (now.bottom - now.top)) / 2;
  ::SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32Window::topmost() const { return (::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

void Win32Window::setTopmost(bool topmost) {
  ::SetWindowPos(hwnd(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Window::activate() {
  HWND window = hwnd();
  ::SetForegroundWindow(window);
  ::SetActiveWindow(window);
  HWND focus = ::GetFocus();
  if (focus != window && !::IsChild(window, focus)) ::SetFocus(window);
}

void Win32Window::inputRefused() { toolkit_.beep(); }

void Win32Window::close() {
  if (hwnd() == nullptr || destroying_) return;
  if (!raiseQueryClose()) return;
  // The system destroys the windows this one owns first.
  ::DestroyWindow(hwnd());
}

void Win32Window::showByToolkit() {
  if (shown_) {
    ::ShowWindow(hwnd(), SW_SHOW);
    return;
  }
  shown_ = true;
  fire(onCreated);
  if (hwnd() == nullptr) return;
  ++sizeQuiet_;
  ::ShowWindow(hwnd(), SW_SHOW);
  --sizeQuiet_;
  fire(onResized);
}

void Win32Window::setTrayIcon(OwnedIcon icon, const base::TextValue& tooltip, std::function<void(TrayEvent)> handler) {
  NOTIFYICONDATAW data = trayData(hwnd());
  data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  data.uCallbackMessage = kTrayMessage;
  data.hIcon = icon.get();
  wideText(tooltip).copy(data.szTip, std::size(data.szTip) - 1);
  const bool present = static_cast<bool>(trayIcon_);
  ::Shell_NotifyIconW(present ? NIM_MODIFY : NIM_ADD, &data);
  trayIcon_ = std::move(icon);
  trayHandler_ = std::move(handler);
}

void Win32Window::removeTrayIcon() {
  if (!trayIcon_) return;
  NOTIFYICONDATAW data = trayData(hwnd());
  ::Shell_NotifyIconW(NIM_DELETE, &data);
  trayIcon_.reset();
  trayHandler_ = nullptr;
}

std::unique_ptr<Control> Win32Window::makeControl(const LayoutEntry& entry, Control* parent) {
  return makeWin32Control(*this, entry, parent);
}

}  // namespace ui::win32
