#include "support/tree_item_query.h"

namespace support {

FoundItem TreeItemQuery::findItem(int start, std::string_view text) const {
  if (start >= itemCount()) return {};
  const int first = start < 0 ? 0 : start + 1;
  for (int index = first; index < itemCount(); ++index) {
    const base::TextValue& itemText = items_[static_cast<std::size_t>(index)].item.text;
    const bool hit = text.empty() ? !itemText.empty() : base::findTextIgnoreCase(itemText, text) != base::kNotFound;
    if (hit) return {index, itemText};
  }
  return {};
}

ChildItems TreeItemQuery::childrenAt(int level, int parent) const {
  ChildItems children;
  bool inside = false;
  for (int index = 0; index < itemCount(); ++index) {
    const ui::TreeItemInfo& info = items_[static_cast<std::size_t>(index)];
    if (info.level == level - 1) {
      if (index == parent) {
        inside = true;
      } else if (inside) {
        break;  // the next item at the parent's level ends the parent's subtree
      }
    } else if (info.level == level && inside) {
      children.indexes.push_back(index);
      children.texts.push_back(info.item.text);
      children.data.push_back(info.item.data);
    }
  }
  return children;
}

}  // namespace support
