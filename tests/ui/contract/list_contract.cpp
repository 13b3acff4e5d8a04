// Drop-down lists, list boxes and checked list boxes: making an item current clamps and raises
// nothing; the user's pick raises onSelectionChanged.

#include "tests/ui/contract/contract_fixture.h"

namespace ui_contract {
namespace {

using ui::ControlKind;

class ItemListContract : public ContractTest, public ::testing::WithParamInterface<ControlKind> {
 protected:
  ItemListContract()
      : window(openWindow({entry("列表", GetParam(), {10, 10, 200, 120})})), list(control<ui::ItemList>(window, "列表")) {
    list.onSelectionChanged = [this] { picks.push_back(list.currentIndex()); };
  }

  ui::Window& window;
  ui::ItemList& list;
  std::vector<int> picks;  // the current index each selection change saw
};

TEST_P(ItemListContract, MakingAnItemCurrentClampsAndRaisesNothing) {
  list.setItems({"甲", "乙", "丙"});
  list.setCurrentIndex(1);
  EXPECT_EQ(list.currentIndex(), 1);
  list.setCurrentIndex(7);
  EXPECT_EQ(list.currentIndex(), 2);
  list.setCurrentIndex(-1);
  EXPECT_EQ(list.currentIndex(), -1);
  list.setCurrentIndex(0);
  list.setCurrentIndex(-5);
  EXPECT_EQ(list.currentIndex(), -1);
  EXPECT_TRUE(picks.empty());
}

TEST_P(ItemListContract, AnEmptyListHasNoCurrentItem) {
  list.setCurrentIndex(0);
  EXPECT_EQ(list.currentIndex(), -1);
  list.setCurrentIndex(3);
  EXPECT_EQ(list.currentIndex(), -1);
  list.setItems({"甲"});
  list.setCurrentIndex(0);
  list.clearItems();
  EXPECT_EQ(list.itemCount(), 0);
  EXPECT_EQ(list.currentIndex(), -1);
  EXPECT_TRUE(picks.empty());
}

TEST_P(ItemListContract, TheUsersPickRaisesSelectionChangedWithTheItemCurrent) {
  list.setItems({"甲", "乙", "丙"});
  list.setCurrentIndex(0);
  user.pick(list, 2);
  EXPECT_EQ(picks, (std::vector<int>{2}));
  user.pick(list, 1);
  EXPECT_EQ(picks, (std::vector<int>{2, 1}));
}

TEST_P(ItemListContract, ItemsAreInsertedRemovedAndRenamedByIndex) {
  list.setItems({"甲", "丙"});
  list.insertItem(1, "乙");
  list.insertItem(-3, "首");
  list.insertItem(99, "尾");
  EXPECT_EQ(list.items(), (std::vector<base::TextValue>{"首", "甲", "乙", "丙", "尾"}));
  list.removeItem(0);
  list.setItemText(3, "末");
  EXPECT_EQ(list.items(), (std::vector<base::TextValue>{"甲", "乙", "丙", "末"}));
  EXPECT_EQ(list.item(1), "乙");
  EXPECT_EQ(list.item(4), "");
  EXPECT_EQ(list.item(-1), "");
}

TEST_P(ItemListContract, TheCurrentItemStaysWithItsTextWhileOthersComeAndGo) {
  list.setItems({"甲", "乙", "丙"});
  list.setCurrentIndex(1);
  list.insertItem(0, "首");
  EXPECT_EQ(list.currentIndex(), 2);
  list.removeItem(0);
  EXPECT_EQ(list.currentIndex(), 1);
  list.removeItem(1);
  EXPECT_EQ(list.currentIndex(), -1);
  EXPECT_TRUE(picks.empty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, ItemListContract,
                         ::testing::Values(ControlKind::ComboBox, ControlKind::ListBox, ControlKind::CheckedListBox),
                         [](const ::testing::TestParamInfo<ControlKind>& info) {
                           switch (info.param) {
                             case ControlKind::ComboBox: return "ComboBox";
                             case ControlKind::ListBox: return "ListBox";
                             default: return "CheckedListBox";
                           }
                         });

class KindListContract : public ContractTest {
 protected:
  KindListContract()
      : window(openWindow({entry("组合框", ControlKind::ComboBox, {10, 10, 200, 23}),
                           entry("列表框", ControlKind::ListBox, {10, 40, 200, 120}),
                           entry("选择列表框", ControlKind::CheckedListBox, {220, 40, 200, 120})})) {}

  ui::Window& window;
};

TEST_F(KindListContract, TheDropDownListShowsTheCurrentItemsText) {
  auto& combo = control<ui::ComboBox>(window, "组合框");
  combo.setItems({"文本型", "时间型"});
  combo.setCurrentIndex(1);
  EXPECT_EQ(combo.editText(), "时间型");
  combo.onSelectionChanged = [&] { log.push_back(combo.editText()); };
  user.pick(combo, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"文本型"}));
}

TEST_F(KindListContract, AListBoxsCurrentItemIsItsOnlySelectedItemWhenTheProgramSetsIt) {
  auto& box = control<ui::ListBox>(window, "列表框");
  box.onSelectionChanged = logs("changed");
  box.setItems({"a", "b", "c", "d"});
  box.setSelected(0, true);
  box.setSelected(3, true);
  EXPECT_EQ(box.selectedIndices(), (std::vector<int>{0, 3}));
  box.setCurrentIndex(2);
  EXPECT_EQ(box.selectedIndices(), (std::vector<int>{2}));
  box.setCurrentIndex(-1);
  EXPECT_TRUE(box.selectedIndices().empty());
  user.pick(box, 1);
  EXPECT_EQ(box.selectedIndices(), (std::vector<int>{1}));
  EXPECT_EQ(logged("changed"), 1);
}

TEST_F(KindListContract, CheckStatesOfACheckedListChangeSilentlyByProgramAndByTheUsersClick) {
  auto& checks = control<ui::CheckedListBox>(window, "选择列表框");
  checks.setItems({"a", "b", "c"});
  checks.onSelectionChanged = logs("changed");
  checks.setChecked(0, true);
  checks.setChecked(2, true);
  EXPECT_EQ(checks.checkedIndices(), (std::vector<int>{0, 2}));
  EXPECT_TRUE(log.empty());
  user.toggleCheck(checks, 2);
  user.toggleCheck(checks, 1);
  EXPECT_EQ(checks.checkedIndices(), (std::vector<int>{0, 1}));
}

}  // namespace
}  // namespace ui_contract
