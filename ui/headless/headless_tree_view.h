#pragma once
// The headless tree box: items in one vector in pre-order, each with its parent's index.

#include <vector>

#include "ui/headless/headless_control.h"
#include "ui/tree_view.h"

namespace ui::headless {

enum class LabelEditResult {
  Refused,   // onLabelEditStart said no: no edit began
  Rejected,  // onLabelEditEnd refused the text: the label stays
  Accepted,  // the label shows the new text
};

class HeadlessTreeView : public HeadlessControl<TreeView> {
 public:
  using HeadlessControl::HeadlessControl;

  int itemCount() const override { return static_cast<int>(items_.size()); }
  int addItem(int parent, const TreeItem& item) override;
  void removeItem(int index) override;
  void clear() override;
  TreeItem item(int index) const override;
  void setItem(int index, const TreeItem& item) override;
  int parentOf(int index) const override;
  int currentItem() const override { return current_; }
  void setCurrentItem(int index) override;
  void ensureVisible(int index) override;
  void setImages(const std::vector<const Picture*>& images) override { imageCount_ = static_cast<int>(images.size()); }
  bool editLabel(int index) override;

  int imageCount() const { return imageCount_; }

  // A click on the item: it becomes current (onSelectionChanged when it changes).
  void userClickItem(int index);
  // The user edits the item's label and ends the edit with `text`.
  LabelEditResult userEditLabel(int index, const base::TextValue& text);
  // The item whose label edit is under way (started by editLabel), -1 when none.
  int editingItem() const { return editing_; }
  // The user ends the label edit under way with `text`; Refused when none is under way.
  LabelEditResult userEndLabelEdit(const base::TextValue& text);

 private:
  struct Node {
    TreeItem item;
    int parent = -1;
  };
  bool valid(int index) const { return index >= 0 && index < itemCount(); }
  // One past the last item below `index`.
  int subtreeEnd(int index) const;
  // Whether the subtree of `index` reaches the end of the tree; O(depth).
  bool endsTree(int index) const;

  std::vector<Node> items_;
  int current_ = -1;
  int editing_ = -1;
  int imageCount_ = 0;
};

}  // namespace ui::headless
