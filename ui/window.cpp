#include "ui/window.h"

#include <algorithm>

namespace ui {

Window::Window(const WindowLayout& layout, Window* owner) : name_(layout.name), owner_(owner) {}

Window::~Window() = default;

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
  auto it = std::find_if(controls_.begin(), controls_.end(),
                         [&control](const std::unique_ptr<Control>& owned) { return owned.get() == &control; });
  if (it != controls_.end()) controls_.erase(it);
}

}  // namespace ui
