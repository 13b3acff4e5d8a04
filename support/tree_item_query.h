#pragma once
// TreeItemQuery: questions about a snapshot of the list tree's items that the tree control does not
// answer itself: the next item whose text holds a search text, and the items at one level under a
// given item. The snapshot is taken once and does not follow later changes of the tree.

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/text_value.h"
#include "ui/tree_view.h"

namespace support {

struct FoundItem {
  int index = -1;  // -1: none
  base::TextValue text;
  bool operator==(const FoundItem&) const = default;
};

// Parallel sequences, in tree order.
struct ChildItems {
  std::vector<int> indexes;
  std::vector<base::TextValue> texts;
  std::vector<std::int32_t> data;
};

class TreeItemQuery {
 public:
  TreeItemQuery() = default;
  explicit TreeItemQuery(std::vector<ui::TreeItemInfo> items) : items_(std::move(items)) {}

  // Takes a new snapshot.
  void load(const ui::TreeView& tree) { items_ = tree.snapshot(); }
  void load(std::vector<ui::TreeItemInfo> items) { items_ = std::move(items); }

  int itemCount() const { return static_cast<int>(items_.size()); }
  const std::vector<ui::TreeItemInfo>& items() const { return items_; }

  // The first item after `start` (-1 or less: from the first item) whose text contains `text`,
  // ASCII letters compared without case, double-byte characters kept whole. An empty `text`
  // finds the next item with a non-empty text.
  FoundItem findItem(int start, std::string_view text) const;

  // The items at `level` in the subtree of `parent`, which must be an item at level - 1; items
  // deeper than `level` are left out. Empty when `parent` is no such item.
  ChildItems childrenAt(int level, int parent) const;

 private:
  std::vector<ui::TreeItemInfo> items_;
};

}  // namespace support
