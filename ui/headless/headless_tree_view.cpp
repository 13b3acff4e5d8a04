#include "ui/headless/headless_tree_view.h"

#include <utility>

namespace ui::headless {

int HeadlessTreeView::subtreeEnd(int index) const {
  int end = index + 1;
  // Items below `index` follow it; the first item whose parent chain misses it ends the subtree.
  while (end < itemCount()) {
    int ancestor = items_[static_cast<std::size_t>(end)].parent;
    while (ancestor > index) ancestor = items_[static_cast<std::size_t>(ancestor)].parent;
    if (ancestor != index) break;
    ++end;
  }
  return end;
}

bool HeadlessTreeView::endsTree(int index) const {
  // The last item is in the subtree when `index` is on its parent chain (parents come first).
  int ancestor = itemCount() - 1;
  while (ancestor > index) ancestor = items_[static_cast<std::size_t>(ancestor)].parent;
  return ancestor == index;
}

int HeadlessTreeView::addItem(int parent, const TreeItem& item) {
  if (!valid(parent)) parent = -1;
  // Adding at the end of the tree (the usual case: filling a tree in pre-order, or adding to the
  // last list) shifts nothing and costs the depth of the tree.
  if (parent < 0 || endsTree(parent)) {
    items_.push_back(Node{item, parent});
    return itemCount() - 1;
  }
  const int at = subtreeEnd(parent);
  for (Node& node : items_) {
    if (node.parent >= at) ++node.parent;
  }
  items_.insert(items_.begin() + at, Node{item, parent});
  if (current_ >= at) ++current_;
  return at;
}

void HeadlessTreeView::removeItem(int index) {
  if (!valid(index)) return;
  editing_ = -1;  // the tree's shape changes: a label edit under way ends
  const int end = subtreeEnd(index);
  const int removed = end - index;
  items_.erase(items_.begin() + index, items_.begin() + end);
  for (Node& node : items_) {
    if (node.parent >= end) node.parent -= removed;
  }
  if (current_ >= index && current_ < end) {
    current_ = -1;
    raiseSelectionChanged();
  } else if (current_ >= end) {
    current_ -= removed;
  }
}

void HeadlessTreeView::clear() {
  items_.clear();
  editing_ = -1;
  if (current_ < 0) return;
  current_ = -1;
  raiseSelectionChanged();
}

TreeItem HeadlessTreeView::item(int index) const {
  return valid(index) ? items_[static_cast<std::size_t>(index)].item : TreeItem();
}

void HeadlessTreeView::setItem(int index, const TreeItem& item) {
  if (valid(index)) items_[static_cast<std::size_t>(index)].item = item;
}

void HeadlessTreeView::ensureVisible(int index) {
  if (!valid(index)) return;
  for (int above = parentOf(index); above >= 0; above = parentOf(above)) {
    items_[static_cast<std::size_t>(above)].item.expanded = true;
  }
}

int HeadlessTreeView::parentOf(int index) const {
  return valid(index) ? items_[static_cast<std::size_t>(index)].parent : -1;
}

void HeadlessTreeView::setCurrentItem(int index) {
  if (!valid(index)) index = -1;
  if (index == current_) return;
  current_ = index;
  raiseSelectionChanged();
}

void HeadlessTreeView::userClickItem(int index) {
  if (valid(index)) setCurrentItem(index);
}

bool HeadlessTreeView::editLabel(int index) {
  editing_ = -1;
  if (!valid(index)) return false;
  focus();
  if (!allowLabelEdit(index)) return false;
  editing_ = index;
  return true;
}

LabelEditResult HeadlessTreeView::userEditLabel(int index, const base::TextValue& text) {
  if (!editLabel(index)) return LabelEditResult::Refused;
  return userEndLabelEdit(text);
}

LabelEditResult HeadlessTreeView::userEndLabelEdit(const base::TextValue& text) {
  const int index = std::exchange(editing_, -1);
  if (!valid(index)) return LabelEditResult::Refused;
  if (!acceptLabel(index, text)) return LabelEditResult::Rejected;
  if (valid(index)) items_[static_cast<std::size_t>(index)].item.text = text;
  return LabelEditResult::Accepted;
}

}  // namespace ui::headless
