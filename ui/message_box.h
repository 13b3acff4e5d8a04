#pragma once
// Message boxes as the system asks for them. The application wires a presenter to the real toolkit;
// tests put in one that records every box and answers as scripted.

#include "base/text_value.h"

namespace ui {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel };
enum class MessageModality { Application, Task, System };
enum class MessageAnswer { Ok, Cancel };

struct MessageBoxRequest {
  base::TextValue text;
  base::TextValue caption = "信息：";
  MessageIcon icon = MessageIcon::Warning;
  MessageButtons buttons = MessageButtons::Ok;
  MessageModality modality = MessageModality::Application;
};

class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  virtual MessageAnswer show(const MessageBoxRequest& request) = 0;
};

// The report of a runtime error that the program cannot go on from (shown before it ends):
// "运行时出错!", an empty line, then "错误信息：" and the message.
MessageBoxRequest programErrorReport(const base::TextValue& message);

}  // namespace ui
