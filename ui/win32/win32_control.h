#pragma once
// What every control of the Win32 backend shares. NativeControl owns the control's window, keeps
// its font, and receives its messages through one subclass procedure: focus changes and mouse
// buttons become the control's events, and the notifications a parent gets about a child
// (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM) are handed to that child, whichever of the
// program's windows or container controls is its parent. Win32Control<Kind> joins a control kind
// of the toolkit with NativeControl.
//
// While the program changes a control (its text, selection, check state), the control is quiet:
// the notifications the system sends about the change raise nothing.

#include <windows.h>

#include "base/text_value.h"
#include "ui/control.h"
#include "ui/dpi_scale.h"
#include "ui/win32/win32_handles.h"

namespace ui::win32 {

class Win32Window;

std::wstring wideText(const base::TextValue& text);
base::TextValue gbkText(const std::wstring& text);
std::wstring wideWindowText(HWND window);
base::TextValue windowText(HWND window);
// gbkText of what a control shows, keeping the bytes of `shown` while it shows just that text
// (platform::utf16ToGbkKeeping): values with bytes UTF-16 cannot show read back unchanged.
base::TextValue keptText(const std::wstring& text, const base::TextValue& shown);
// The keys held during a mouse message with these MK_ flags (Alt asked of the keyboard).
int keysOf(WPARAM mouseFlags);
// The keys held as of the input message being handled (the thread's key state).
int heldKeys();

class NativeControl {
 public:
  virtual ~NativeControl();
  NativeControl(const NativeControl&) = delete;
  NativeControl& operator=(const NativeControl&) = delete;

  HWND hwnd() const { return hwnd_.get(); }
  virtual Control& control() = 0;

  // The program's control whose window (or whose helper window, such as a toolbar's tooltips)
  // this is, or null.
  static NativeControl* of(HWND window);
  // What a parent window does with messages about one of its child controls; true when handled.
  static bool routeFromParent(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // Lets go of the window without destroying it: its top-level window is going, and takes it along.
  void detach();

 protected:
  NativeControl(Win32Window& window, Control* parent);

  // Creates the control's window, hidden, at its bounds in its parent; a second call replaces the
  // window by a new one (keeping bounds, visibility, enabled state and font).
  void create(const wchar_t* className, DWORD style, DWORD exStyle = 0);
  // Marks another window as belonging to this control (its notifications reach it).
  void adopt(HWND helper);

  // Hooks of the kinds. handleMessage sees the control's own messages first.
  virtual bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  virtual bool handleCommand(int code, int id);
  virtual bool handleNotify(NMHDR& header, LRESULT& result);
  virtual bool handleDrawItem(DRAWITEMSTRUCT& item);
  // The colours of a static, button or edit control (WM_CTLCOLOR*): the text colour and a brush.
  virtual HBRUSH controlColor(HDC dc, UINT message);

  // The events, raised by Win32Control<Kind>.
  virtual void focusChanged(bool gained) = 0;
  virtual void mouseButton(UINT message, const MouseEvent& event) = 0;

  void nativeBounds(const Rect& bounds);
  void nativeVisible(bool visible);
  void nativeBringToFront();
  void nativeEnabled(bool enabled);
  void nativeFont(const Font& font);
  void nativeText(const base::TextValue& text);
  void nativeFocus();
  bool nativeHasFocus() const;
  HFONT fontHandle() const { return font_.get(); }
  // The scale of the control's window: the program's bounds and mouse positions are in designed
  // pixels, the control's window in device pixels.
  const DpiScale& scale() const;
  LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(hwnd(), message, wParam, lParam);
  }

  // The program is changing the control: the notifications it causes raise nothing.
  class Quiet {
   public:
    explicit Quiet(NativeControl& control) : control_(control) { ++control_.quiet_; }
    ~Quiet() { --control_.quiet_; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

   private:
    NativeControl& control_;
  };
  bool quiet() const { return quiet_ > 0; }

  Win32Window& nativeWindow() const { return window_; }

 private:
  static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self);
  LRESULT dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void attach(HWND window);
  void unhook(HWND window);

  Win32Window& window_;
  Control* parent_;
  OwnedWindow hwnd_;
  OwnedFont font_;
  int quiet_ = 0;
  int id_ = 0;
};

template <typename Kind>
class Win32Control : public Kind, public NativeControl {
 public:
  Win32Control(Win32Window& window, Control* parent, const LayoutEntry& entry);

  Control& control() override { return *this; }
  bool hasFocus() const override { return nativeHasFocus(); }

 protected:
  void applyBounds(const Rect& bounds) override { nativeBounds(bounds); }
  void applyVisible(bool visible) override { nativeVisible(visible); }
  void applyBringToFront() override { nativeBringToFront(); }
  void applyEnabled(bool enabled) override { nativeEnabled(enabled); }
  void applyTextColor(Color) override { ::InvalidateRect(hwnd(), nullptr, TRUE); }
  void applyFont(const Font& font) override { nativeFont(font); }
  void applyCaption(const base::TextValue& caption) override {
    Quiet quiet(*this);
    nativeText(caption);
  }
  void applyFocus() override { nativeFocus(); }

  void focusChanged(bool gained) override {
    if (gained) {
      this->raiseFocusGained();
    } else {
      this->raiseFocusLost();
    }
  }
  void mouseButton(UINT message, const MouseEvent& event) override {
    switch (message) {
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN: this->raiseMouseDown(event); break;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP: this->raiseMouseUp(event); break;
      case WM_MOUSEMOVE: this->raiseMouseMove(event); break;
      default: break;
    }
  }
};

}  // namespace ui::win32

#include "ui/win32/win32_window.h"

namespace ui::win32 {

template <typename Kind>
Win32Control<Kind>::Win32Control(Win32Window& window, Control* parent, const LayoutEntry& entry)
    : Kind(window, parent, entry), NativeControl(window, parent) {}

}  // namespace ui::win32
