// Trees built by adding items in any order number them in pre-order, whether an item lands at the
// end of the tree or inside it: the tree box is checked against a plain model of nested children.

#include <gtest/gtest.h>

#include <random>

#include "tests/lists/headless_tree.h"

namespace lists {
namespace {

struct ModelNode {
  std::int32_t id;
  std::vector<ModelNode> children;
};

// The ids in pre-order with each one's level.
void flatten(const std::vector<ModelNode>& nodes, int level, std::vector<std::pair<std::int32_t, int>>& out) {
  for (const ModelNode& node : nodes) {
    out.emplace_back(node.id, level);
    flatten(node.children, level + 1, out);
  }
}

// The node whose id is `id`, or null.
ModelNode* findNode(std::vector<ModelNode>& nodes, std::int32_t id) {
  for (ModelNode& node : nodes) {
    if (node.id == id) return &node;
    if (ModelNode* found = findNode(node.children, id)) return found;
  }
  return nullptr;
}

TEST(TreeBuildingTest, ItemsAddedAnywhereAreNumberedInPreOrder) {
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    lists_test::HeadlessTree view;
    ui::TreeView& tree = view.tree();
    std::vector<ModelNode> model;
    for (std::int32_t id = 0; id < 120; ++id) {
      // Mostly the last item or its parent (the usual filling), sometimes any item or the top.
      const int count = tree.itemCount();
      int parent = -1;
      const unsigned choice = random() % 4;
      if (count > 0 && choice == 0) parent = count - 1;
      if (count > 0 && choice == 1) parent = tree.parentOf(count - 1);
      if (count > 0 && choice == 2) parent = static_cast<int>(random() % static_cast<unsigned>(count));
      const int added = tree.addItem(parent, lists_test::treeItem("", 0, id));
      ASSERT_EQ(tree.item(added).data, id);
      if (parent < 0) {
        model.push_back({id, {}});
      } else {
        findNode(model, tree.item(parent).data)->children.push_back({id, {}});
      }
    }
    std::vector<std::pair<std::int32_t, int>> expected;
    flatten(model, 1, expected);
    const std::vector<ui::TreeItemInfo> shown = tree.snapshot();
    ASSERT_EQ(shown.size(), expected.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
      ASSERT_EQ(shown[i].item.data, expected[i].first) << "round " << round << " item " << i;
      ASSERT_EQ(shown[i].level, expected[i].second) << "round " << round << " item " << i;
    }
  }
}

}  // namespace
}  // namespace lists
