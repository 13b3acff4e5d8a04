#pragma once
// The keys every window other than the main one shares.

#include "ui/window.h"

namespace windows {

// Escape (without Ctrl or Alt) closes the window, as its close box does; true when the key was it.
bool closeOnEscape(ui::Window& window, const ui::KeyPress& press);

}  // namespace windows
