#pragma once
// The single-instance guard: another process of the same executable that owns a main window.

#include "base/text_value.h"

namespace app {

// True when a top-level window of `windowClass` ("ycsoft" when empty) belongs to a process started
// from this very executable file; that window is then shown and brought to the foreground.
bool findRunningCopy(const base::TextValue& windowClass);

}  // namespace app
