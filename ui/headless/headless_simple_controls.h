#pragma once
// Headless labels, buttons, group boxes, panels, splitters, edit boxes, check and radio buttons and
// colour pickers.

#include "ui/headless/headless_control.h"
#include "ui/panels.h"
#include "ui/simple_controls.h"

namespace ui::headless {

class HeadlessLabel : public HeadlessControl<Label> {
 public:
  using HeadlessControl::HeadlessControl;
};

class HeadlessButton : public HeadlessControl<Button> {
 public:
  using HeadlessControl::HeadlessControl;
};

class HeadlessGroupBox : public HeadlessControl<GroupBox> {
 public:
  using HeadlessControl::HeadlessControl;
};

class HeadlessPanel : public HeadlessControl<Panel> {
 public:
  using HeadlessControl::HeadlessControl;
};

class HeadlessSplitter : public HeadlessControl<Splitter> {
 public:
  using HeadlessControl::HeadlessControl;
  // The user dragged the splitter so that its left edge would be at `position`.
  void userDrag(int position) { raiseMoved(position); }
};

// The content with a caret, always at the end (typing and pasting append). The user's input passes
// the box's checks (EditBox): refused characters and pastes cut to the byte limit beep.
class HeadlessEditBox : public HeadlessControl<EditBox> {
 public:
  using HeadlessControl::HeadlessControl;

  // Types the characters one by one: each one the box accepts is appended and raises
  // onContentChanged; "\r\n" or "\n" is the Enter key (a new line in a multi-line box, onEnter in a
  // single-line one). Returns the number of characters that went in.
  int userType(const base::TextValue& text);
  // Pastes: what the box accepts of `text` (up to its first line break in a single-line box, cut
  // to the byte limit) is appended, raising onContentChanged once if any.
  void userPaste(const base::TextValue& text);
  void userPressEnter() { (void)enter(); }
  // Selects everything and deletes it (onContentChanged once, when there was content).
  void userErase();
  // Selects the whole content and types over it: the first character that goes in replaces it (so
  // the byte limit counts from an empty box).
  int userTypeOver(const base::TextValue& text);
  // Deletes the last character (onContentChanged once, when there was one).
  void userBackspace();

 protected:
  base::TextValue readText() const override { return text_; }
  void writeText(const base::TextValue& text) override { text_ = text; }
  void applyMultiLine(bool) override {}

 private:
  // Enter: a line break in a multi-line box (true when it went in), onEnter in a single-line one.
  bool enter();
  // Where the input meets the content: at its end, no selection.
  ContentBytes atTheEnd() const { return {text_.size(), 0}; }

  base::TextValue text_;
};

class HeadlessCheckBox : public HeadlessControl<CheckBox> {
 public:
  using HeadlessControl::HeadlessControl;
  bool checked() const override { return checked_; }
  void setChecked(bool checked) override { checked_ = checked; }
  // A click toggles the state and then raises onClick.
  void userClick() override;

 private:
  bool checked_ = false;
};

class HeadlessRadioButton : public HeadlessControl<RadioButton> {
 public:
  using HeadlessControl::HeadlessControl;
  bool checked() const override { return checked_; }
  void setChecked(bool checked) override { checked_ = checked; }
  // A click checks this button, unchecks the other radio buttons of the same parent, and then
  // raises onClick.
  void userClick() override;

 private:
  bool checked_ = false;
};

class HeadlessColorPicker : public HeadlessControl<ColorPicker> {
 public:
  using HeadlessControl::HeadlessControl;
  Color color() const override { return color_; }
  void setColor(Color color) override { color_ = color; }
  // The user chose a colour: it is set, then onClick is raised.
  void userChoose(Color color);

 private:
  Color color_ = kBlack;
};

}  // namespace ui::headless
