// The tree box: pre-order indices, removal with children, the current item and its selection
// event, label editing with its two refusals, started by the user or by the program.

#include "tests/ui/contract/contract_fixture.h"

namespace ui_contract {
namespace {

using ui::ControlKind;

ui::TreeItem named(const base::TextValue& text, std::int32_t data = 0) {
  ui::TreeItem item;
  item.text = text;
  item.data = data;
  return item;
}

class TreeContract : public ContractTest {
 protected:
  TreeContract()
      : window(openWindow({entry("树型框", ControlKind::TreeView, {0, 0, 300, 400})})), tree(control<ui::TreeView>(window, "树型框")) {
    tree.onSelectionChanged = [this] { selections.push_back(tree.currentItem()); };
  }

  std::vector<base::TextValue> texts() const {
    std::vector<base::TextValue> all;
    for (const ui::TreeItemInfo& info : tree.snapshot()) all.push_back(info.item.text);
    return all;
  }

  // 列表甲 (0) with 字段 (1) holding 值一 (2) and 值二 (3); 列表乙 (4).
  void fill() {
    const int list = tree.addItem(-1, named("列表甲"));
    tree.addItem(-1, named("列表乙"));
    const int field = tree.addItem(list, named("字段", 1));
    tree.addItem(field, named("值一"));
    tree.addItem(field, named("值二"));
  }

  ui::Window& window;
  ui::TreeView& tree;
  std::vector<int> selections;  // the current item each selection change saw
};

TEST_F(TreeContract, ItemsAreNumberedInPreOrderAsChildrenAreAdded) {
  EXPECT_EQ(tree.addItem(-1, named("列表甲")), 0);
  EXPECT_EQ(tree.addItem(-1, named("列表乙")), 1);
  EXPECT_EQ(tree.addItem(0, named("字段")), 1);
  EXPECT_EQ(tree.addItem(1, named("值一")), 2);
  EXPECT_EQ(tree.addItem(1, named("值二")), 3);
  EXPECT_EQ(tree.addItem(0, named("字段二")), 4);
  EXPECT_EQ(texts(), (std::vector<base::TextValue>{"列表甲", "字段", "值一", "值二", "字段二", "列表乙"}));

  const std::vector<ui::TreeItemInfo> snapshot = tree.snapshot();
  std::vector<int> levels;
  std::vector<int> parents;
  for (const ui::TreeItemInfo& info : snapshot) {
    levels.push_back(info.level);
    parents.push_back(info.parent);
  }
  EXPECT_EQ(levels, (std::vector<int>{1, 2, 3, 3, 2, 1}));
  EXPECT_EQ(parents, (std::vector<int>{-1, 0, 1, 1, 0, -1}));
  EXPECT_TRUE(selections.empty());
}

TEST_F(TreeContract, ItemsAddedAtTheEndAndInTheMiddleGetTheirPreOrderIndices) {
  EXPECT_EQ(tree.addItem(-1, named("甲")), 0);
  EXPECT_EQ(tree.addItem(0, named("甲键")), 1);
  EXPECT_EQ(tree.addItem(-1, named("乙")), 2);
  EXPECT_EQ(tree.addItem(2, named("乙键")), 3);
  for (int value = 0; value < 3; ++value) {  // at the end of the tree
    EXPECT_EQ(tree.addItem(3, named("乙值" + std::to_string(value))), 4 + value);
    EXPECT_EQ(tree.item(4 + value).text, "乙值" + std::to_string(value));
  }
  EXPECT_EQ(tree.addItem(1, named("甲值")), 2);  // in the middle
  EXPECT_EQ(tree.addItem(4, named("乙值3")), 8);
  EXPECT_EQ(tree.addItem(-1, named("丙")), 9);
  EXPECT_EQ(texts(), (std::vector<base::TextValue>{"甲", "甲键", "甲值", "乙", "乙键", "乙值0", "乙值1", "乙值2",
                                                    "乙值3", "丙"}));
  EXPECT_EQ(tree.parentOf(8), 4);
}

TEST_F(TreeContract, ItemsKeepTheirProperties) {
  ui::TreeItem item = named("列表", -123456);
  item.image = 2;
  item.selectedImage = 1;
  item.bold = true;
  tree.addItem(-1, item);
  EXPECT_EQ(tree.item(0), item);
  item.text = "改名";
  item.bold = false;
  tree.setItem(0, item);
  EXPECT_EQ(tree.item(0), item);
}

TEST_F(TreeContract, RemovingAnItemRemovesEverythingBelowIt) {
  fill();
  tree.removeItem(1);
  EXPECT_EQ(texts(), (std::vector<base::TextValue>{"列表甲", "列表乙"}));
  EXPECT_EQ(tree.parentOf(1), -1);
  tree.addItem(0, named("新字段"));
  EXPECT_EQ(texts(), (std::vector<base::TextValue>{"列表甲", "新字段", "列表乙"}));
  tree.clear();
  EXPECT_EQ(tree.itemCount(), 0);
}

TEST_F(TreeContract, MakingAnItemCurrentRaisesSelectionChangedWhenItChanges) {
  fill();
  tree.setCurrentItem(2);
  EXPECT_EQ(selections, (std::vector<int>{2}));
  tree.setCurrentItem(2);
  tree.setCurrentItem(-1);
  tree.setCurrentItem(99);  // no such item: none, which it is already
  EXPECT_EQ(selections, (std::vector<int>{2, -1}));
  EXPECT_EQ(tree.currentItem(), -1);
}

TEST_F(TreeContract, TheCurrentItemFollowsItsItemAsOthersComeAndGo) {
  fill();
  tree.setCurrentItem(4);  // 列表乙
  selections.clear();
  tree.addItem(1, named("值三"));
  EXPECT_EQ(tree.currentItem(), 5);
  tree.removeItem(1);
  EXPECT_EQ(tree.currentItem(), 1);
  EXPECT_EQ(tree.item(tree.currentItem()).text, "列表乙");
  EXPECT_TRUE(selections.empty());
}

TEST_F(TreeContract, RemovingTheCurrentItemOrItsParentLeavesNoneCurrent) {
  fill();
  tree.setCurrentItem(3);
  selections.clear();
  tree.removeItem(1);
  EXPECT_EQ(tree.currentItem(), -1);
  EXPECT_EQ(selections, (std::vector<int>{-1}));
}

TEST_F(TreeContract, TheUsersClickMakesTheItemCurrent) {
  fill();
  user.clickTreeItem(tree, 4);
  EXPECT_EQ(selections, (std::vector<int>{4}));
}

TEST_F(TreeContract, LabelEditsCanBeRefusedAtTheStartAndAtTheEnd) {
  fill();
  std::vector<std::string> calls;
  tree.onLabelEditStart = [&](int index) {
    calls.push_back("start " + std::to_string(index));
    return tree.parentOf(index) < 0;  // only top-level items
  };
  tree.onLabelEditEnd = [&](int index, const base::TextValue& text) {
    calls.push_back("end " + std::to_string(index) + " " + text);
    return text != "列表乙";  // a name that is taken
  };

  EXPECT_EQ(user.editTreeLabel(tree, 2, "新值"), LabelEdit::Refused);
  EXPECT_EQ(tree.item(2).text, "值一");
  EXPECT_EQ(user.editTreeLabel(tree, 0, "列表乙"), LabelEdit::Rejected);
  EXPECT_EQ(tree.item(0).text, "列表甲");
  EXPECT_EQ(user.editTreeLabel(tree, 0, "列表丙"), LabelEdit::Accepted);
  EXPECT_EQ(tree.item(0).text, "列表丙");
  EXPECT_EQ(calls, (std::vector<std::string>{"start 2", "start 0", "end 0 列表乙", "start 0", "end 0 列表丙"}));
}

// A rename from the keyboard: the program starts the edit, the tree takes the focus, and the user
// ends it as after a click; the start is asked as for a click.
TEST_F(TreeContract, TheProgramStartsALabelEditThatTheUserEnds) {
  fill();
  std::vector<int> asked;
  tree.onLabelEditStart = [&](int index) {
    asked.push_back(index);
    return index != 0;  // a list that cannot be renamed now
  };
  EXPECT_FALSE(tree.editLabel(0));
  EXPECT_FALSE(tree.editLabel(5));  // no such item: not asked
  EXPECT_EQ(user.endTreeLabelEdit(tree, 0, "新值"), LabelEdit::Refused);  // no edit under way
  EXPECT_EQ(tree.item(0).text, "列表甲");

  EXPECT_TRUE(tree.editLabel(4));
  EXPECT_TRUE(tree.hasFocus());
  EXPECT_EQ(user.endTreeLabelEdit(tree, 4, "列表丙"), LabelEdit::Accepted);
  EXPECT_EQ(tree.item(4).text, "列表丙");
  EXPECT_EQ(user.endTreeLabelEdit(tree, 4, "列表丁"), LabelEdit::Refused);  // that edit is over
  EXPECT_EQ(asked, (std::vector<int>{0, 4}));
}

}  // namespace
}  // namespace ui_contract
