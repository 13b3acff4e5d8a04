#include "ui/win32/win32_dpi.h"

#include "ui/win32/win32_handles.h"

namespace ui::win32 {
namespace {

using DpiOfWindowFunction = UINT(WINAPI*)(HWND);
using DpiOfSystemFunction = UINT(WINAPI*)();

template <typename Function>
Function user32Function(const char* name) {
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  return user32 != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name))) : nullptr;
}

int screenDpi() {
  WindowDc screen(nullptr);
  return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

}  // namespace

int systemDpi() {
  const auto dpiOfSystem = user32Function<DpiOfSystemFunction>("GetDpiForSystem");
  const int dpi = dpiOfSystem != nullptr ? static_cast<int>(dpiOfSystem()) : 0;
  return dpi > 0 ? dpi : screenDpi();
}

int dpiOfWindow(HWND window) {
  const auto dpiOfWindow = user32Function<DpiOfWindowFunction>("GetDpiForWindow");
  const int dpi = dpiOfWindow != nullptr && window != nullptr ? static_cast<int>(dpiOfWindow(window)) : 0;
  return dpi > 0 ? dpi : systemDpi();
}

}  // namespace ui::win32
