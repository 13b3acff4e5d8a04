#pragma once
// A message presenter for tests: records every box and answers as told.

#include <vector>

#include "ui/message_box.h"

namespace testing_support {

class RecordingMessages : public ui::MessagePresenter {
 public:
  ui::MessageAnswer show(const ui::MessageBoxRequest& request) override {
    shown.push_back(request);
    return answer;
  }

  std::vector<ui::MessageBoxRequest> shown;
  ui::MessageAnswer answer = ui::MessageAnswer::Ok;
};

}  // namespace testing_support
