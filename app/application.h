#pragma once
// The program's start-up, its notification-area icon and its save step at the end.

#include <memory>

#include "app/app_state.h"
#include "platform/shell.h"
#include "ui/toolkit.h"
#include "windows/main_window.h"

namespace app {

class Application {
 public:
  // `runDirectory`: the folder of the executable, where the settings file lives. Link cells are
  // opened through `shell`.
  Application(AppState& state, ui::Toolkit& toolkit, platform::Shell& shell, base::TextValue runDirectory);
  ~Application();

  // Start-up up to the main window being shown; false when another copy runs (nothing is shown).
  bool startup();
  // Start-up, then the message loop until no window is left. Returns 0.
  int run();

  // The tray icon's events as they come; onTrayEvent carries one out.
  void onTrayIcon(ui::TrayEvent event);
  void onTrayEvent(ui::TrayEvent event);
  void saveOnClose();
  // Shows, raises and focuses a window without leaving it topmost.
  void bringToFront(ui::Window& window);

  windows::MainWindow* mainWindow() { return mainWindow_.get(); }

 private:
  // The save step, then the main window closed, for good.
  void exitProgram();

  AppState& state_;
  ui::Toolkit& toolkit_;
  platform::Shell& shell_;
  base::TextValue runDirectory_;
  std::unique_ptr<windows::MainWindow> mainWindow_;
  bool exiting_ = false;  // the tray exit saved already; closing must not save again
  // Their addresses tell the event gate's requests of the tray's commands and of the exit apart.
  char trayCommands_ = 0;
  char exitCommand_ = 0;
};

}  // namespace app
