#include "forms/field_kind.h"

#include <gtest/gtest.h>

#include "forms/form_definition.h"

namespace forms {
namespace {

TEST(FieldKind, SelectorIndexesMapBothWays) {
  const std::int32_t codes[] = {10, 8, 3, 5, 7, 12, 21, 22, 23, 24, 25};
  for (int index = 0; index < kFieldKindCount; ++index) {
    EXPECT_EQ(kindFromSelectorIndex(index), codes[index]);
    EXPECT_EQ(selectorIndexFromKind(codes[index]), index);
    EXPECT_EQ(fieldKindInfo(codes[index]).selectorIndex, index);
  }
  EXPECT_EQ(selectorIndexFromKind(0), 0);
  EXPECT_EQ(selectorIndexFromKind(11), 0);
  EXPECT_EQ(selectorIndexFromKind(-3), 0);
}

TEST(FieldKind, UnknownCodesBehaveAsText) {
  FieldKindInfo unknown = fieldKindInfo(99);
  EXPECT_EQ(unknown.code, 99);
  EXPECT_FALSE(isKnownFieldKind(99));
  EXPECT_EQ(unknown.boxCount, 1);
  EXPECT_EQ(unknown.boxes[0].widthInCharacters, kWidthFromFieldLength);
  EXPECT_EQ(unknown.stored, StoredValue::Text);
  EXPECT_EQ(unknown.shownName, fieldKindInfo(10).shownName);
}

TEST(FieldKind, DatabaseColumnsOfTheSystemsOwnKindsAreFixed) {
  struct Case { std::int32_t kind, length, type, columnLength; };
  const Case cases[] = {
      {10, 44, 10, 44}, {8, 30, 8, 30}, {3, 5, 3, 5}, {5, 7, 5, 7}, {7, 1, 7, 1}, {12, 0, 12, 0},
      {21, 99, 10, 30}, {22, 30, 10, 512}, {23, 30, 10, 80}, {24, 30, 10, 55}, {25, 30, 10, 64},
      {99, 6, 99, 6},  // not a kind: the code and the length as they are
  };
  for (const Case& c : cases) {
    DatabaseColumn column = databaseColumnFor(FieldDefinition{"名", c.kind, c.length, 0, false, 0});
    EXPECT_EQ(column.type, c.type) << c.kind;
    EXPECT_EQ(column.length, c.columnLength) << c.kind;
    EXPECT_EQ(column.name, "名");
  }
}

TEST(FieldKind, EntryBoxesAndHintsFollowTheKind) {
  EXPECT_EQ(fieldKindInfo(25).boxCount, 0);
  EXPECT_TRUE(fieldKindInfo(7).hasCheckBox);
  EXPECT_EQ(fieldKindInfo(7).boxCount, 0);
  const FieldKindInfo ftp = fieldKindInfo(23);
  ASSERT_EQ(ftp.boxCount, 3);
  EXPECT_EQ(ftp.boxes[2].hint, "服务器地址");
  EXPECT_EQ(ftp.boxes[2].widthInCharacters, 50);
  EXPECT_EQ(fieldKindInfo(24).boxes[1].input, InputMode::Integer);
  EXPECT_EQ(fieldKindInfo(12).boxes[0].input, InputMode::MultiLine);
  EXPECT_EQ(fieldKindInfo(10).boxes[0].hint, "");
  EXPECT_EQ(fieldKindInfo(5).sortKind, SortKind::Integer);
  EXPECT_EQ(fieldKindInfo(21).sortKind, SortKind::Seconds);
  EXPECT_EQ(fieldKindInfo(22).sortKind, SortKind::Bytes);
  EXPECT_EQ(fieldKindInfo(23).display, DisplayRule::ServerAndUser);
}

}  // namespace
}  // namespace forms
