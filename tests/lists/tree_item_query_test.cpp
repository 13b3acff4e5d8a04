// TreeItemQuery on a snapshot of the list tree: text search from a start index, and the items at
// one level under a list or a key field.

#include "support/tree_item_query.h"

#include <gtest/gtest.h>

#include "tests/lists/headless_tree.h"

namespace support {
namespace {

using lists_test::fillListTree;
using lists_test::HeadlessTree;
using lists_test::treeItem;

std::vector<ui::TreeItemInfo> itemsNamed(const std::vector<base::TextValue>& texts) {
  std::vector<ui::TreeItemInfo> items;
  for (const base::TextValue& text : texts) items.push_back({treeItem(text, 0, 0), 1, -1});
  return items;
}

TEST(TreeItemQueryFindTest, FindsTheNextItemHoldingTheTextIgnoringAsciiCase) {
  TreeItemQuery query(itemsNamed({"xAB", "ab", "", "列表Ab"}));
  EXPECT_EQ(query.findItem(-1, "ab"), (FoundItem{0, "xAB"}));
  EXPECT_EQ(query.findItem(0, "ab"), (FoundItem{1, "ab"}));
  EXPECT_EQ(query.findItem(1, "AB"), (FoundItem{3, "列表Ab"}));
  EXPECT_EQ(query.findItem(3, "ab"), FoundItem{});
  EXPECT_EQ(query.findItem(-7, "XAB"), (FoundItem{0, "xAB"}));
  EXPECT_EQ(query.findItem(2147483647, "ab"), FoundItem{});
  EXPECT_EQ(query.findItem(-1, "表"), (FoundItem{3, "列表Ab"}));
  EXPECT_EQ(query.findItem(-1, "无"), FoundItem{});
  // The empty text finds the next item that has a text.
  EXPECT_EQ(query.findItem(1, ""), (FoundItem{3, "列表Ab"}));
  EXPECT_EQ(TreeItemQuery().findItem(-1, ""), FoundItem{});
}

TEST(TreeItemQueryFindTest, DoubleByteCharactersAreNotSplit) {
  // The second bytes of these characters are "a" (0x61) and "\" (0x5C).
  const base::TextValue trailA = "\x81\x61";
  TreeItemQuery query(itemsNamed({trailA, "擻", "a擻"}));
  EXPECT_EQ(query.findItem(-1, "a"), (FoundItem{2, "a擻"}));
  EXPECT_EQ(query.findItem(-1, "A"), (FoundItem{2, "a擻"}));
  EXPECT_EQ(query.findItem(-1, "\\"), FoundItem{});
  EXPECT_EQ(query.findItem(-1, trailA), (FoundItem{0, trailA}));
}

TEST(TreeItemQueryFindTest, DoubleByteCharactersAreComparedExactly) {
  // 侭 (82 42) and 俠 (82 62), 誇 (D5 46) and 說 (D5 66): second bytes that differ as an ASCII
  // letter's case would.
  TreeItemQuery query(itemsNamed({"侭客", "說明", "俠客", "誇大"}));
  EXPECT_EQ(query.findItem(-1, "俠客"), (FoundItem{2, "俠客"}));
  EXPECT_EQ(query.findItem(2, "侭"), FoundItem{});
  EXPECT_EQ(query.findItem(-1, "誇"), (FoundItem{3, "誇大"}));
  EXPECT_EQ(query.findItem(-1, "說"), (FoundItem{1, "說明"}));
}

class TreeItemQueryChildrenTest : public ::testing::Test {
 protected:
  TreeItemQueryChildrenTest() {
    fillListTree(view.tree());
    query.load(view.tree());
  }
  HeadlessTree view;
  TreeItemQuery query;
};

TEST_F(TreeItemQueryChildrenTest, AListGivesItsKeyFieldsWithTheirNumbers) {
  ASSERT_EQ(query.itemCount(), 8);
  const ChildItems keys = query.childrenAt(2, 0);
  EXPECT_EQ(keys.indexes, (std::vector<int>{1, 4}));
  EXPECT_EQ(keys.texts, (std::vector<base::TextValue>{"K1", "K2"}));
  EXPECT_EQ(keys.data, (std::vector<std::int32_t>{1, 3}));
  EXPECT_EQ(query.childrenAt(2, 6).texts, (std::vector<base::TextValue>{"K3"}));
}

TEST_F(TreeItemQueryChildrenTest, AKeyFieldGivesItsValuesWithTheirRecordIds) {
  const ChildItems values = query.childrenAt(3, 1);
  EXPECT_EQ(values.indexes, (std::vector<int>{2, 3}));
  EXPECT_EQ(values.texts, (std::vector<base::TextValue>{"阿里云", ""}));
  EXPECT_EQ(values.data, (std::vector<std::int32_t>{7, -2147483647 - 1}));
  EXPECT_EQ(query.childrenAt(3, 4).texts, (std::vector<base::TextValue>{"华北"}));
  EXPECT_TRUE(query.childrenAt(3, 7).indexes.empty());  // K3 has no values
}

TEST_F(TreeItemQueryChildrenTest, NoParentOrAParentAtAnotherLevelGivesNothing) {
  for (auto [level, parent] : std::vector<std::pair<int, int>>{{3, -1}, {2, -1}, {2, 1}, {3, 0}, {2, 99}, {1, -1}}) {
    const ChildItems none = query.childrenAt(level, parent);
    EXPECT_TRUE(none.indexes.empty() && none.texts.empty() && none.data.empty()) << level << " " << parent;
  }
}

TEST_F(TreeItemQueryChildrenTest, TheSnapshotDoesNotFollowTheTree) {
  view.tree().clear();
  EXPECT_EQ(query.childrenAt(2, 0).indexes.size(), 2u);
  query.load(view.tree());
  EXPECT_EQ(query.itemCount(), 0);
}

}  // namespace
}  // namespace support
