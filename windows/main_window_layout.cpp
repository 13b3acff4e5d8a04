#include "windows/main_window_layout.h"

namespace windows {

ui::WindowLayout mainWindowLayout() {
  using ui::ControlKind;
  ui::WindowLayout layout;
  layout.name = "ycFormData";
  layout.title = "砚川·格簿录入台 v1.0.1.0 - 点击链接打开，按住Alt键点击复制；右击复制单列，按住Alt键右击复制整行。";
  layout.bounds = {50, 50, 1192, 656};
  layout.controls = {
      {"工具条", ControlKind::Toolbar, "", {0, 96, 1042, 43}, "", true, true},
      {"组合框表单", ControlKind::ComboBox, "", {0, 139, 304, 23}, "", true, true},
      {"树型框", ControlKind::TreeView, "", {0, 162, 304, 440}, "", true, true},
      {"分隔条", ControlKind::Splitter, "", {304, 184, 6, 440}, "", true, true},
      {"图片框查找", ControlKind::Panel, "", {310, 139, 866, 40}, "", false, true},
      {"标签1", ControlKind::Label, "图片框查找", {8, 8, 112, 24}, "要查找的内容：", true, true},
      {"编辑框查找内容", ControlKind::EditBox, "图片框查找", {120, 8, 301, 24}, "", true, true},
      {"选择框查树", ControlKind::CheckBox, "图片框查找", {432, 8, 64, 24}, "查树", true, true},
      {"按钮查找", ControlKind::Button, "图片框查找", {496, 8, 168, 24}, "查找", true, true},
      {"画板容器", ControlKind::Panel, "", {310, 139, 866, 478}, "", true, true},
      {"画板表头", ControlKind::DrawingPanel, "画板容器", {0, 0, 866, 25}, "", true, true},
      {"画板数据", ControlKind::DrawingPanel, "画板容器", {0, 24, 866, 454}, "", true, true},
      {"画板横滚", ControlKind::DrawingPanel, "画板容器", {0, 460, 866, 18}, "", true, true},
      {"画板纵滚", ControlKind::DrawingPanel, "画板容器", {848, 24, 18, 436}, "", true, true},
      {kStatusBar, ControlKind::Label, "", {4, 600, 1172, 18}, "", true, true},
  };
  return layout;
}

std::vector<ui::ToolbarButton> mainToolbarButtons() {
  return {
      {0, "新建列表", "新建一个根据表单创建的列表"},
      {1, "删除列表", "删除选中的列表"},
      {2, "查找记录", "查找列表里的记录"},
      {-1, "", ""},
      {3, "加入记录", "给列表添加一个新记录"},
      {4, "移除记录", "删除列表里的选中记录"},
      {5, "全选记录", "全部选中列表里的记录"},
      {-1, "", ""},
      {6, "表单设计", "打开表单设计器"},
      {7, "开始PING", "执行PING字段的检测"},
      {8, "自动列宽", "选中自动调整列宽，不选中记住你自己调节的列宽"},
  };
}

}  // namespace windows
