#include "ui/simple_controls.h"

#include "base/text_value.h"

namespace ui {

void EditBox::setCaption(const base::TextValue& text) {
  writeText(text);
  raiseContentChanged();
}

void EditBox::setMultiLine(bool multiLine) {
  multiLine_ = multiLine;
  applyMultiLine(multiLine);
}

bool EditBox::acceptsCharacter(char32_t character) const {
  if (character < 0x80 && rejected_.find(static_cast<char>(character)) != std::string::npos) return false;
  switch (inputMode_) {
    case InputMode::Any: return true;
    case InputMode::Integer: return (character >= '0' && character <= '9') || character == '-';
    case InputMode::Decimal: return (character >= '0' && character <= '9') || character == '-' || character == '.';
  }
  return true;
}

base::TextValue EditBox::filterPasted(const base::TextValue& text) const {
  base::TextValue kept;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t size = base::characterSize(text, i);
    const bool accepted = size == 2 ? inputMode_ == InputMode::Any
                                    : acceptsCharacter(static_cast<unsigned char>(text[i])) ||
                                          (multiLine_ && (text[i] == '\r' || text[i] == '\n'));
    if (accepted) kept.append(text, i, size);
    i += size;
  }
  return kept;
}

void EditBox::copyFrom(const Control& original) {
  Control::copyFrom(original);
  if (const auto* edit = dynamic_cast<const EditBox*>(&original)) {
    inputMode_ = edit->inputMode_;
    rejected_ = edit->rejected_;
    setMultiLine(edit->multiLine_);
    onContentChanged = edit->onContentChanged;
    onEnter = edit->onEnter;
  }
}

}  // namespace ui
