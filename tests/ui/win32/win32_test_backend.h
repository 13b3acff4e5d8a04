#pragma once
// The Win32 toolkit as the tests drive it. Message boxes are real boxes, answered by a timer that
// finds the box on the screen, reads its text and presses its button; every box is recorded with
// the text the screen showed. Beeps are counted.

#include <deque>
#include <optional>
#include <vector>

#include "ui/win32/win32_toolkit.h"

namespace ui_win32_test {

struct ShownBox {
  ui::MessageBoxRequest request;
  std::wstring shownText;     // the box's message, as the screen showed it
  std::wstring shownCaption;  // the box's title
};

class TestToolkit : public ui::win32::Win32Toolkit {
 public:
  void answerNextMessageBox(ui::MessageAnswer answer) { answers_.push_back(answer); }
  const std::vector<ShownBox>& shownBoxes() const { return shown_; }
  void beep() override {
    ++beeps_;
    Win32Toolkit::beep();
  }
  int beepCount() const { return beeps_; }

 protected:
  ui::MessageAnswer presentMessageBox(const ui::MessageBoxRequest& request) override;

 private:
  std::deque<ui::MessageAnswer> answers_;
  std::vector<ShownBox> shown_;
  int beeps_ = 0;
};

// Pumps the thread's messages for a while (lets the system finish painting).
void pumpFor(int milliseconds);

// The description of the font a control's window shows (WM_GETFONT); nothing when it has none.
std::optional<LOGFONTW> fontOf(HWND window);

}  // namespace ui_win32_test
