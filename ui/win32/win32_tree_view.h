#pragma once
// The tree box: the common tree view with lines, buttons, label editing and an image list of
// 16x16 images. Items are found by their pre-order index through a list of the items' handles in
// pre-order, and indices by their handles through a table, both made again after the tree's shape
// changes (adding at the end of the pre-order, as loading a tree does, only extends them).

#include <windows.h>
#include <commctrl.h>

#include <unordered_map>
#include <vector>

#include "ui/tree_view.h"
#include "ui/win32/win32_control.h"

namespace ui::win32 {

class Win32TreeView : public Win32Control<TreeView> {
 public:
  Win32TreeView(Win32Window& window, Control* parent, const LayoutEntry& entry);

  int itemCount() const override { return static_cast<int>(order().size()); }
  int addItem(int parent, const TreeItem& item) override;
  void removeItem(int index) override;
  void clear() override;
  TreeItem item(int index) const override;
  void setItem(int index, const TreeItem& item) override;
  int parentOf(int index) const override;
  int currentItem() const override;
  void setCurrentItem(int index) override;
  void ensureVisible(int index) override;
  void setImages(const std::vector<const Picture*>& images) override;
  bool editLabel(int index) override;

  // The item's handle (null when there is no such item), and the index of a handle (-1: none).
  HTREEITEM handleOf(int index) const;
  int indexOf(HTREEITEM item) const;

 protected:
  void applyCaption(const base::TextValue&) override {}
  void applyScale() override;
  bool handleNotify(NMHDR& header, LRESULT& result) override;

 private:
  // The selected item in the selection's colours also while the focus is elsewhere.
  LRESULT customDraw(NMTVCUSTOMDRAW& draw) const;
  const std::vector<HTREEITEM>& order() const;
  void write(HTREEITEM handle, const TreeItem& item);

  std::vector<const Picture*> pictures_;  // the program's, kept to be drawn again at another DPI
  OwnedImageList images_;
  mutable std::vector<HTREEITEM> order_;
  mutable std::unordered_map<HTREEITEM, int> positions_;  // the index of each handle in order_
  // Each item's text as the program gave it, read back while the item shows just that (keptText).
  std::unordered_map<HTREEITEM, base::TextValue> texts_;
  mutable bool orderKnown_ = true;
  // Between the start and the end of a label edit (the end is reported once, even when the
  // tree reports it again while its edit box goes).
  bool editingLabel_ = false;
};

}  // namespace ui::win32
