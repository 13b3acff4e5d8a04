#pragma once
// The main window as designed: its name (also its window class), title, bounds, controls and
// toolbar buttons.

#include <vector>

#include "ui/toolbar.h"
#include "ui/window.h"

namespace windows {

// The line at the bottom that says which list and filter the page shows.
inline constexpr char kStatusBar[] = "标签状态栏";
// The height the status line takes from the bottom of the client area.
inline constexpr int kStatusBarHeight = 22;

ui::WindowLayout mainWindowLayout();
std::vector<ui::ToolbarButton> mainToolbarButtons();

// Toolbar button indices the program acts on.
enum MainToolbarButton : int {
  kNewList = 0,
  kDeleteList = 1,
  kFindRecords = 2,
  kAddRecord = 4,
  kRemoveRecords = 5,
  kSelectAllRecords = 6,
  kFormDesigner = 8,
  kPing = 9,
  kAutoColumnWidth = 10,
};

}  // namespace windows
