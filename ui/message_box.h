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

}  // namespace ui
