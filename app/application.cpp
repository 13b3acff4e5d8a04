#include "app/application.h"

#include "app/images/app_images.h"
#include "app/single_instance.h"
#include "platform/paths.h"
#include "recorddb/record_database.h"
#include "settings/control_state.h"
#include "ui/tree_view.h"
#include "windows/main_window_settings.h"

namespace app {

Application::Application(AppState& state, ui::Toolkit& toolkit, platform::Shell& shell, base::TextValue runDirectory)
    : state_(state), toolkit_(toolkit), shell_(shell), runDirectory_(std::move(runDirectory)) {}

Application::~Application() { recorddb::setProgramErrorHandler({}); }

bool Application::startup() {
  if (findRunningCopy(kMainWindowClassName)) return false;
  // A caller error inside the record database is shown before the program ends.
  recorddb::setProgramErrorHandler(
      [this](const base::TextValue& message) { toolkit_.show(ui::programErrorReport(message)); });
  state_.productTitle = kProductTitle;
  state_.settings.setMessagePresenter(&toolkit_);
  state_.settings.setEventPump([this] { return toolkit_.eventGate().letEventsRun(); });
  (void)state_.settings.open(platform::joinPath(runDirectory_, state_.productTitle + ".ini"));
  state_.formLibrary.load(state_.settings);
  state_.formLibrary.seedIfEmpty(state_.settings);

  windows::MainWindowContext context{toolkit_,
                                     shell_,
                                     state_.settings,
                                     state_.formLibrary,
                                     state_.ping,
                                     runDirectory_,
                                     state_.currentListForm,
                                     state_.listSelection,
                                     state_.productTitle,
                                     std::string(images::kProgramIco),
                                     [this](ui::TrayEvent event) { onTrayIcon(event); },
                                     [this] {
                                       if (!exiting_) saveOnClose();
                                     }};
  mainWindow_ = std::make_unique<windows::MainWindow>(std::move(context));
  mainWindow_->show();
  return true;
}

int Application::run() {
  if (startup()) toolkit_.runMessageLoop();
  return 0;
}

void Application::onTrayIcon(ui::TrayEvent event) {
  // The exit question is asked at once, also while work runs (a PING run may take long); the other
  // commands wait until running work has returned.
  if (event == ui::TrayEvent::RightClick) {
    onTrayEvent(event);
  } else {
    toolkit_.eventGate().run(ui::WhenBusy::RunAfter, &trayCommands_, [this, event] { onTrayEvent(event); });
  }
}

void Application::onTrayEvent(ui::TrayEvent event) {
  if (!mainWindow_) return;
  ui::Window& window = mainWindow_->window();
  switch (event) {
    case ui::TrayEvent::LeftClick:
      window.setVisible(!window.visible());
      if (window.visible()) bringToFront(window);
      break;
    case ui::TrayEvent::DoubleClick:
      break;
    case ui::TrayEvent::RightClick: {
      ui::MessageBoxRequest question;
      question.text = "确定要退出本软件《" + state_.productTitle + "》吗？";
      question.buttons = ui::MessageButtons::OkCancel;
      question.modality = ui::MessageModality::Task;
      if (toolkit_.show(question) != ui::MessageAnswer::Ok) return;
      // Running work ends first (a PING run cancels its probes and keeps what has finished).
      toolkit_.eventGate().run(ui::WhenBusy::StopFirst, &exitCommand_, [this] { exitProgram(); });
      break;
    }
  }
}

void Application::exitProgram() {
  if (!mainWindow_) return;
  ui::Window& window = mainWindow_->window();
  saveOnClose();
  exiting_ = true;
  toolkit_.removeTrayIcon(window);
  window.close();
}

void Application::saveOnClose() {
  if (!mainWindow_) return;
  ui::Window& window = mainWindow_->window();
  settings::ControlStateRequest request;
  request.window = &window;
  request.restore = false;
  request.section = windows::kMainSection;
  settings::saveOrRestoreControls(state_.settings, request);
  state_.settings.selectSection(windows::kMainSection);
  state_.settings.writeNumber(windows::kTreeIndexKey, window.get<ui::TreeView>("树型框").currentItem());
  mainWindow_->saveWindowBounds();
  mainWindow_->lists().saveListState(true);
}

void Application::bringToFront(ui::Window& window) {
  const bool wasTopmost = window.topmost();
  window.setTopmost(false);
  toolkit_.processPendingEvents();
  if (!window.visible()) window.setVisible(true);
  if (window.minimized()) {
    window.restore();
    window.centerOnScreen();
  }
  window.setTopmost(true);
  if (!wasTopmost) window.setTopmost(false);
  window.activate();
}

}  // namespace app
