#pragma once
// AppState: everything that lives for the whole run. One instance, created before start-up.

#include "checks/ping_run.h"
#include "forms/form_definition.h"
#include "forms/form_library.h"
#include "lists/list_selection.h"
#include "settings/settings_store.h"

namespace app {

inline constexpr char kProductTitle[] = "砚川·格簿录入台";
inline constexpr char kMainWindowClassName[] = "ycFormData";

struct AppState {
  settings::SettingsStore settings;
  forms::FormLibrary formLibrary;
  base::TextValue productTitle;
  forms::FormDefinition currentListForm;  // the open list's form copy; empty name: none open
  lists::ListSelection listSelection;     // what the tree of lists has selected
  checks::PingState ping;                 // the PING run's flags, worker count and lock
};

}  // namespace app
