#include "ui/win32/win32_keys.h"

#include <commctrl.h>

#include <array>
#include <cwchar>
#include <utility>

namespace ui::win32 {

namespace {

constexpr std::array<std::pair<WPARAM, Key>, 15> kWindowKeys{{
    {VK_TAB, Key::Tab},
    {VK_RETURN, Key::Enter},
    {VK_ESCAPE, Key::Escape},
    {VK_F2, Key::F2},
    {VK_F3, Key::F3},
    {VK_DELETE, Key::Delete},
    {VK_UP, Key::Up},
    {VK_DOWN, Key::Down},
    {VK_PRIOR, Key::PageUp},
    {VK_NEXT, Key::PageDown},
    {VK_HOME, Key::Home},
    {VK_END, Key::End},
    {'A', Key::A},
    {'F', Key::F},
    {'N', Key::N},
}};

bool isComboBox(HWND window) {
  wchar_t className[32] = {};
  ::GetClassNameW(window, className, static_cast<int>(std::size(className)));
  return ::_wcsicmp(className, WC_COMBOBOXW) == 0;
}

}  // namespace

std::optional<Key> keyOfVirtualKey(WPARAM virtualKey) {
  for (const auto& [code, key] : kWindowKeys) {
    if (code == virtualKey) return key;
  }
  return std::nullopt;
}

bool keyBelongsToControl(HWND focus) {
  // The focus is in the combo box itself or in its edit part.
  for (HWND at = focus; at != nullptr; at = ::GetParent(at)) {
    if (isComboBox(at)) return ::SendMessageW(at, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
    if ((::GetWindowLongPtrW(at, GWL_STYLE) & WS_CHILD) == 0) break;
  }
  return false;
}

}  // namespace ui::win32
