#pragma once
// The DPI of windows and of the system, asked of the functions the running Windows has (they came
// with Windows 10; older systems and Wine versions without them answer with the screen's DPI).

#include <windows.h>

namespace ui::win32 {

// The message a per-monitor DPI-aware window gets when it moved to a screen of another DPI.
inline constexpr UINT kDpiChangedMessage = 0x02E0;  // WM_DPICHANGED

int systemDpi();
int dpiOfWindow(HWND window);

}  // namespace ui::win32
