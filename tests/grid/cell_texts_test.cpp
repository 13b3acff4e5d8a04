// A row's cell texts in one block: built from texts or gathered one by one, changed in place
// (also from one of its own texts), copied, and what the block holds beside the texts.

#include "grid/cell_texts.h"

#include <gtest/gtest.h>

namespace grid {
namespace {

using Texts = std::vector<base::TextValue>;

TEST(CellTextsTest, ChangesKeepEveryOtherText) {
  CellTexts cells(Texts{"平台", "", "a much longer text than fits in a string's own space"});
  ASSERT_EQ(cells.size(), 3u);
  EXPECT_EQ(cells[0], "平台");
  EXPECT_EQ(cells[1], "");
  cells.set(1, "中间");
  cells.insert(0, "前");
  cells.erase(3);
  EXPECT_EQ(cells.texts(), (Texts{"前", "平台", "中间"}));
  cells.set(0, cells[2]);  // a text of its own block
  cells.insert(3, cells[1]);
  EXPECT_EQ(cells.texts(), (Texts{"中间", "平台", "中间", "平台"}));
  cells.resize(6);
  EXPECT_EQ(cells.texts(), (Texts{"中间", "平台", "中间", "平台", "", ""}));
  cells.resize(1);
  EXPECT_EQ(cells.texts(), (Texts{"中间"}));
  // Out of range changes nothing.
  cells.set(5, "x");
  cells.erase(5);
  cells.insert(9, "x");
  EXPECT_EQ(cells.texts(), (Texts{"中间"}));
  cells.resize(0);
  EXPECT_TRUE(cells.empty());
  EXPECT_EQ(cells.blockBytes(), 0u);
  EXPECT_EQ(cells.blockAddress(), nullptr);
}

TEST(CellTextsTest, ABuilderMakesTheSameBlockAsTheTextsAndKeepsItsBuffers) {
  CellTextsBuilder builder;
  for (int row = 0; row < 3; ++row) {
    builder.clear();
    std::string scratch = "第" + std::to_string(row) + "行";
    builder.add(scratch);
    scratch = "changed after it was added";
    builder.add("");
    builder.add("尾");
    ASSERT_EQ(builder.size(), 3u);
    EXPECT_EQ(builder[0], "第" + std::to_string(row) + "行");
    const CellTexts built(builder);
    EXPECT_EQ(built, CellTexts(Texts{"第" + std::to_string(row) + "行", "", "尾"}));
    EXPECT_EQ(built.textBytes(), built[0].size() + 2);
    EXPECT_EQ(built.blockBytes(), 4 * sizeof(std::uint32_t) + built.textBytes());
  }
  EXPECT_TRUE(CellTexts(CellTextsBuilder{}).empty());
}

TEST(CellTextsTest, CopiesAreDeepAndCompareByText) {
  CellTexts original{"一", "二"};
  CellTexts copy = original;
  copy.set(0, "改");
  EXPECT_EQ(original.texts(), (Texts{"一", "二"}));
  EXPECT_NE(copy, original);
  copy = original;
  EXPECT_EQ(copy, original);
  EXPECT_NE(copy.blockAddress(), original.blockAddress());
  EXPECT_NE(CellTexts({"一"}), original);
  EXPECT_EQ(CellTexts(), CellTexts(Texts{}));
}

}  // namespace
}  // namespace grid
