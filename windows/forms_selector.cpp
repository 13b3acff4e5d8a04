#include "windows/forms_selector.h"

namespace windows {

void refillFormSelector(ui::ItemList& selector, const forms::FormLibrary& library, int index, bool select) {
  std::vector<base::TextValue> names;
  names.reserve(library.forms().size() + 1);
  for (const forms::FormDefinition& form : library.forms()) names.push_back(form.name);
  names.push_back(kOpenDesignerItem);
  selector.setItems(names);
  selector.setCurrentIndex(select ? index : -1);
}

bool isDesignerItemCurrent(const ui::ItemList& selector) {
  return selector.currentIndex() >= 0 && selector.currentIndex() == selector.itemCount() - 1;
}

}  // namespace windows
