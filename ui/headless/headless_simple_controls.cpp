#include "ui/headless/headless_simple_controls.h"

#include "platform/text_codec.h"
#include "ui/window.h"

namespace ui::headless {

namespace {

// The character that starts at `position`, as the keyboard would deliver it.
char32_t characterAt(const base::TextValue& text, std::size_t position, std::size_t size) {
  if (size == 1) return static_cast<unsigned char>(text[position]);
  const std::u16string wide = platform::gbkToUtf16(std::string_view(text).substr(position, size));
  return wide.empty() ? char32_t{0xFFFD} : char32_t{wide[0]};
}

}  // namespace

int HeadlessEditBox::userType(const base::TextValue& text) {
  int entered = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (text.compare(i, 2, "\r\n") == 0 || text[i] == '\n') {
      i += text[i] == '\r' ? 2 : 1;
      if (enter()) ++entered;
      continue;
    }
    const std::size_t size = base::characterSize(text, i);
    if (admitTyped(characterAt(text, i, size), atTheEnd())) {
      text_.append(text, i, size);
      ++entered;
      raiseContentChanged();
    }
    i += size;
  }
  return entered;
}

void HeadlessEditBox::userPaste(const base::TextValue& text) {
  const base::TextValue kept = admitPasted(platform::gbkToUtf16(text), atTheEnd());
  if (kept.empty()) return;
  text_ += kept;
  raiseContentChanged();
}

bool HeadlessEditBox::enter() {
  if (!multiLine()) {
    raiseEnter();
    return false;
  }
  if (!admitLineBreak(atTheEnd())) return false;
  text_ += "\r\n";
  raiseContentChanged();
  return true;
}

int HeadlessEditBox::userTypeOver(const base::TextValue& text) {
  const base::TextValue before = text_;
  text_.clear();
  const int entered = userType(text);
  if (entered == 0) text_ = before;  // nothing went in: the selection stays as it was
  return entered;
}

void HeadlessEditBox::userErase() {
  if (text_.empty()) return;
  text_.clear();
  raiseContentChanged();
}

void HeadlessEditBox::userBackspace() {
  if (text_.empty()) return;
  std::size_t last = 0;
  for (std::size_t i = 0; i < text_.size(); i += base::characterSize(text_, i)) last = i;
  if (text_.size() >= 2 && text_.compare(text_.size() - 2, 2, "\r\n") == 0) last = text_.size() - 2;
  text_.erase(last);
  raiseContentChanged();
}

void HeadlessCheckBox::userClick() {
  checked_ = !checked_;
  raiseClick();
}

void HeadlessRadioButton::userClick() {
  for (Control* other : window().controls()) {
    if (other == this || other->parent() != parent()) continue;
    if (auto* radio = dynamic_cast<HeadlessRadioButton*>(other)) radio->checked_ = false;
  }
  checked_ = true;
  raiseClick();
}

void HeadlessColorPicker::userChoose(Color color) {
  color_ = color;
  raiseClick();
}

}  // namespace ui::headless
