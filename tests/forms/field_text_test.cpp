#include "forms/field_text.h"

#include <gtest/gtest.h>

#include "forms/form_library.h"

namespace forms {
namespace {

TEST(FieldSpecText, EmptyTextAndEmptyForm) {
  EXPECT_TRUE(parseFieldSpecText("", kLibraryAttributes).empty());
  EXPECT_EQ(formatFieldSpecText({}, kLibraryAttributes), "");
}

TEST(FieldSpecText, MissingAttributesReadAsEmpty) {
  auto fields = parseFieldSpecText("名称", kLibraryAttributes);
  ASSERT_EQ(fields.size(), 1u);
  EXPECT_EQ(fields[0], (FieldDefinition{"名称", 0, 0, 0, false, 0}));
  EXPECT_EQ(fieldKindInfo(fields[0].kind).stored, StoredValue::Text);
}

TEST(FieldSpecText, ExtraAttributesAreDroppedAndWidthsDefaultTo100) {
  auto five = parseFieldSpecText("a|10|20|0|真|240|x", kLibraryAttributes);
  ASSERT_EQ(five.size(), 1u);
  EXPECT_EQ(five[0], (FieldDefinition{"a", 10, 20, 0, true, 0}));

  auto six = parseFieldSpecText("a|10|1|0|假|0||b|10|1|0|假|-5||c|10|1|0|假|x||d|10|1|0|假|240||e",
                                kListCopyAttributes);
  ASSERT_EQ(six.size(), 5u);
  EXPECT_EQ(six[0].columnWidth, 100);
  EXPECT_EQ(six[1].columnWidth, 100);
  EXPECT_EQ(six[2].columnWidth, 100);
  EXPECT_EQ(six[3].columnWidth, 240);
  EXPECT_EQ(six[4].columnWidth, 100);
}

TEST(FieldSpecText, OnlyTheTrueWordSetsTheKey) {
  auto fields = parseFieldSpecText("a|1|1|1|TRUE||b|1|1|1|1||c|1|1|1|假||d|1|1|1|真", kLibraryAttributes);
  ASSERT_EQ(fields.size(), 4u);
  EXPECT_FALSE(fields[0].key);
  EXPECT_FALSE(fields[1].key);
  EXPECT_FALSE(fields[2].key);
  EXPECT_TRUE(fields[3].key);
}

TEST(FieldSpecText, NumbersReadFullWidthDigitsAndStopAtOtherCharacters) {
  auto fields = parseFieldSpecText("a|１０|１２x| -3|真", kLibraryAttributes);
  ASSERT_EQ(fields.size(), 1u);
  EXPECT_EQ(fields[0].kind, 10);
  EXPECT_EQ(fields[0].length, 12);
  EXPECT_EQ(fields[0].link, -3);
}

TEST(FieldSpecText, SeparatorsAtTheEdges) {
  EXPECT_EQ(parseFieldSpecText("a|10|1|0|假||", kLibraryAttributes).size(), 1u);
  auto leading = parseFieldSpecText("||a|10|1|0|假", kLibraryAttributes);
  ASSERT_EQ(leading.size(), 2u);
  EXPECT_EQ(leading[0], (FieldDefinition{}));
  EXPECT_EQ(leading[1].name, "a");
  // A record with an empty name still keeps its bars, so records stay apart.
  std::vector<FieldDefinition> fields{{"", 10, 1, 0, false, 0}, {"b", 3, 4, 0, true, 0}};
  EXPECT_EQ(formatFieldSpecText(fields, kLibraryAttributes), "|10|1|0|假||b|3|4|0|真");
  EXPECT_EQ(parseFieldSpecText(formatFieldSpecText(fields, kLibraryAttributes), kLibraryAttributes), fields);
}

TEST(FieldSpecText, ANameWithABarByteInsideACharacterIsNotSplit) {
  const std::string name = "\x81\x7C\x81\x7C";
  auto fields = parseFieldSpecText(name + "|10|5|0|真||x|10|5|0|假", kLibraryAttributes);
  ASSERT_EQ(fields.size(), 2u);
  EXPECT_EQ(fields[0].name, name);
  EXPECT_EQ(fields[0].length, 5);
}

// Found by fuzzing: a text ending in half a character gave a name that, written back with the
// separators after it, swallowed the first one.
TEST(FieldSpecText, HalfACharacterAtTheEndIsDroppedSoThatTheTextRoundTrips) {
  const auto fields = parseFieldSpecText("a|10|5|0|真||F\x87", kLibraryAttributes);
  ASSERT_EQ(fields.size(), 2u);
  EXPECT_EQ(fields[1].name, "F");
  EXPECT_EQ(parseFieldSpecText(formatFieldSpecText(fields, kLibraryAttributes), kLibraryAttributes), fields);
  EXPECT_TRUE(parseFieldSpecText("\x87", kLibraryAttributes).empty());
}

TEST(FieldSpecText, TheSampleFormRoundTrips) {
  auto fields = parseFieldSpecText(kSampleFieldText, kLibraryAttributes);
  ASSERT_EQ(fields.size(), 12u);
  EXPECT_EQ(fields[0], (FieldDefinition{"平台", 10, 10, 0, true, 0}));
  EXPECT_EQ(fields[8], (FieldDefinition{"账号", 10, 30, 12, false, 0}));
  EXPECT_EQ(fields[10], (FieldDefinition{"PING", 25, 30, 3, false, 0}));
  EXPECT_EQ(fields[11], (FieldDefinition{"备注", 10, 100, 0, false, 0}));
  EXPECT_EQ(formatFieldSpecText(fields, kLibraryAttributes), kSampleFieldText);

  for (auto& field : fields) field.columnWidth = 77;
  auto copy = parseFieldSpecText(formatFieldSpecText(fields, kListCopyAttributes), kListCopyAttributes);
  EXPECT_EQ(copy, fields);
  EXPECT_EQ(formatFieldSpecText(fields, kListCopyAttributes).substr(0, 20), "平台|10|10|0|真|77||");
}

// A form of 10,000 fields whose names hold double-byte characters, some with a bar byte inside
// ("\x81|"), parses into its 10,000 fields and formats back to the same text. Every separator is
// found by one walk over the text: a search that walked from the start again for every field
// would take seconds here.
TEST(FieldSpecText, TenThousandFieldsRoundTrip) {
  constexpr int kFields = 10000;
  std::vector<FieldDefinition> fields;
  fields.reserve(kFields);
  for (int i = 0; i < kFields; ++i) {
    const std::string number = std::to_string(i);
    fields.push_back({"字段\x81|" + number, i % 2 == 0 ? 10 : 12, i % 512 + 1, i % 7, i % 3 == 0, 0});
  }
  const base::TextValue text = formatFieldSpecText(fields, kLibraryAttributes);
  const std::vector<FieldDefinition> parsed = parseFieldSpecText(text, kLibraryAttributes);
  ASSERT_EQ(parsed.size(), fields.size());
  EXPECT_EQ(parsed, fields);
  EXPECT_EQ(formatFieldSpecText(parsed, kLibraryAttributes), text);

  for (auto& field : fields) field.columnWidth = 120;
  EXPECT_EQ(parseFieldSpecText(formatFieldSpecText(fields, kListCopyAttributes), kListCopyAttributes), fields);
}

}  // namespace
}  // namespace forms
