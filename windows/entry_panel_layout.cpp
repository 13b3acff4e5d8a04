#include "windows/entry_panel_layout.h"

namespace windows {

ui::WindowLayout entryPanelLayout() {
  using ui::ControlKind;
  ui::WindowLayout layout;
  layout.name = "数据录入面板";
  layout.title = "数据录入面板 - 点击主界面记录可以传值到本面板";
  layout.bounds = {50, 50, 756, 410};
  layout.controls = {
      {kAddRecordButton, ControlKind::Button, "", {24, 152, 432, 48}, "录入", true, true},
      {kModifyRecordButton, ControlKind::Button, "", {472, 152, 256, 48}, "修改", true, true},
      {kStateLabel, ControlKind::Label, "", {24, 214, 432, 20}, "新记录", true, true},
      {kClearButton, ControlKind::Button, "", {472, 208, 256, 28}, "清空", true, true},
      {kLabelTemplate, ControlKind::Label, "", {336, 288, 64, 32}, "标签", false, true},
      {kEditBoxTemplate, ControlKind::EditBox, "", {416, 288, 80, 24}, "", false, true},
      {kCheckBoxTemplate, ControlKind::CheckBox, "", {528, 288, 64, 32}, "OK", false, true},
      {kKeyButtonTemplate, ControlKind::Button, "", {496, 288, 16, 24}, "▼", false, true},
  };
  return layout;
}

}  // namespace windows
