#include "ui/win32/win32_panels.h"

#include <windowsx.h>

#include "ui/win32/win32_toolkit.h"
#include "ui/win32/win32_window.h"

namespace ui::win32 {

Win32Panel::Win32Panel(Win32Window& window, Control* parent, const LayoutEntry& entry) : Win32Control(window, parent, entry) {
  create(kPanelClass, WS_CLIPCHILDREN);
}

void Win32Panel::mouseButton(UINT message, const MouseEvent& event) {
  Win32Control::mouseButton(message, event);
  if (message == WM_LBUTTONUP) raiseClick();
}

Win32DrawingPanel::Win32DrawingPanel(Win32Window& window, Control* parent, const LayoutEntry& entry)
    : Win32Control(window, parent, entry) {
  create(kDrawingPanelClass, WS_CLIPCHILDREN);
  canvas_.setScale(scale(), window.toolkit().uiFontFace());
  applyBounds(entry.bounds);
}

void Win32DrawingPanel::applyBounds(const Rect& bounds) {
  const Rect device = scale().toDevice(bounds);
  canvas_.resize({bounds.width, bounds.height}, {device.width, device.height});
  nativeBounds(bounds);
}

void Win32DrawingPanel::applyScale() {
  canvas_.setScale(scale(), nativeWindow().toolkit().uiFontFace());
  Win32Control::applyScale();
}

void Win32DrawingPanel::refresh() { ::InvalidateRect(hwnd(), nullptr, FALSE); }

bool Win32DrawingPanel::handleMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = ::BeginPaint(hwnd(), &paint);
      const RECT& area = paint.rcPaint;
      ::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, canvas_.dc(), area.left, area.top,
               SRCCOPY);
      ::EndPaint(hwnd(), &paint);
      result = 0;
      return true;
    }
    case WM_SETCURSOR: {
      if (LOWORD(lParam) != HTCLIENT) return false;
      const wchar_t* shape = pointer_ == PointerShape::Hand               ? IDC_HAND
                             : pointer_ == PointerShape::ResizeHorizontal ? IDC_SIZEWE
                                                                          : IDC_ARROW;
      ::SetCursor(::LoadCursorW(nullptr, shape));
      result = TRUE;
      return true;
    }
    default: return false;
  }
}

void Win32DrawingPanel::mouseButton(UINT message, const MouseEvent& event) {
  // The panel keeps the mouse while a button is down, so drags go on outside it.
  if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) ::SetCapture(hwnd());
  if ((message == WM_LBUTTONUP || message == WM_RBUTTONUP) && ::GetCapture() == hwnd()) ::ReleaseCapture();
  Win32Control::mouseButton(message, event);
  if (message == WM_LBUTTONUP) raiseClick();
}

Win32Splitter::Win32Splitter(Win32Window& window, Control* parent, const LayoutEntry& entry)
    : Win32Control(window, parent, entry) {
  create(kSplitterClass, 0);
}

bool Win32Splitter::handleMessage(UINT message, WPARAM, LPARAM lParam, LRESULT&) {
  switch (message) {
    case WM_LBUTTONDOWN:
      dragging_ = true;
      grab_ = scale().toLayout(GET_X_LPARAM(lParam));
      ::SetCapture(hwnd());
      break;
    case WM_LBUTTONUP:
      if (dragging_) {
        dragging_ = false;
        if (::GetCapture() == hwnd()) ::ReleaseCapture();
        raiseMoved(bounds().left + scale().toLayout(GET_X_LPARAM(lParam)) - grab_);
      }
      break;
    case WM_CAPTURECHANGED: dragging_ = false; break;
    default: break;
  }
  return false;  // the mouse events are raised as for every control
}

}  // namespace ui::win32
