#pragma once
// The form designer window as designed: title, bounds and controls.

#include "ui/window.h"

namespace windows {

ui::WindowLayout formDesignerLayout();

}  // namespace windows
