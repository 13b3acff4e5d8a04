// The settings text: where sections and keys are found and how values are stored.

#include <gtest/gtest.h>

#include "settings/settings_store.h"
#include "tests/settings/memory_store_file.h"

namespace settings {
namespace {

class SettingsStoreTest : public testing::Test {
 protected:
  // Starts the store on `content`, mirrored into an in-memory file.
  void start(const std::string& content = {}) {
    auto owned = std::make_unique<MemoryStoreFile>();
    file = owned.get();
    file->bytes = content;
    store.attachFile(std::move(owned), content);
  }

  SettingsStore store;
  MemoryStoreFile* file = nullptr;
};

TEST_F(SettingsStoreTest, NewKeysGoRightAfterTheHeaderAndNewSectionsAtTheEnd) {
  start();
  store.selectSection("S");
  EXPECT_TRUE(store.writeText("A", "1"));
  EXPECT_TRUE(store.writeText("B", "2"));
  EXPECT_EQ(store.content(), "[S]\r\nB=2\r\nA=1");
  store.selectSection("表单库");
  store.writeNumber("数量", 1);
  store.writeText("1_名称", "示例表单");
  EXPECT_EQ(store.content(), "[S]\r\nB=2\r\nA=1\r\n[表单库]\r\n1_名称=示例表单\r\n数量=1");
  EXPECT_EQ(file->bytes, store.content());
}

TEST_F(SettingsStoreTest, RewritingAKeyChangesOnlyItsValueInPlace) {
  start("[S]\r\nB=2\r\nA=1\r\n[T]\r\nC=3");
  store.selectSection("S");
  EXPECT_TRUE(store.writeText("B", "a longer value"));
  EXPECT_EQ(store.content(), "[S]\r\nB=a longer value\r\nA=1\r\n[T]\r\nC=3");
  EXPECT_TRUE(store.writeText("B", ""));
  EXPECT_EQ(store.content(), "[S]\r\nB=\r\nA=1\r\n[T]\r\nC=3");
  store.selectSection("T");
  EXPECT_TRUE(store.writeText("C", "last"));
  EXPECT_EQ(store.content(), "[S]\r\nB=\r\nA=1\r\n[T]\r\nC=last");
  EXPECT_EQ(file->bytes, store.content());
}

TEST_F(SettingsStoreTest, ReadsGiveTheDefaultForMissingOrEmptyValues) {
  start("[S]\r\nE=\r\nK=v");
  store.selectSection("S");
  EXPECT_EQ(store.readText("K", "d"), "v");
  EXPECT_EQ(store.readText("E", "d"), "d");
  EXPECT_EQ(store.readText("missing", "d"), "d");
  store.selectSection("Missing");
  EXPECT_EQ(store.readText("K", "d"), "d");
  EXPECT_EQ(store.readText("K"), "");
}

TEST_F(SettingsStoreTest, LineBreaksAreStoredEscaped) {
  start();
  store.selectSection("S");
  store.writeText("K", "x\r\ny");
  EXPECT_EQ(store.content(), "[S]\r\nK=x\xA9\xAE*\xA9\xAEy");
  EXPECT_EQ(store.readText("K"), "x\r\ny");
  EXPECT_EQ(store.readText("missing", "a\r\nb"), "a\r\nb");
  // A value with a lone CR or LF keeps them and does not break its line.
  store.writeText("L", "p\rq\n");
  EXPECT_EQ(store.readText("L"), "p\rq\n");
  EXPECT_EQ(store.readText("K"), "x\r\ny");
}

TEST_F(SettingsStoreTest, AHeaderCountsOnlyAtTheStartOfALine) {
  start("a[S]\r\nK=wrong\r\n[S]\r\nK=right");
  store.selectSection("S");
  EXPECT_EQ(store.readText("K"), "right");
  // A section name inside a value is not a header either.
  start("[A]\r\nV=[T]\r\n[T]\r\nK=t");
  store.selectSection("T");
  EXPECT_EQ(store.readText("K"), "t");
}

TEST_F(SettingsStoreTest, AKeyOfALaterSectionIsNotSeenInAnEarlierOne) {
  start("[S]\r\nA=1\r\n[T]\r\nB=2");
  store.selectSection("S");
  EXPECT_EQ(store.readText("B", "none"), "none");
  store.writeText("B", "s");
  EXPECT_EQ(store.content(), "[S]\r\nB=s\r\nA=1\r\n[T]\r\nB=2");
  store.selectSection("T");
  EXPECT_EQ(store.readText("B"), "2");
}

// A key line that reads like a header ("[x=y]") is the key's own line: no header lies between the
// section's header and it, so it is found and rewritten in place. The keys after it then stand
// behind that header-like line and belong to the section no more.
TEST_F(SettingsStoreTest, AKeyLineThatLooksLikeAHeaderIsFoundInItsSection) {
  start("[S]\r\nK=v");
  store.selectSection("S");
  ASSERT_TRUE(store.writeText("[x", "y]"));
  EXPECT_EQ(store.readText("[x"), "y]");
  ASSERT_TRUE(store.writeText("[x", "z]"));
  EXPECT_EQ(store.content(), "[S]\r\n[x=z]\r\nK=v");
  EXPECT_EQ(store.readText("K", "none"), "none");
}

TEST_F(SettingsStoreTest, OnlyTheFirstSectionOfANameIsUsed) {
  start("[S]\r\nA=1\r\n[S]\r\nB=2");
  store.selectSection("S");
  EXPECT_EQ(store.readText("B", "none"), "none");
  EXPECT_EQ(store.readText("A"), "1");
}

TEST_F(SettingsStoreTest, DoubleByteCharactersWithBracketOrBarBytesStayIntact) {
  // Second bytes "]" (0x5D), "[" (0x5B) and "|" (0x7C) inside names and values.
  const std::string section = "\x81\x5D\x81\x5B";
  const std::string value = "\x81\x7C|\x81\x5B]";
  start();
  store.selectSection(section);
  store.writeText("K", value);
  store.selectSection("Next");
  store.writeText("K", "n");
  store.selectSection(section);
  EXPECT_EQ(store.readText("K"), value);
  store.selectSection("Next");
  EXPECT_EQ(store.readText("K"), "n");
}

TEST_F(SettingsStoreTest, NumbersAndLogicalValues) {
  start("[S]\r\nW=１２\r\nX=abc\r\nY=1\r\nZ=true\r\nT=真\r\nE=1.5e3kg");
  store.selectSection("S");
  EXPECT_EQ(store.readNumber("W", 0), 12);
  EXPECT_EQ(store.readNumber("X", 5), 0);
  EXPECT_EQ(store.readNumber("E", 0), 1500);
  EXPECT_EQ(store.readNumber("missing", 2.5), 2.5);
  EXPECT_FALSE(store.readLogical("Y", true));
  EXPECT_FALSE(store.readLogical("Z", true));
  EXPECT_TRUE(store.readLogical("T", false));
  EXPECT_TRUE(store.readLogical("missing", true));
  store.writeNumber("N1", 1.0);
  store.writeNumber("N2", 0.1);
  store.writeNumber("N3", -1);
  store.writeLogical("L", false);
  EXPECT_EQ(store.readText("N1"), "1");
  EXPECT_EQ(store.readText("N2"), "0.1");
  EXPECT_EQ(store.readText("N3"), "-1");
  EXPECT_EQ(store.readText("L"), "假");
}

TEST_F(SettingsStoreTest, RenameChangesTheFirstMatchingKeyOnly) {
  start("[S]\r\nA=1\r\nA=2\r\n[T]\r\nB=3");
  EXPECT_EQ(store.renameKey("S", "A", "Longer"), RenameResult::Renamed);
  EXPECT_EQ(store.content(), "[S]\r\nLonger=1\r\nA=2\r\n[T]\r\nB=3");
  EXPECT_EQ(store.renameKey("S", "B", "X"), RenameResult::NoKey);
  EXPECT_EQ(store.renameKey("U", "B", "X"), RenameResult::NoSection);
  // An existing key of the new name is not looked for.
  EXPECT_EQ(store.renameKey("S", "A", "Longer"), RenameResult::Renamed);
  EXPECT_EQ(store.content(), "[S]\r\nLonger=1\r\nLonger=2\r\n[T]\r\nB=3");
  EXPECT_EQ(file->bytes, store.content());
}

}  // namespace
}  // namespace settings
