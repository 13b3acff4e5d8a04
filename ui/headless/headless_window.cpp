#include "ui/headless/headless_window.h"

#include <algorithm>

#include "ui/headless/headless_drawing_panel.h"
#include "ui/headless/headless_list_controls.h"
#include "ui/headless/headless_simple_controls.h"
#include "ui/headless/headless_toolbar.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/headless/headless_tree_view.h"

namespace ui::headless {

HeadlessWindow::HeadlessWindow(HeadlessToolkit& toolkit, const WindowLayout& layout, Window* owner)
    : Window(layout, owner), toolkit_(toolkit), title_(layout.title), bounds_(layout.bounds) {
  setInitialDpi(toolkit.metrics().dpi);
  buildControls(layout.controls);
  toolkit_.windowOpened(*this);
}

HeadlessWindow::~HeadlessWindow() { toolkit_.windowDestroyed(*this); }

std::unique_ptr<Control> HeadlessWindow::makeControl(const LayoutEntry& entry, Control* parent) {
  HeadlessToolkit& kit = toolkit_;
  switch (entry.kind) {
    case ControlKind::Label: return std::make_unique<HeadlessLabel>(kit, *this, parent, entry);
    case ControlKind::Button: return std::make_unique<HeadlessButton>(kit, *this, parent, entry);
    case ControlKind::EditBox: return std::make_unique<HeadlessEditBox>(kit, *this, parent, entry);
    case ControlKind::CheckBox: return std::make_unique<HeadlessCheckBox>(kit, *this, parent, entry);
    case ControlKind::RadioButton: return std::make_unique<HeadlessRadioButton>(kit, *this, parent, entry);
    case ControlKind::ComboBox: return std::make_unique<HeadlessComboBox>(kit, *this, parent, entry);
    case ControlKind::ListBox: return std::make_unique<HeadlessListBox>(kit, *this, parent, entry);
    case ControlKind::CheckedListBox: return std::make_unique<HeadlessCheckedListBox>(kit, *this, parent, entry);
    case ControlKind::GroupBox: return std::make_unique<HeadlessGroupBox>(kit, *this, parent, entry);
    case ControlKind::Panel: return std::make_unique<HeadlessPanel>(kit, *this, parent, entry);
    case ControlKind::DrawingPanel: return std::make_unique<HeadlessDrawingPanel>(kit, *this, parent, entry);
    case ControlKind::TreeView: return std::make_unique<HeadlessTreeView>(kit, *this, parent, entry);
    case ControlKind::Toolbar: return std::make_unique<HeadlessToolbar>(kit, *this, parent, entry);
    case ControlKind::Splitter: return std::make_unique<HeadlessSplitter>(kit, *this, parent, entry);
    case ControlKind::ColorPicker: return std::make_unique<HeadlessColorPicker>(kit, *this, parent, entry);
  }
  return std::make_unique<HeadlessLabel>(kit, *this, parent, entry);
}

void HeadlessWindow::setBounds(const Rect& bounds) {
  const bool resized = bounds.width != bounds_.width || bounds.height != bounds_.height;
  maximized_ = false;
  bounds_ = bounds;
  if (resized && !minimized_) fire(onResized);
}

Size HeadlessWindow::clientSize() const {
  if (minimized_) return {};
  const HeadlessMetrics& m = toolkit_.metrics();
  return {std::max(0, bounds_.width - m.frameLeft - m.frameRight), std::max(0, bounds_.height - m.frameTop - m.frameBottom)};
}

void HeadlessWindow::setVisible(bool visible) {
  if (closed_) return;
  visible_ = visible;
}

void HeadlessWindow::restore() {
  if (!minimized_) return;
  minimized_ = false;
  fire(onResized);
}

void HeadlessWindow::maximize() {
  if (maximized_ || closed_) return;
  normalBounds_ = bounds_;
  maximized_ = true;
  // The frame's edges lie outside the work area, as a maximised window's do.
  const Rect area = toolkit_.screenArea();
  const HeadlessMetrics& m = toolkit_.metrics();
  bounds_ = {area.left - m.frameLeft, area.top, area.width + m.frameLeft + m.frameRight, area.height + m.frameBottom};
  if (!minimized_) fire(onResized);
}

void HeadlessWindow::centerOnScreen() {
  const Rect screen = toolkit_.screenArea();
  bounds_.left = screen.left + (screen.width - bounds_.width) / 2;
  bounds_.top = screen.top + (screen.height - bounds_.height) / 2;
}

void HeadlessWindow::activate() {
  if (closed_) return;
  toolkit_.activated(*this);
}

void HeadlessWindow::inputRefused() { toolkit_.beep(); }

void HeadlessWindow::close() {
  if (closed_ || !raiseQueryClose()) return;
  destroy();
}

void HeadlessWindow::destroy() {
  if (closed_) return;
  closed_ = true;
  for (HeadlessWindow* other : toolkit_.openWindows()) {
    if (other->owner() == this) other->destroy();
  }
  visible_ = false;
  toolkit_.windowClosed(*this);
  fire(onClosed);
}

Point HeadlessWindow::clientOrigin() const {
  const HeadlessMetrics& m = toolkit_.metrics();
  return {bounds_.left + m.frameLeft, bounds_.top + m.frameTop};
}

Point HeadlessWindow::screenPosition(const Control& control, Point inControl) const {
  Point at = clientOrigin();
  for (const Control* c = &control; c != nullptr; c = c->parent()) {
    at.x += c->bounds().left;
    at.y += c->bounds().top;
  }
  return {at.x + inControl.x, at.y + inControl.y};
}

void HeadlessWindow::showByToolkit() {
  if (closed_) return;
  if (created_) {
    visible_ = true;
    return;
  }
  created_ = true;
  fire(onCreated);
  if (closed_) return;
  visible_ = true;
  fire(onResized);
}

void HeadlessWindow::userMinimize() {
  if (minimized_ || closed_) return;
  minimized_ = true;
  fire(onResized);
}

}  // namespace ui::headless
