#include "ui/tree_view.h"

namespace ui {

std::vector<TreeItemInfo> TreeView::snapshot() const {
  std::vector<TreeItemInfo> items;
  const int count = itemCount();
  items.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    TreeItemInfo info;
    info.item = item(i);
    info.parent = parentOf(i);
    info.level = info.parent < 0 ? 1 : items[static_cast<std::size_t>(info.parent)].level + 1;
    items.push_back(std::move(info));
  }
  return items;
}

}  // namespace ui
