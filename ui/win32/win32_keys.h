#pragma once
// The keys of ui::Key as the keyboard sends them (one table from virtual-key codes to keys), and
// which key presses belong to the focused control before its window hears of them.

#include <windows.h>

#include <optional>

#include "ui/window.h"

namespace ui::win32 {

// The key of a virtual-key code, or nothing for a key that windows do not hear of first.
std::optional<Key> keyOfVirtualKey(WPARAM virtualKey);

// Whether a key pressed with the focus in `focus` is the control's alone: in a drop-down list
// that shows its list, Escape, Enter and the arrows close or move the list, as the system does.
bool keyBelongsToControl(HWND focus);

}  // namespace ui::win32
