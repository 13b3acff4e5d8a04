#pragma once
// Labels, buttons, group boxes, edit boxes, check and radio buttons, colour pickers.

#include <string>

#include "ui/control.h"

namespace ui {

class Label : public Control {
 protected:
  using Control::Control;
};

class Button : public Control {
 protected:
  using Control::Control;
};

class GroupBox : public Control {
 protected:
  using Control::Control;
};

enum class InputMode {
  Any,
  Integer,  // digits and "-"
  Decimal,  // digits, "-" and "."
};

// An edit box's byte limit that limits nothing.
inline constexpr std::size_t kNoByteLimit = static_cast<std::size_t>(-1);

class EditBox : public Control {
 public:
  std::size_t maxBytes() const { return maxBytes_; }
  void setMaxBytes(std::size_t bytes) { maxBytes_ = bytes; }

  base::TextValue text() const { return caption(); }
  // Sets the content and raises onContentChanged exactly once, also when the text is the same.
  void setText(const base::TextValue& text) { setCaption(text); }
  base::TextValue caption() const override { return readText(); }
  void setCaption(const base::TextValue& text) override;

  InputMode inputMode() const { return inputMode_; }
  void setInputMode(InputMode mode) { inputMode_ = mode; }
  bool multiLine() const { return multiLine_; }
  void setMultiLine(bool multiLine);
  // Characters the user cannot type or paste into this box (beyond what the input mode allows).
  void setRejectedCharacters(std::string characters) { rejected_ = std::move(characters); }

  // Whether the user may enter this (ASCII or Unicode) character; backends ask before inserting.
  bool acceptsCharacter(char32_t character) const;
  // The text the user pasted, with the characters the box does not accept left out.
  base::TextValue filterPasted(const base::TextValue& text) const;

  SenderHandler<EditBox> onContentChanged;
  // Enter pressed in a single-line box.
  SenderHandler<EditBox> onEnter;

 protected:
  using Control::Control;
  void copyFrom(const Control& original) override;

  virtual base::TextValue readText() const = 0;
  // Sets the content without raising anything.
  virtual void writeText(const base::TextValue& text) = 0;
  virtual void applyMultiLine(bool multiLine) = 0;
  void applyCaption(const base::TextValue& text) override { writeText(text); }

  // The backend reports the user's edits (not the program's).
  void raiseContentChanged() { fire(onContentChanged, *this); }
  void raiseEnter() { fire(onEnter, *this); }

 private:
  InputMode inputMode_ = InputMode::Any;
  bool multiLine_ = false;
  std::string rejected_;
  std::size_t maxBytes_ = kNoByteLimit;
};

// A check box or radio button. Setting the state from the program raises nothing; a user click
// changes it and then raises onClick.
class CheckBox : public Control {
 public:
  virtual bool checked() const = 0;
  virtual void setChecked(bool checked) = 0;

 protected:
  using Control::Control;
};

class RadioButton : public CheckBox {
 protected:
  using CheckBox::CheckBox;
};

class ColorPicker : public Control {
 public:
  virtual Color color() const = 0;
  virtual void setColor(Color color) = 0;

 protected:
  using Control::Control;
};

}  // namespace ui
