#pragma once
// HeadlessToolkit: the toolkit in memory, for tests. It behaves as the platform's does where the
// program can see it, and lets a test look at everything the program showed and script what the
// user answers: message boxes (each one recorded; answers scripted), popup menus (recorded; the
// choice scripted), the tray icon, the clipboard, beeps, key state and pointer position, timers
// on a clock the test moves, and events the test queues for processPendingEvents.
// Windows made by a toolkit must be gone before the toolkit is.

#include <deque>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

#include "ui/headless/headless_timers.h"
#include "ui/toolkit.h"

namespace ui::headless {

class HeadlessControlBase;
class HeadlessWindow;

// Where windows are and how big their frames are.
struct HeadlessMetrics {
  Rect screen{0, 0, 1920, 1040};  // the work area
  std::vector<Rect> otherScreens;  // work areas of screens beside the primary one
  int frameLeft = 8;
  int frameTop = 31;  // border and caption
  int frameRight = 8;
  int frameBottom = 8;
  int dpi = 96;  // of the screen windows open on (their layouts are scaled to it)
};

struct ShownMessageBox {
  MessageBoxRequest request;
  MessageAnswer answer = MessageAnswer::Ok;
};

struct ShownPopupMenu {
  const Window* owner = nullptr;
  Point screen;
  base::TextValue title;
  std::vector<MenuItem> items;
  std::optional<int> command;  // the chosen item's command; nothing when dismissed
};

struct TrayIcon {
  const Window* window = nullptr;
  Size iconSize;
  base::TextValue tooltip;
  std::function<void(TrayEvent)> handler;
};

class HeadlessToolkit : public Toolkit {
 public:
  explicit HeadlessToolkit(HeadlessMetrics metrics = {});
  ~HeadlessToolkit() override;
  HeadlessToolkit(const HeadlessToolkit&) = delete;
  HeadlessToolkit& operator=(const HeadlessToolkit&) = delete;

  // ---- ui::Toolkit
  std::unique_ptr<Window> createWindow(const WindowLayout& layout, Window* owner) override;
  void show(Window& window) override;
  using Toolkit::show;
  // Runs queued events and, when none is left, the next timer tick, until no window is open.
  // Throws std::logic_error when windows are open and nothing could ever happen again.
  void runMessageLoop() override;
  int keyState() override { return keyState_; }
  Point cursorPosition() override { return cursor_; }
  Rect screenArea() override { return metrics_.screen; }
  std::vector<Rect> screenAreas() override;
  void setClipboardText(const base::TextValue& text) override { clipboard_ = text; }
  base::TextValue clipboardText() override { return clipboard_; }
  void beep() override { ++beeps_; }
  std::unique_ptr<Picture> loadPicture(const std::string& bytes) override;
  void addTrayIcon(Window& window, const Picture& icon, const base::TextValue& tooltip,
                   std::function<void(TrayEvent)> handler) override;
  void removeTrayIcon(Window& window) override;
  int startTimer(int milliseconds, std::function<void()> tick) override { return timers_.start(milliseconds, std::move(tick)); }
  void stopTimer(int id) override { timers_.stop(id); }
  // A HeadlessTooltip (ui/headless/headless_tooltip.h).
  std::unique_ptr<Tooltip> createTooltip(bool balloon) override;

  // ---- for tests
  const HeadlessMetrics& metrics() const { return metrics_; }

  void answerNextMessageBox(MessageAnswer answer) { answers_.push_back(answer); }
  void setDefaultAnswer(MessageAnswer answer) { defaultAnswer_ = answer; }
  const std::vector<ShownMessageBox>& messageBoxes() const { return messageBoxes_; }
  // Runs while a box is shown, before it is answered (what the user does meanwhile).
  std::function<void(const MessageBoxRequest&)> whileMessageBoxShown;

  // The next popup menu chooses the item with this caption (dismissed when there is none), the item
  // at this position, or nothing.
  void chooseInNextPopup(const base::TextValue& caption) { popupChoices_.emplace_back(caption); }
  void chooseInNextPopup(int itemIndex) { popupChoices_.emplace_back(itemIndex); }
  void dismissNextPopup() { popupChoices_.emplace_back(-1); }
  const std::vector<ShownPopupMenu>& popupMenus() const { return popupMenus_; }

  // The tray icon of the window, or null; clickTrayIcon delivers an event to its handler.
  const TrayIcon* trayIcon(const Window& window) const;
  void clickTrayIcon(const Window& window, TrayEvent event);

  void setKeyState(int keys) { keyState_ = keys; }
  void setCursorPosition(Point screen) { cursor_ = screen; }
  int beepCount() const { return beeps_; }

  HeadlessTimers& timers() { return timers_; }
  void advanceTime(long long milliseconds) { timers_.advance(milliseconds); }

  // Queues an event for processPendingEvents (or the message loop).
  void post(std::function<void()> event) { pending_.push_back(std::move(event)); }
  // Queues an event for the pump `pumps` pumps from now (1: the next one), as a user acting in
  // the middle of long work would.
  void postAtPump(int pumps, std::function<void()> event) { later_.push_back({pumps, std::move(event)}); }
  int processPendingEventsCalls() const { return pumpCalls_; }

  // The windows made and not yet closed or destroyed, oldest first.
  std::vector<HeadlessWindow*> openWindows() const { return windows_; }
  HeadlessWindow* activeWindow() const { return active_; }
  // The control with the keyboard focus, or null.
  Control* focusedControl() const;
  // Moves the keyboard focus, raising onFocusLost of the old holder, then onFocusGained of the new.
  void setFocus(HeadlessControlBase* control);

  // ---- for headless windows and controls
  void windowOpened(HeadlessWindow& window) { windows_.push_back(&window); }
  // The window closed (it stays known to its tray icon), or its object is going.
  void windowClosed(HeadlessWindow& window);
  void windowDestroyed(HeadlessWindow& window);
  void activated(HeadlessWindow& window) { active_ = &window; }
  void controlGone(const Control& control);

 protected:
  // Runs the queued events, also those queued while they run.
  void runWaitingEvents() override;
  // Records the box and answers it: an OK-only box is answered OK; an OK/Cancel box takes the next
  // scripted answer, else the default answer.
  MessageAnswer presentMessageBox(const MessageBoxRequest& request) override;
  // Records the menu; the scripted choice (default: dismissed) reaches owner.onCommand.
  std::optional<int> presentPopupMenu(Window& owner, Point screen, const base::TextValue& title,
                                      const std::vector<MenuItem>& items) override;

 private:
  std::optional<int> popupChoice(const std::vector<MenuItem>& items);

  HeadlessMetrics metrics_;
  std::vector<HeadlessWindow*> windows_;
  HeadlessWindow* active_ = nullptr;
  HeadlessControlBase* focused_ = nullptr;

  std::deque<MessageAnswer> answers_;
  MessageAnswer defaultAnswer_ = MessageAnswer::Ok;
  std::vector<ShownMessageBox> messageBoxes_;
  std::deque<std::variant<int, base::TextValue>> popupChoices_;
  std::vector<ShownPopupMenu> popupMenus_;
  std::vector<TrayIcon> trayIcons_;

  int keyState_ = kNoKeys;
  Point cursor_;
  base::TextValue clipboard_;
  int beeps_ = 0;
  HeadlessTimers timers_;
  std::deque<std::function<void()>> pending_;
  struct Later {
    int pumps;
    std::function<void()> event;
  };
  std::vector<Later> later_;
  int pumpCalls_ = 0;
};

}  // namespace ui::headless
