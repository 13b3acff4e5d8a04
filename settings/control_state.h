#pragma once
// Saving and restoring the states of a window's controls in a section of the settings store. A
// control's kind is told by the beginning of its name; its state-saving marker can keep it out or put
// a button's or edit box's value into a bytes file of its own.

#include <vector>

#include "base/text_value.h"
#include "settings/settings_store.h"
#include "ui/window.h"

namespace settings {

struct ControlStateRequest {
  ui::Window* window = nullptr;
  bool restore = false;               // true: settings to controls; false: controls to settings
  base::TextValue section;            // selected first unless empty
  std::vector<base::TextValue> excluded;  // control names to skip
  bool comboList = false;             // also a combo box's list items
  bool comboContent = false;          // also a combo box's edit text
};

void saveOrRestoreControls(SettingsStore& store, const ControlStateRequest& request);

}  // namespace settings
