#pragma once
// The Win32 toolkit: common controls set up at creation, the window classes of the program's
// windows and custom controls, the message loop, message boxes, popup menus, the tray icon,
// clipboard, key state, timers (on a hidden message window) and pictures.

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "ui/toolkit.h"
#include "ui/win32/win32_handles.h"

namespace ui::win32 {

class Win32Window;

// Window classes of the custom controls.
inline constexpr wchar_t kPanelClass[] = L"gebuPanel";
inline constexpr wchar_t kDrawingPanelClass[] = L"gebuDrawingPanel";
inline constexpr wchar_t kSplitterClass[] = L"gebuSplitter";

class Win32Toolkit : public Toolkit {
 public:
  Win32Toolkit();
  ~Win32Toolkit() override;
  Win32Toolkit(const Win32Toolkit&) = delete;
  Win32Toolkit& operator=(const Win32Toolkit&) = delete;

  std::unique_ptr<Window> createWindow(const WindowLayout& layout, Window* owner) override;
  void show(Window& window) override;
  void runMessageLoop() override;
  using Toolkit::show;
  int keyState() override;
  Point cursorPosition() override;
  Rect screenArea() override;
  std::vector<Rect> screenAreas() override;
  void setClipboardText(const base::TextValue& text) override;
  base::TextValue clipboardText() override;
  void beep() override;
  std::unique_ptr<Picture> loadPicture(const std::string& bytes) override;
  void addTrayIcon(Window& window, const Picture& icon, const base::TextValue& tooltip,
                   std::function<void(TrayEvent)> handler) override;
  void removeTrayIcon(Window& window) override;
  int startTimer(int milliseconds, std::function<void()> tick) override;
  void stopTimer(int id) override;
  // A Win32Tooltip (ui/win32/win32_tooltip.h).
  std::unique_ptr<Tooltip> createTooltip(bool balloon) override;

  // For the windows: their class (registered on first use), and which of them are open.
  std::wstring windowClass(const base::TextValue& name);
  void windowOpened(Win32Window& window);
  void windowGone(Win32Window& window);
  int openWindowCount() const { return static_cast<int>(windows_.size()); }
  HWND messageWindow() const { return messages_.get(); }
  // The face of the user-interface font, chosen once when the toolkit starts (win32_fonts.h).
  const std::wstring& uiFontFace() const { return uiFontFace_; }
  // Screen positions outside the program's windows (the pointer, the work area, a popup menu's
  // place) are in designed pixels of the system's DPI.
  DpiScale screenScale() const;

 protected:
  void runWaitingEvents() override;
  MessageAnswer presentMessageBox(const MessageBoxRequest& request) override;
  std::optional<int> presentPopupMenu(Window& owner, Point screen, const base::TextValue& title,
                                      const std::vector<MenuItem>& items) override;

 private:
  static LRESULT CALLBACK messageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // What every pump does with a message before translating and dispatching it: a key of Key
  // pressed in one of the program's windows goes to that window's handleKeyPress first. True
  // when the window used the key up: the message is then neither translated nor dispatched.
  bool preTranslate(const MSG& message);
  // The program's window that `hwnd` is or lies in, or null.
  Win32Window* windowHolding(HWND hwnd) const;
  void registerClass(const wchar_t* name, const wchar_t* cursor, HBRUSH background, UINT style);

  HINSTANCE instance_;
  std::wstring uiFontFace_;
  std::vector<std::wstring> registered_;
  OwnedWindow messages_;
  std::vector<Win32Window*> windows_;
  std::map<int, std::function<void()>> timers_;
  int nextTimer_ = 1;
};

}  // namespace ui::win32
