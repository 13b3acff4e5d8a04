#pragma once
// The entry panel window as designed: its buttons, the line that says what the boxes hold, and the
// four hidden templates that every generated control is copied from.

#include "ui/window.h"

namespace windows {

inline constexpr char kAddRecordButton[] = "按钮录入";
inline constexpr char kModifyRecordButton[] = "按钮修改";
inline constexpr char kClearButton[] = "按钮清空";
inline constexpr char kStateLabel[] = "标签记录状态";
inline constexpr char kLabelTemplate[] = "标签复制";
inline constexpr char kEditBoxTemplate[] = "编辑框复制";
inline constexpr char kCheckBoxTemplate[] = "选择框复制";
inline constexpr char kKeyButtonTemplate[] = "按钮弹出关键内容";

ui::WindowLayout entryPanelLayout();

}  // namespace windows
