#include "ui/simple_controls.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "base/text_value.h"
#include "platform/text_codec.h"

namespace ui {

namespace {

constexpr std::size_t kLineBreakBytes = 2;  // "\r\n"

bool isSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// The GBK of a character, or nothing when GBK cannot hold it so.
std::optional<base::TextValue> gbkCharacter(std::u16string_view character) {
  base::TextValue gbk = platform::utf16ToGbk(character);
  if (!platform::gbkHoldsEveryCharacter(gbk, character)) return std::nullopt;
  return gbk;
}

std::optional<base::TextValue> gbkCharacter(char32_t character) {
  if (character < 0x80) return base::TextValue(1, static_cast<char>(character));
  std::u16string utf16;
  if (character < 0x10000) {
    utf16 += static_cast<char16_t>(character);
  } else {
    utf16 += static_cast<char16_t>(0xD800 + ((character - 0x10000) >> 10));
    utf16 += static_cast<char16_t>(0xDC00 + ((character - 0x10000) & 0x3FF));
  }
  return gbkCharacter(utf16);
}

// A text the user entered, as GBK: every character GBK holds; `leftOut` tells whether there were
// others.
struct UserText {
  base::TextValue gbk;
  bool leftOut = false;
};

UserText gbkOfUserText(std::u16string_view text) {
  UserText user{platform::utf16ToGbk(text)};
  if (platform::gbkHoldsEveryCharacter(user.gbk, text)) return user;
  user.gbk.clear();
  for (std::size_t position = 0; position < text.size();) {
    std::size_t size = 1;
    if (isSurrogate(text[position]) && position + 1 < text.size() && isSurrogate(text[position + 1])) size = 2;
    if (std::optional<base::TextValue> gbk = gbkCharacter(text.substr(position, size))) {
      user.gbk += *gbk;
    } else {
      user.leftOut = true;
    }
    position += size;
  }
  return user;
}

}  // namespace

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

std::size_t EditBox::roomLeft(ContentBytes bytes) const {
  if (!hasByteLimit()) return kNoByteLimit;
  const std::size_t kept = bytes.total - std::min(bytes.selected, bytes.total);
  return kept < maxBytes_ ? maxBytes_ - kept : 0;
}

bool EditBox::admitTyped(char32_t character, ContentBytes bytes) {
  if (!acceptsCharacter(character)) return false;
  const std::optional<base::TextValue> gbk = gbkCharacter(character);
  if (gbk && gbk->size() <= roomLeft(bytes)) return true;
  raiseInputRefused();
  return false;
}

bool EditBox::admitLineBreak(ContentBytes bytes) {
  if (kLineBreakBytes <= roomLeft(bytes)) return true;
  raiseInputRefused();
  return false;
}

base::TextValue EditBox::keepAccepted(const base::TextValue& text) const {
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

base::TextValue EditBox::admitPasted(std::u16string_view text, ContentBytes bytes) {
  if (!multiLine_) text = text.substr(0, text.find_first_of(u"\r\n"));
  const UserText user = gbkOfUserText(text);
  const base::TextValue kept = keepAccepted(user.gbk);
  base::TextValue cut = base::cutToBytes(kept, roomLeft(bytes));
  // Nor is a line break split.
  if (cut.size() < kept.size() && !cut.empty() && cut.back() == '\r' && kept[cut.size()] == '\n') cut.pop_back();
  // A character GBK cannot hold is no ASCII character: only a box that takes any would have had it.
  const bool refusedCharacter = user.leftOut && inputMode_ == InputMode::Any;
  if (refusedCharacter || cut.size() < kept.size()) raiseInputRefused();
  return cut;
}

bool EditBox::admitDoneEdit(std::u16string_view inserted, std::size_t bytesBefore, std::size_t bytesAfter) {
  const bool pastTheLimit = hasByteLimit() && bytesAfter > maxBytes_ && bytesAfter > bytesBefore;
  if (!pastTheLimit && !gbkOfUserText(inserted).leftOut) return true;
  raiseInputRefused();
  return false;
}

void EditBox::copyFrom(const Control& original) {
  Control::copyFrom(original);
  if (const auto* edit = dynamic_cast<const EditBox*>(&original)) {
    inputMode_ = edit->inputMode_;
    rejected_ = edit->rejected_;
    maxBytes_ = edit->maxBytes_;
    setMultiLine(edit->multiLine_);
    onContentChanged = edit->onContentChanged;
    onEnter = edit->onEnter;
  }
}

}  // namespace ui
