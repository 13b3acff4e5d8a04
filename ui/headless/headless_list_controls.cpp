#include "ui/headless/headless_list_controls.h"

#include <algorithm>

namespace ui::headless {

int ItemStore::insert(int index, const base::TextValue& text) {
  const int at = std::clamp(index, 0, static_cast<int>(texts.size()));
  texts.insert(texts.begin() + at, text);
  if (current >= at) ++current;
  return at;
}

bool ItemStore::remove(int index) {
  if (!valid(index)) return false;
  texts.erase(texts.begin() + index);
  if (current == index) {
    current = -1;
  } else if (current > index) {
    --current;
  }
  return true;
}

// ---- ComboBox

void HeadlessComboBox::removeItem(int index) {
  const bool wasCurrent = index == store_.current;
  if (store_.remove(index) && wasCurrent) editText_.clear();
}

void HeadlessComboBox::setItemText(int index, const base::TextValue& text) {
  if (!store_.valid(index)) return;
  store_.texts[static_cast<std::size_t>(index)] = text;
  if (index == store_.current) editText_ = text;
}

void HeadlessComboBox::clearItems() {
  store_ = ItemStore();
  editText_.clear();
}

void HeadlessComboBox::applyCurrentIndex(int index) {
  store_.current = index;
  editText_ = item(index);
}

void HeadlessComboBox::userPick(int index) {
  if (!store_.valid(index)) return;
  applyCurrentIndex(index);
  raiseSelectionChanged();
}

// ---- ListBox

void HeadlessListBox::insertItem(int index, const base::TextValue& text) {
  const int at = store_.insert(index, text);
  selected_.insert(selected_.begin() + at, false);
}

void HeadlessListBox::removeItem(int index) {
  if (store_.remove(index)) selected_.erase(selected_.begin() + index);
}

void HeadlessListBox::setItemText(int index, const base::TextValue& text) {
  if (store_.valid(index)) store_.texts[static_cast<std::size_t>(index)] = text;
}

void HeadlessListBox::clearItems() {
  store_ = ItemStore();
  selected_.clear();
}

bool HeadlessListBox::isSelected(int index) const {
  return store_.valid(index) && selected_[static_cast<std::size_t>(index)];
}

void HeadlessListBox::setSelected(int index, bool selected) {
  if (store_.valid(index)) selected_[static_cast<std::size_t>(index)] = selected;
}

void HeadlessListBox::applyCurrentIndex(int index) {
  std::fill(selected_.begin(), selected_.end(), false);
  store_.current = index;
  setSelected(index, true);
}

void HeadlessListBox::userPick(int index, int keys) {
  if (!store_.valid(index)) return;
  if ((keys & kCtrl) != 0) {
    setSelected(index, !isSelected(index));
    store_.current = index;
  } else if ((keys & kShift) != 0 && store_.current >= 0) {
    const int from = std::min(store_.current, index);
    const int to = std::max(store_.current, index);
    std::fill(selected_.begin(), selected_.end(), false);
    for (int i = from; i <= to; ++i) setSelected(i, true);
    store_.current = index;
  } else {
    applyCurrentIndex(index);
  }
  raiseSelectionChanged();
}

void HeadlessListBox::userDoubleClick(int index) {
  if (!store_.valid(index)) return;
  userPick(index);
  raiseDoubleClick();
}

// ---- CheckedListBox

void HeadlessCheckedListBox::insertItem(int index, const base::TextValue& text) {
  const int at = store_.insert(index, text);
  checked_.insert(checked_.begin() + at, false);
}

void HeadlessCheckedListBox::removeItem(int index) {
  if (store_.remove(index)) checked_.erase(checked_.begin() + index);
}

void HeadlessCheckedListBox::setItemText(int index, const base::TextValue& text) {
  if (store_.valid(index)) store_.texts[static_cast<std::size_t>(index)] = text;
}

void HeadlessCheckedListBox::clearItems() {
  store_ = ItemStore();
  checked_.clear();
}

bool HeadlessCheckedListBox::isChecked(int index) const {
  return store_.valid(index) && checked_[static_cast<std::size_t>(index)];
}

void HeadlessCheckedListBox::setChecked(int index, bool checked) {
  if (store_.valid(index)) checked_[static_cast<std::size_t>(index)] = checked;
}

void HeadlessCheckedListBox::userPick(int index) {
  if (!store_.valid(index)) return;
  store_.current = index;
  raiseSelectionChanged();
}

void HeadlessCheckedListBox::userToggle(int index) {
  if (!store_.valid(index)) return;
  setChecked(index, !isChecked(index));
  userPick(index);
}

}  // namespace ui::headless
