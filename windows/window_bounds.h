#pragma once
// Where the program's windows were when they closed, remembered in the settings store (section
// "主界面", keys "<window>.左", ".上", ".宽", ".高", ".最大化"), and where they open again: on a screen
// that exists now, whole.

#include <optional>
#include <vector>

#include "base/text_value.h"
#include "settings/settings_store.h"
#include "ui/geometry.h"
#include "ui/window.h"

namespace windows {

// What is remembered of a window: its position, and its size and maximised state where they count.
enum class RememberedParts { Position, PositionAndSize };

struct RememberedBounds {
  ui::Rect bounds;
  bool maximized = false;
};

// The window's normal bounds and whether it is maximised, under the window's name in the selected
// section.
void writeWindowBounds(settings::SettingsStore& store, const base::TextValue& window, const ui::Window& shown,
                       RememberedParts parts);
// What was written, with `designed` standing in for what was not; nothing when nothing was written
// or what was written is no number a screen could hold.
std::optional<RememberedBounds> readWindowBounds(settings::SettingsStore& store, const base::TextValue& window,
                                                 const ui::Rect& designed, RememberedParts parts);

// Where a window last at `remembered` opens: on the screen it shares most with, moved in whole (and
// made no larger than that screen); on the first (primary) screen when it shares none with any.
ui::Rect placeOnScreens(const ui::Rect& remembered, const std::vector<ui::Rect>& screens);

}  // namespace windows
