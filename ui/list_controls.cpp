#include "ui/list_controls.h"

#include <algorithm>

namespace ui {

base::TextValue ItemList::item(int index) const {
  std::vector<base::TextValue> all = items();
  return index >= 0 && index < static_cast<int>(all.size()) ? all[static_cast<std::size_t>(index)] : base::TextValue();
}

void ItemList::setItems(const std::vector<base::TextValue>& texts) {
  clearItems();
  for (const base::TextValue& text : texts) addItem(text);
}

void ItemList::setCurrentIndex(int index) {
  const int count = itemCount();
  if (index < 0 || count == 0) {
    applyCurrentIndex(-1);
  } else {
    applyCurrentIndex(std::min(index, count - 1));
  }
}

std::vector<int> ListBox::selectedIndices() const {
  std::vector<int> selected;
  for (int i = 0; i < itemCount(); ++i) {
    if (isSelected(i)) selected.push_back(i);
  }
  return selected;
}

std::vector<int> CheckedListBox::checkedIndices() const {
  std::vector<int> checked;
  for (int i = 0; i < itemCount(); ++i) {
    if (isChecked(i)) checked.push_back(i);
  }
  return checked;
}

}  // namespace ui
