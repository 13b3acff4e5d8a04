#include "ui/window.h"

#include <algorithm>

namespace ui {

Window::Window(const WindowLayout& layout, Window* owner) : name_(layout.name), owner_(owner) {}

Window::~Window() = default;

// Beside the window's hook it calls (control.cpp is built on its own where windows are not).
void Control::raiseInputRefused() { window_.inputRefused(); }

Control* Window::control(const base::TextValue& name) const {
  for (const auto& control : controls_) {
    if (control->name() == name) return control.get();
  }
  return nullptr;
}

std::vector<Control*> Window::controls() const {
  std::vector<Control*> all;
  all.reserve(controls_.size());
  for (const auto& control : controls_) all.push_back(control.get());
  return all;
}

void Window::buildControls(const std::vector<LayoutEntry>& entries) {
  for (const LayoutEntry& entry : entries) {
    Control* parent = entry.parent.empty() ? nullptr : control(entry.parent);
    std::unique_ptr<Control> made = makeControl(entry, parent);
    made->applyBounds(entry.bounds);
    made->applyCaption(entry.caption);
    made->applyEnabled(entry.enabled);
    made->applyVisible(entry.visible);
    controls_.push_back(std::move(made));
  }
}

void Window::changeDpi(int dpi) {
  const DpiScale scale(dpi);
  if (scale == dpiScale_) return;
  dpiScale_ = scale;
  for (const auto& control : controls_) control->applyScale();
  fire(onResized);
}

Control& Window::copyControl(const Control& original, const base::TextValue& name) {
  LayoutEntry entry;
  entry.name = name;
  entry.kind = original.kind();
  entry.parent = original.parent() ? original.parent()->name() : base::TextValue();
  entry.bounds = original.bounds();
  entry.caption = original.caption();
  entry.visible = false;
  entry.enabled = original.enabled();
  std::unique_ptr<Control> copy = makeControl(entry, original.parent());
  copy->applyBounds(entry.bounds);
  copy->applyEnabled(entry.enabled);
  copy->applyVisible(false);
  copy->copyFrom(original);
  copy->setStateSaving(StateSaving::NeverSaved);
  controls_.push_back(std::move(copy));
  return *controls_.back();
}

void Window::destroyControl(Control& control) {
  if (tabOrder_) std::erase(*tabOrder_, &control);
  auto it = std::find_if(controls_.begin(), controls_.end(),
                         [&control](const std::unique_ptr<Control>& owned) { return owned.get() == &control; });
  if (it != controls_.end()) controls_.erase(it);
}

std::vector<Control*> Window::tabOrder() const {
  if (tabOrder_) return *tabOrder_;
  std::vector<Control*> order;
  for (const auto& control : controls_) {
    if (takesFocus(control->kind())) order.push_back(control.get());
  }
  return order;
}

void Window::setTabOrder(std::vector<Control*> order) {
  std::erase_if(order, [this](const Control* control) { return control == nullptr || &control->window() != this; });
  if (order.empty()) {
    tabOrder_.reset();
  } else {
    tabOrder_ = std::move(order);
  }
}

bool Window::handleKeyPress(const KeyPress& press) {
  // The handler may replace itself while it runs.
  if (const std::function<bool(const KeyPress&)> handler = onKeyPress; handler && handler(press)) return true;
  if (press.key != Key::Tab || (press.keys & (kCtrl | kAlt)) != 0) return false;
  return tabFrom(press.target, (press.keys & kShift) != 0);
}

bool Window::tabFrom(const Control* from, bool backwards) {
  const std::vector<Control*> order = tabOrder();
  const int count = static_cast<int>(order.size());
  const auto found = std::find(order.begin(), order.end(), from);
  // From outside the order the first step lands on the first control (backwards: the last).
  const int start = found != order.end() ? static_cast<int>(found - order.begin()) : (backwards ? count : -1);
  for (int step = 1; step <= count; ++step) {
    const int at = ((start + (backwards ? -step : step)) % count + count) % count;
    Control& candidate = *order[static_cast<std::size_t>(at)];
    // The default order holds only kinds that take the focus; a set one what the program chose.
    if (!candidate.reachable()) continue;
    candidate.focus();
    return true;
  }
  return false;
}

}  // namespace ui
