#pragma once
// A headless tree box for the tests of this folder, and the list tree that most tests use:
// list A with key fields K1 and K2 and their values, and list B.

#include <memory>
#include <vector>

#include "ui/headless/headless_toolkit.h"
#include "ui/tree_view.h"
#include "ui/window.h"

namespace lists_test {

class HeadlessTree {
 public:
  HeadlessTree() {
    ui::WindowLayout layout;
    layout.name = "主窗口";
    layout.bounds = {0, 0, 400, 300};
    layout.controls = {{"树型框", ui::ControlKind::TreeView, "", {0, 0, 200, 300}, "", true, true}};
    window_ = toolkit_.createWindow(layout, nullptr);
    tree_ = &window_->get<ui::TreeView>("树型框");
  }
  ui::TreeView& tree() { return *tree_; }

 private:
  ui::headless::HeadlessToolkit toolkit_;
  std::unique_ptr<ui::Window> window_;
  ui::TreeView* tree_ = nullptr;
};

inline ui::TreeItem treeItem(const base::TextValue& text, int image, std::int32_t data, bool bold = false,
                             bool expanded = false) {
  ui::TreeItem item;
  item.text = text;
  item.image = image;
  item.selectedImage = image;
  item.data = data;
  item.bold = bold;
  item.expanded = expanded;
  return item;
}

// A (0): K1 (1): 阿里云 (2), "" (3); K2 (4): 华北 (5); B (6): K3 (7). Some bold, some expanded.
inline void fillListTree(ui::TreeView& tree) {
  const int a = tree.addItem(-1, treeItem("A", 0, 0, true, true));
  const int k1 = tree.addItem(a, treeItem("K1", 1, 1, false, true));
  tree.addItem(k1, treeItem("阿里云", 2, 7));
  tree.addItem(k1, treeItem("", 2, -2147483647 - 1));
  const int k2 = tree.addItem(a, treeItem("K2", 1, 3));
  tree.addItem(k2, treeItem("华北", 2, 2147483647, true));
  const int b = tree.addItem(-1, treeItem("B", 0, 0));
  tree.addItem(b, treeItem("K3", 1, 2, false, true));
}

}  // namespace lists_test
