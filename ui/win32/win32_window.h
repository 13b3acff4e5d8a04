#pragma once
// The Win32 top-level window: a window of the class named by its layout, its controls built from
// the layout, and the window's events (size, close, mouse, wheel, menu commands, tray icon).

#include <windows.h>

#include <functional>

#include "ui/toolkit.h"
#include "ui/win32/win32_handles.h"

namespace ui::win32 {

class Win32Toolkit;

// The message the notification-area icon sends to its window.
inline constexpr UINT kTrayMessage = WM_APP + 100;

class Win32Window final : public Window {
 public:
  Win32Window(Win32Toolkit& toolkit, const WindowLayout& layout, Win32Window* owner);
  ~Win32Window() override;

  HWND hwnd() const { return hwnd_.get(); }
  Win32Toolkit& toolkit() const { return toolkit_; }
  // Control identifiers, unique in the window.
  int nextControlId() { return nextControlId_++; }

  base::TextValue title() const override;
  void setTitle(const base::TextValue& title) override;
  Rect bounds() const override;
  void setBounds(const Rect& bounds) override;
  Size clientSize() const override;
  bool visible() const override;
  void setVisible(bool visible) override;
  bool minimized() const override;
  void restore() override;
  bool maximized() const override;
  void maximize() override;
  Rect normalBounds() const override;
  void centerOnScreen() override;
  bool topmost() const override;
  void setTopmost(bool topmost) override;
  void activate() override;
  void close() override;

  // Toolkit::show: the first time onCreated, shown, onResized; later only shown.
  void showByToolkit();
  void setTrayIcon(OwnedIcon icon, const base::TextValue& tooltip, std::function<void(TrayEvent)> handler);
  void removeTrayIcon();

 protected:
  std::unique_ptr<Control> makeControl(const LayoutEntry& entry, Control* parent) override;

 public:
  // The window procedure of the program's window classes.
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void inputRefused() override;
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void sized(WPARAM kind, LPARAM size);
  // WM_DPICHANGED: the window takes the bounds the system suggests and the new scale.
  void movedToDpi(int dpi, const RECT& suggested);
  // The window's handle is going: its controls let go of theirs, the tray icon goes.
  void letGo();

  Win32Toolkit& toolkit_;
  OwnedWindow hwnd_;
  int nextControlId_ = 1000;
  bool shown_ = false;
  bool destroying_ = false;
  int sizeQuiet_ = 0;
  Size lastClient_;  // in designed pixels
  bool lastMinimized_ = false;
  OwnedIcon trayIcon_;
  std::function<void(TrayEvent)> trayHandler_;
};

}  // namespace ui::win32
