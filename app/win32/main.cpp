// gebu.exe: the program's entry on Windows.

#include "app/application.h"
#include "platform/paths.h"
#include "ui/win32/win32_toolkit.h"

int main() {
  app::AppState state;
  ui::win32::Win32Toolkit toolkit;
  const std::unique_ptr<platform::Shell> shell = platform::makeNativeShell();
  app::Application application(state, toolkit, *shell, platform::runDirectory());
  return application.run();
}
