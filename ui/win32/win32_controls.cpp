#include "ui/win32/win32_controls.h"

#include "ui/win32/win32_list_controls.h"
#include "ui/win32/win32_panels.h"
#include "ui/win32/win32_simple_controls.h"
#include "ui/win32/win32_toolbar.h"
#include "ui/win32/win32_tree_view.h"

namespace ui::win32 {

std::unique_ptr<Control> makeWin32Control(Win32Window& window, const LayoutEntry& entry, Control* parent) {
  switch (entry.kind) {
    case ControlKind::Label: return std::make_unique<Win32Label>(window, parent, entry);
    case ControlKind::Button: return std::make_unique<Win32Button>(window, parent, entry);
    case ControlKind::EditBox: return std::make_unique<Win32EditBox>(window, parent, entry);
    case ControlKind::CheckBox: return std::make_unique<Win32CheckBox>(window, parent, entry);
    case ControlKind::RadioButton: return std::make_unique<Win32RadioButton>(window, parent, entry);
    case ControlKind::ComboBox: return std::make_unique<Win32ComboBox>(window, parent, entry);
    case ControlKind::ListBox: return std::make_unique<Win32ListBox>(window, parent, entry);
    case ControlKind::CheckedListBox: return std::make_unique<Win32CheckedListBox>(window, parent, entry);
    case ControlKind::GroupBox: return std::make_unique<Win32GroupBox>(window, parent, entry);
    case ControlKind::Panel: return std::make_unique<Win32Panel>(window, parent, entry);
    case ControlKind::DrawingPanel: return std::make_unique<Win32DrawingPanel>(window, parent, entry);
    case ControlKind::TreeView: return std::make_unique<Win32TreeView>(window, parent, entry);
    case ControlKind::Toolbar: return std::make_unique<Win32Toolbar>(window, parent, entry);
    case ControlKind::Splitter: return std::make_unique<Win32Splitter>(window, parent, entry);
    case ControlKind::ColorPicker: return std::make_unique<Win32ColorPicker>(window, parent, entry);
  }
  return std::make_unique<Win32Label>(window, parent, entry);
}

}  // namespace ui::win32
