#pragma once
// Toolkit: what the program needs of the platform's user interface beyond single windows. The
// application holds one and hands it (or its parts) to the windows; tests use the headless one.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/text_value.h"
#include "ui/canvas.h"
#include "ui/event_gate.h"
#include "ui/message_box.h"
#include "ui/tooltip.h"
#include "ui/window.h"

namespace ui {

struct MenuItem {
  base::TextValue caption;
  int command = 0;
};

// The notification-area icon's events: 1 left click, 2 double click, 3 right click.
enum class TrayEvent { LeftClick = 1, DoubleClick = 2, RightClick = 3 };

class Toolkit : public MessagePresenter {
 public:
  ~Toolkit() override = default;

  // A new window from its layout; non-modal, owned by `owner` when given. The window's onCreated
  // runs once the caller has set its handlers, at show().
  virtual std::unique_ptr<Window> createWindow(const WindowLayout& layout, Window* owner) = 0;
  // Shows a created window: the first time its onCreated runs first and its onResized after it is
  // shown (so it lays itself out once); later calls only make it visible.
  virtual void show(Window& window) = 0;

  // Runs until no window of the program is left.
  virtual void runMessageLoop() = 0;
  // Lets the events that are waiting run, then returns. It goes through the event gate, so that
  // work those events would start cannot nest in work that is running.
  void processPendingEvents() { (void)events_.letEventsRun(); }
  // The re-entry guard of this toolkit's UI thread: long work lets events run through it, and
  // events that start work ask it first.
  EventGate& eventGate() { return events_; }

  // Message boxes. A box is modal: while it is up, events reach the program's other windows, and
  // they go through the event gate as the pump's do.
  MessageAnswer show(const MessageBoxRequest& request) final;

  // Keys held now (kCtrl, kShift, kAlt added) and the pointer's screen position.
  virtual int keyState() = 0;
  virtual Point cursorPosition() = 0;
  virtual Rect screenArea() = 0;
  // The work areas of the screens there are now, the primary screen's first.
  virtual std::vector<Rect> screenAreas() = 0;

  virtual void setClipboardText(const base::TextValue& text) = 0;
  virtual base::TextValue clipboardText() = 0;
  virtual void beep() = 0;

  // Pictures from BMP or ICO bytes; null when the bytes are not a picture.
  virtual std::unique_ptr<Picture> loadPicture(const std::string& bytes) = 0;

  // A popup menu at a screen position, one submenu captioned `title` holding `items`; returns when
  // it closes; the chosen item's command reaches `owner.onCommand` before it returns. Modal, as a
  // message box is.
  void showPopupMenu(Window& owner, Point screen, const base::TextValue& title, const std::vector<MenuItem>& items);

  // The notification-area icon of `window`, with its tooltip; events go to the handler.
  virtual void addTrayIcon(Window& window, const Picture& icon, const base::TextValue& tooltip,
                           std::function<void(TrayEvent)> handler) = 0;
  virtual void removeTrayIcon(Window& window) = 0;

  // Calls `tick` every `milliseconds` on the UI thread until stopTimer; the timer's id.
  virtual int startTimer(int milliseconds, std::function<void()> tick) = 0;
  virtual void stopTimer(int id) = 0;

  // A new tooltip window, on top of the other windows, in the balloon shape when asked; null when
  // the platform could not make one.
  virtual std::unique_ptr<Tooltip> createTooltip(bool balloon) = 0;

 protected:
  Toolkit() : events_([this] { runWaitingEvents(); }) {}
  // The backend's own pump: runs the events that are waiting, then returns.
  virtual void runWaitingEvents() = 0;
  // The backend's own message box, and its popup menu answering the chosen item's command
  // (nothing when dismissed).
  virtual MessageAnswer presentMessageBox(const MessageBoxRequest& request) = 0;
  virtual std::optional<int> presentPopupMenu(Window& owner, Point screen, const base::TextValue& title,
                                              const std::vector<MenuItem>& items) = 0;

 private:
  EventGate events_;
};

// Whether `key` (kCtrl, kShift or kAlt) is held: the key state is asked, the waiting events run,
// and it is asked again; the second answer counts.
inline MessageAnswer Toolkit::show(const MessageBoxRequest& request) {
  MessageAnswer answer = MessageAnswer::Cancel;
  events_.runModal([&] { answer = presentMessageBox(request); });
  return answer;
}

inline void Toolkit::showPopupMenu(Window& owner, Point screen, const base::TextValue& title,
                                   const std::vector<MenuItem>& items) {
  std::optional<int> chosen;
  events_.runModal([&] { chosen = presentPopupMenu(owner, screen, title, items); });
  // The command is the menu's answer, not an event inside it: it reaches the window afterwards.
  if (chosen && owner.onCommand) owner.onCommand(*chosen);
}

inline bool isKeyHeld(Toolkit& toolkit, int key) {
  (void)toolkit.keyState();
  toolkit.processPendingEvents();
  return (toolkit.keyState() & key) != 0;
}

}  // namespace ui
