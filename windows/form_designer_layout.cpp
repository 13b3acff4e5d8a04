#include "windows/form_designer_layout.h"

namespace windows {

ui::WindowLayout formDesignerLayout() {
  using ui::ControlKind;
  ui::WindowLayout layout;
  layout.name = "表单设计器";
  layout.title = "表单设计器 - 按住Ctrl新建表单可以复制当前表单";
  layout.bounds = {50, 50, 538, 552};
  layout.controls = {
      {"分组框2", ControlKind::GroupBox, "", {16, 16, 496, 216}, "表单库 - 设计好字段再添加到表单库", true, true},
      {"列表框表单库", ControlKind::ListBox, "分组框2", {16, 27, 176, 173}, "", true, true},
      {"标签6", ControlKind::Label, "分组框2", {216, 24, 104, 24}, "表单名称：", true, true},
      {"编辑框表单名称", ControlKind::EditBox, "分组框2", {328, 24, 145, 24}, "", true, true},
      {"按钮添加表单", ControlKind::Button, "分组框2", {216, 64, 260, 56}, "<< 新建", true, true},
      {"按钮删除表单", ControlKind::Button, "分组框2", {216, 142, 260, 56}, "<< 删除", true, true},
      {"分组框1", ControlKind::GroupBox, "", {16, 248, 496, 264}, "字段列表", true, true},
      {"列表框字段列表", ControlKind::ListBox, "分组框1", {16, 27, 176, 189}, "", true, true},
      {"按钮上移字段", ControlKind::Button, "分组框1", {16, 224, 80, 24}, "上移", true, true},
      {"按钮下移字段", ControlKind::Button, "分组框1", {112, 224, 80, 24}, "下移", true, true},
      {"标签1", ControlKind::Label, "分组框1", {216, 24, 80, 24}, "字段名称：", true, true},
      {"编辑框字段名称", ControlKind::EditBox, "分组框1", {297, 24, 176, 24}, "", true, true},
      {"标签2", ControlKind::Label, "分组框1", {216, 64, 80, 24}, "字段类型：", true, true},
      {"组合框字段类型", ControlKind::ComboBox, "分组框1", {296, 64, 120, 23}, "", true, true},
      {"选择框关键", ControlKind::CheckBox, "分组框1", {424, 64, 56, 24}, "关键", true, true},
      {"标签3", ControlKind::Label, "分组框1", {216, 104, 80, 24}, "字段长度：", true, true},
      {"编辑框字段长度", ControlKind::EditBox, "分组框1", {296, 104, 160, 24}, "50", true, true},
      {"标签4", ControlKind::Label, "分组框1", {216, 104, 80, 24}, "关联字段：", false, true},
      {"组合框关联字段", ControlKind::ComboBox, "分组框1", {296, 104, 176, 23}, "", false, true},
      {"按钮添加字段", ControlKind::Button, "分组框1", {216, 144, 260, 48}, "<< 新建", true, true},
      {"按钮删除字段", ControlKind::Button, "分组框1", {216, 200, 260, 48}, "<< 删除", true, true},
  };
  return layout;
}

}  // namespace windows
