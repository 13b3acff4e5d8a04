#pragma once
// The tree box. Items are numbered in pre-order from 0 (-1: none); an item is added at the end of
// its parent's children. Making an item current raises onSelectionChanged, as a click does. The
// current item looks selected also while the focus is elsewhere.
// Removing items keeps the current item current (its index may shift); removing the current item,
// or an item above it, or clearing the tree leaves none current and raises onSelectionChanged once.

#include <cstdint>
#include <vector>

#include "ui/control.h"

namespace ui {

class Picture;

struct TreeItem {
  base::TextValue text;
  int image = 0;          // index into the tree's images
  int selectedImage = 0;
  std::int32_t data = 0;  // a number the program keeps with the item
  bool bold = false;
  bool expanded = false;
  bool operator==(const TreeItem&) const = default;
};

// An item with its place in the tree, as a snapshot lists them.
struct TreeItemInfo {
  TreeItem item;
  int level = 0;    // 1 for top-level items
  int parent = -1;  // index of the parent item
  bool operator==(const TreeItemInfo&) const = default;
};

class TreeView : public Control {
 public:
  virtual int itemCount() const = 0;
  // Adds `item` as the last child of `parent` (-1: a top-level item); the new item's index.
  virtual int addItem(int parent, const TreeItem& item) = 0;
  // Removes the item and everything below it.
  virtual void removeItem(int index) = 0;
  virtual void clear() = 0;
  virtual TreeItem item(int index) const = 0;
  virtual void setItem(int index, const TreeItem& item) = 0;
  virtual int parentOf(int index) const = 0;
  // Every item in pre-order.
  std::vector<TreeItemInfo> snapshot() const;

  virtual int currentItem() const = 0;
  // Makes the item current (-1, or an index that is no item: none), raising onSelectionChanged when
  // it changes.
  virtual void setCurrentItem(int index) = 0;
  // Scrolls the item into view, expanding the items above it.
  virtual void ensureVisible(int index) = 0;
  // The three images of items (list, key field, value).
  virtual void setImages(const std::vector<const Picture*>& images) = 0;

  // Starts the user's edit of the item's label, as a click on the current item does (a rename
  // from the keyboard): the tree takes the focus, onLabelEditStart may refuse, and the user ends the
  // edit as usual. False when no edit began (no such item, or refused).
  virtual bool editLabel(int index) = 0;

  std::function<void()> onSelectionChanged;
  // Label editing: the start may be refused; the end gets the new text and may refuse it.
  std::function<bool(int index)> onLabelEditStart;
  std::function<bool(int index, const base::TextValue& text)> onLabelEditEnd;

 protected:
  using Control::Control;
  void raiseSelectionChanged() { fire(onSelectionChanged); }
  bool allowLabelEdit(int index) const { return !onLabelEditStart || onLabelEditStart(index); }
  bool acceptLabel(int index, const base::TextValue& text) const { return !onLabelEditEnd || onLabelEditEnd(index, text); }
};

}  // namespace ui
