#pragma once
// Owners of the user-interface handles the backend makes: each frees its handle with the right call
// when it goes, and hands it over when moved.

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace ui::win32 {

template <typename Handle, typename Free>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  ~Owned() { reset(); }
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void reset(Handle handle = nullptr) {
    if (handle_ != nullptr) Free{}(handle_);
    handle_ = handle;
  }
  // Gives the handle up without freeing it (someone else frees it now).
  Handle release() { return std::exchange(handle_, nullptr); }

 private:
  Handle handle_ = nullptr;
};

struct FreeWindow {
  void operator()(HWND window) const { ::DestroyWindow(window); }
};
struct FreeGdiObject {
  void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
struct FreeDc {
  void operator()(HDC dc) const { ::DeleteDC(dc); }
};
struct FreeIcon {
  void operator()(HICON icon) const { ::DestroyIcon(icon); }
};
struct FreeMenu {
  void operator()(HMENU menu) const { ::DestroyMenu(menu); }
};
struct FreeImageList {
  void operator()(HIMAGELIST list) const { ::ImageList_Destroy(list); }
};

using OwnedWindow = Owned<HWND, FreeWindow>;
using OwnedBitmap = Owned<HBITMAP, FreeGdiObject>;
using OwnedFont = Owned<HFONT, FreeGdiObject>;
using OwnedPen = Owned<HPEN, FreeGdiObject>;
using OwnedBrush = Owned<HBRUSH, FreeGdiObject>;
using OwnedDc = Owned<HDC, FreeDc>;
using OwnedIcon = Owned<HICON, FreeIcon>;
using OwnedMenu = Owned<HMENU, FreeMenu>;
using OwnedImageList = Owned<HIMAGELIST, FreeImageList>;

// A device context borrowed from a window (GetDC) and given back (ReleaseDC).
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a device context for a while; the previous one comes back at the end.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~Selection() { ::SelectObject(dc_, previous_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace ui::win32
