#include "windows/owned_window_keys.h"

namespace windows {

bool closeOnEscape(ui::Window& window, const ui::KeyPress& press) {
  if (press.key != ui::Key::Escape || (press.keys & (ui::kCtrl | ui::kAlt)) != 0) return false;
  window.close();
  return true;
}

}  // namespace windows
