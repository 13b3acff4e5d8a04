#pragma once
// The Win32 control of a layout entry's kind, created hidden in its parent.

#include <memory>

#include "ui/control.h"

namespace ui::win32 {

class Win32Window;

std::unique_ptr<Control> makeWin32Control(Win32Window& window, const LayoutEntry& entry, Control* parent);

}  // namespace ui::win32
