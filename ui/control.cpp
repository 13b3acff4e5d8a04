#include "ui/control.h"

namespace ui {

bool takesFocus(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
    case ControlKind::EditBox:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::ComboBox:
    case ControlKind::ListBox:
    case ControlKind::CheckedListBox:
    case ControlKind::TreeView:
    case ControlKind::ColorPicker:
      return true;
    default:
      return false;
  }
}

Control::Control(Window& window, Control* parent, const LayoutEntry& entry)
    : caption_(entry.caption),
      name_(entry.name),
      kind_(entry.kind),
      window_(window),
      parent_(parent),
      bounds_(entry.bounds),
      visible_(entry.visible),
      enabled_(entry.enabled) {}

void Control::setBounds(const Rect& bounds) {
  bounds_ = bounds;
  applyBounds(bounds);
}

void Control::setVisible(bool visible) {
  visible_ = visible;
  applyVisible(visible);
  if (visible) applyBringToFront();
}

void Control::setEnabled(bool enabled) {
  enabled_ = enabled;
  applyEnabled(enabled);
}

bool Control::reachable() const {
  for (const Control* control = this; control != nullptr; control = control->parent_) {
    if (!control->visible_ || !control->enabled_) return false;
  }
  return true;
}

void Control::setTextColor(Color color) {
  textColor_ = color;
  applyTextColor(color);
}

void Control::setFont(const Font& font) {
  font_ = font;
  applyFont(font);
}

void Control::setCaption(const base::TextValue& caption) {
  caption_ = caption;
  applyCaption(caption);
}

void Control::copyFrom(const Control& original) {
  setFont(original.font_);
  setTextColor(original.textColor_);
  setCaption(original.caption());
  tag_ = original.tag_;
  onClick = original.onClick;
  onFocusGained = original.onFocusGained;
  onFocusLost = original.onFocusLost;
  onMouseDown = original.onMouseDown;
  onMouseUp = original.onMouseUp;
  onMouseMove = original.onMouseMove;
}

}  // namespace ui
