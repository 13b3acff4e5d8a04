#include "ui/headless/headless_toolkit.h"

#include <algorithm>
#include <stdexcept>

#include "ui/headless/headless_canvas.h"
#include "ui/headless/headless_control.h"
#include "ui/headless/headless_window.h"

namespace ui::headless {

namespace {

// Events queued by events queued by … : beyond this many in one processPendingEvents the events
// feed themselves for ever.
constexpr int kMaxEventsPerPump = 1000000;

}  // namespace

void moveFocus(HeadlessToolkit& toolkit, HeadlessControlBase* control) { toolkit.setFocus(control); }

bool holdsFocus(const HeadlessToolkit& toolkit, const Control& control) { return toolkit.focusedControl() == &control; }

void controlGone(HeadlessToolkit& toolkit, const Control& control) { toolkit.controlGone(control); }

HeadlessToolkit::HeadlessToolkit(HeadlessMetrics metrics) : metrics_(metrics) {}

HeadlessToolkit::~HeadlessToolkit() = default;

std::unique_ptr<Window> HeadlessToolkit::createWindow(const WindowLayout& layout, Window* owner) {
  return std::make_unique<HeadlessWindow>(*this, layout, owner);
}

void HeadlessToolkit::show(Window& window) { static_cast<HeadlessWindow&>(window).showByToolkit(); }

void HeadlessToolkit::runMessageLoop() {
  while (!windows_.empty()) {
    if (!pending_.empty() || !later_.empty()) {
      processPendingEvents();
    } else if (!timers_.runNext()) {
      throw std::logic_error("headless message loop: windows are open and no event or timer is left");
    }
  }
}

void HeadlessToolkit::runWaitingEvents() {
  ++pumpCalls_;
  for (auto it = later_.begin(); it != later_.end();) {
    if (--it->pumps > 0) {
      ++it;
      continue;
    }
    pending_.push_back(std::move(it->event));
    it = later_.erase(it);
  }
  for (int run = 0; !pending_.empty(); ++run) {
    if (run == kMaxEventsPerPump) throw std::logic_error("headless events keep queueing events");
    const std::function<void()> event = std::move(pending_.front());
    pending_.pop_front();
    if (event) event();
  }
}

MessageAnswer HeadlessToolkit::presentMessageBox(const MessageBoxRequest& request) {
  const std::size_t index = messageBoxes_.size();
  messageBoxes_.push_back({request, MessageAnswer::Ok});
  if (whileMessageBoxShown) whileMessageBoxShown(request);
  MessageAnswer answer = MessageAnswer::Ok;
  if (request.buttons == MessageButtons::OkCancel) {
    answer = defaultAnswer_;
    if (!answers_.empty()) {
      answer = answers_.front();
      answers_.pop_front();
    }
  }
  messageBoxes_[index].answer = answer;
  return answer;
}

std::unique_ptr<Picture> HeadlessToolkit::loadPicture(const std::string& bytes) {
  const std::optional<Size> size = pictureSize(bytes);
  if (!size) return nullptr;
  return std::make_unique<HeadlessPicture>(*size);
}

std::optional<int> HeadlessToolkit::popupChoice(const std::vector<MenuItem>& items) {
  if (popupChoices_.empty()) return std::nullopt;
  const std::variant<int, base::TextValue> choice = popupChoices_.front();
  popupChoices_.pop_front();
  if (const int* index = std::get_if<int>(&choice)) {
    if (*index < 0 || *index >= static_cast<int>(items.size())) return std::nullopt;
    return items[static_cast<std::size_t>(*index)].command;
  }
  const base::TextValue& caption = std::get<base::TextValue>(choice);
  for (const MenuItem& item : items) {
    if (item.caption == caption) return item.command;
  }
  return std::nullopt;
}

std::optional<int> HeadlessToolkit::presentPopupMenu(Window& owner, Point screen, const base::TextValue& title,
                                                    const std::vector<MenuItem>& items) {
  const std::optional<int> command = popupChoice(items);
  popupMenus_.push_back({&owner, screen, title, items, command});
  return command;
}

void HeadlessToolkit::addTrayIcon(Window& window, const Picture& icon, const base::TextValue& tooltip,
                                  std::function<void(TrayEvent)> handler) {
  removeTrayIcon(window);
  trayIcons_.push_back({&window, icon.size(), tooltip, std::move(handler)});
}

void HeadlessToolkit::removeTrayIcon(Window& window) {
  std::erase_if(trayIcons_, [&window](const TrayIcon& icon) { return icon.window == &window; });
}

const TrayIcon* HeadlessToolkit::trayIcon(const Window& window) const {
  for (const TrayIcon& icon : trayIcons_) {
    if (icon.window == &window) return &icon;
  }
  return nullptr;
}

void HeadlessToolkit::clickTrayIcon(const Window& window, TrayEvent event) {
  const TrayIcon* icon = trayIcon(window);
  if (icon == nullptr || !icon->handler) return;
  const std::function<void(TrayEvent)> handler = icon->handler;  // the handler may remove the icon
  handler(event);
}

Control* HeadlessToolkit::focusedControl() const { return focused_ != nullptr ? &focused_->self() : nullptr; }

void HeadlessToolkit::setFocus(HeadlessControlBase* control) {
  if (control == focused_) return;
  HeadlessControlBase* old = focused_;
  focused_ = control;
  if (old != nullptr) old->focusChanged(false);
  // A focus-lost handler may have moved the focus on; then that move stands.
  if (control != nullptr && focused_ == control) control->focusChanged(true);
}

void HeadlessToolkit::windowClosed(HeadlessWindow& window) {
  std::erase(windows_, &window);
  if (active_ == &window) active_ = nullptr;
  if (focused_ != nullptr && &focused_->self().window() == &window) focused_ = nullptr;
}

void HeadlessToolkit::windowDestroyed(HeadlessWindow& window) {
  windowClosed(window);
  removeTrayIcon(window);
}

void HeadlessToolkit::controlGone(const Control& control) {
  if (focused_ != nullptr && &focused_->self() == &control) focused_ = nullptr;
}

std::vector<Rect> HeadlessToolkit::screenAreas() {
  std::vector<Rect> areas{metrics_.screen};
  areas.insert(areas.end(), metrics_.otherScreens.begin(), metrics_.otherScreens.end());
  return areas;
}

}  // namespace ui::headless
