#pragma once
// The grey input hints of the entry panel's empty boxes ("输入" + the kind's hint + ".."), and
// what a box holds as far as the record goes: a box showing its hint holds nothing. A box showing
// a hint is told by its grey colour alone.

#include "base/text_value.h"
#include "ui/simple_controls.h"

namespace windows {

// The grey hint of an empty generated edit box, unless the box holds a text or is no generated box.
void applyHint(ui::EditBox& box);
// Takes a shown hint out of a box that gets the focus: the box is black and empty.
void clearHint(ui::EditBox& box);
bool showsHint(const ui::EditBox& box);

// The box's text, nothing when it shows its hint.
base::TextValue enteredText(const ui::EditBox& box);
// Shows `text` in black; an empty text shows the hint instead unless the box has the focus.
void showEntered(ui::EditBox& box, const base::TextValue& text);

}  // namespace windows
