#include "ui/message_box.h"

namespace ui {

MessageBoxRequest programErrorReport(const base::TextValue& message) {
  MessageBoxRequest report;
  report.text = "运行时出错!\r\n\r\n错误信息：" + message;
  return report;
}

}  // namespace ui
