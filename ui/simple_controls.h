#pragma once
// Labels, buttons, group boxes, edit boxes, check and radio buttons, colour pickers.

#include <cstddef>
#include <string>
#include <string_view>

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

// An edit box's content in bytes as the user's input meets it: all of them, and those of the
// selection the input replaces.
struct ContentBytes {
  std::size_t total = 0;
  std::size_t selected = 0;
};

// An edit box's byte limit that limits nothing (the default).
inline constexpr std::size_t kNoByteLimit = static_cast<std::size_t>(-1);

class EditBox : public Control {
 public:
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
  // The most bytes (GBK, as a field stores them) the user can bring the content to by typing and
  // pasting (0: the user can add nothing); kNoByteLimit: no limit of the program's own. It limits
  // only the user: the program's setText is never cut, and a limit lowered below the content cuts
  // nothing (the user can only shorten it).
  std::size_t maxBytes() const { return maxBytes_; }
  void setMaxBytes(std::size_t bytes) { maxBytes_ = bytes; }
  bool hasByteLimit() const { return maxBytes_ != kNoByteLimit; }

  // Whether the input mode and the rejected characters let the user enter this (ASCII or Unicode)
  // character.
  bool acceptsCharacter(char32_t character) const;

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

  // The user's input, checked here for every backend before it goes in. The input mode and the
  // rejected characters keep characters out quietly; a character GBK cannot hold (it would be
  // stored as "?") and input past the byte limit are refused, and each refusal or cut beeps once.
  // `bytes` tells where the input meets the content (only read when the box has a byte limit).
  //
  // Whether a typed character goes in.
  bool admitTyped(char32_t character, ContentBytes bytes);
  // Whether Enter may break the line of a multi-line box ("\r\n", two bytes).
  bool admitLineBreak(ContentBytes bytes);
  // What of a pasted text goes in, as GBK: in a single-line box the text up to its first line
  // break, the characters the box accepts, cut at a character boundary to the room left.
  base::TextValue admitPasted(std::u16string_view text, ContentBytes bytes);
  // An edit that happened without these checks (an input method's result string, an undo): whether
  // it may stay. It put `inserted` into the content and took it from `bytesBefore` to `bytesAfter`
  // bytes (both only read when the box has a byte limit). The backend puts back the content from
  // before a refused edit.
  bool admitDoneEdit(std::u16string_view inserted, std::size_t bytesBefore, std::size_t bytesAfter);

 private:
  // The bytes the user may still add where the input meets the content.
  std::size_t roomLeft(ContentBytes bytes) const;
  // The GBK text with the characters the box does not accept left out (line breaks stay in a
  // multi-line box).
  base::TextValue keepAccepted(const base::TextValue& text) const;

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
