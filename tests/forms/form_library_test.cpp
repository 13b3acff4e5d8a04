#include "forms/form_library.h"

#include <gtest/gtest.h>

#include "forms/field_text.h"
#include "tests/settings/memory_store_file.h"

namespace forms {
namespace {

class FormLibraryTest : public testing::Test {
 protected:
  void start(const std::string& content) {
    auto owned = std::make_unique<settings::MemoryStoreFile>();
    file = owned.get();
    store.attachFile(std::move(owned), content);
  }

  settings::SettingsStore store;
  settings::MemoryStoreFile* file = nullptr;
  FormLibrary library;
};

TEST_F(FormLibraryTest, AnEmptyStoreIsSeededWithTheSampleForm) {
  start("");
  library.load(store);
  EXPECT_TRUE(library.forms().empty());
  EXPECT_TRUE(library.seedIfEmpty(store));
  ASSERT_EQ(library.forms().size(), 1u);
  EXPECT_EQ(library.forms()[0].name, "示例表单");
  EXPECT_EQ(library.forms()[0].fields.size(), 12u);
  EXPECT_EQ(store.content(), std::string("[表单库]\r\n1_字段=") + kSampleFieldText +
                                 "\r\n1_名称=示例表单\r\n数量=1");
  EXPECT_EQ(file->bytes, store.content());
  EXPECT_FALSE(library.seedIfEmpty(store));
}

TEST_F(FormLibraryTest, EveryCountedFormIsLoadedEvenWithoutKeys) {
  start("[表单库]\r\n数量=3\r\n1_名称=甲\r\n1_字段=a|10|5|0|真");
  library.load(store);
  ASSERT_EQ(library.forms().size(), 3u);
  EXPECT_EQ(library.forms()[0].name, "甲");
  EXPECT_EQ(library.forms()[0].fields.size(), 1u);
  EXPECT_EQ(library.forms()[1], FormDefinition{});
  EXPECT_EQ(library.forms()[2], FormDefinition{});
}

TEST_F(FormLibraryTest, CountsAreTruncatedAndBadCountsGiveAnEmptyLibrary) {
  for (const char* count : {"2.9", "0", "-4", "abc", ""}) {
    start(std::string("[表单库]\r\n数量=") + count + "\r\n1_名称=a\r\n2_名称=b\r\n3_名称=c");
    library.load(store);
    EXPECT_EQ(library.forms().size(), std::string(count) == "2.9" ? 2u : 0u) << count;
  }
}

TEST_F(FormLibraryTest, ADamagedHugeCountLoadsTheFormsThatAreThere) {
  start("[表单库]\r\n数量=1e300\r\n1_名称=a\r\n2_字段=b|10|1|0|假\r\n4_名称=d");
  library.load(store);
  ASSERT_EQ(library.forms().size(), 2u);
  EXPECT_EQ(library.forms()[1].fields[0].name, "b");
}

TEST_F(FormLibraryTest, SavingAfterADeleteLeavesOldKeysBehind) {
  start("");
  library.forms() = {{"一", parseFieldSpecText("a|10|1|0|假", 5)},
                     {"二", parseFieldSpecText("b|10|1|0|假", 5)},
                     {"三", parseFieldSpecText("c|10|1|0|假", 5)}};
  library.save(store, 2);
  library.forms().erase(library.forms().begin() + 1);
  library.save(store, 1);

  store.selectSection("表单库");
  EXPECT_EQ(store.readNumber("数量", 0), 2);
  EXPECT_EQ(store.readText("1_名称"), "一");
  EXPECT_EQ(store.readText("2_名称"), "三");
  EXPECT_EQ(store.readText("3_名称"), "三");
  EXPECT_EQ(store.readText("2_字段"), "c|10|1|0|假");
  EXPECT_EQ(readSelectedFormIndex(store), 1);

  FormLibrary reloaded;
  reloaded.load(store);
  ASSERT_EQ(reloaded.forms().size(), 2u);
  EXPECT_EQ(reloaded.forms()[1].name, "三");
}

TEST_F(FormLibraryTest, TheSelectedIndexIsRememberedAsANumber) {
  start("");
  EXPECT_EQ(readSelectedFormIndex(store), -1);
  writeSelectedFormIndex(store, 7);
  EXPECT_EQ(readSelectedFormIndex(store), 7);
  writeSelectedFormIndex(store, -1);
  EXPECT_EQ(readSelectedFormIndex(store), -1);
  start("[表单库]\r\n索引=-9");
  EXPECT_EQ(readSelectedFormIndex(store), -1);
  start("[表单库]\r\n索引=１");
  EXPECT_EQ(readSelectedFormIndex(store), 1);
}

}  // namespace
}  // namespace forms
