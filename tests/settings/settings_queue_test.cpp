// Changes requested from events while a change is applied, and a file that fails to write.

#include <gtest/gtest.h>

#include "settings/settings_store.h"
#include "tests/settings/memory_store_file.h"
#include "tests/support/recording_messages.h"

namespace settings {
namespace {

class SettingsQueueTest : public testing::Test {
 protected:
  void SetUp() override {
    auto owned = std::make_unique<MemoryStoreFile>();
    file = owned.get();
    store.attachFile(std::move(owned), "");
    store.setMessagePresenter(&messages);
  }

  SettingsStore store;
  MemoryStoreFile* file = nullptr;
  testing_support::RecordingMessages messages;
};

TEST_F(SettingsQueueTest, EventsRunBeforeEverySectionSearchStep) {
  int steps = 0;
  store.setEventPump([&] { return ++steps > 0; });
  store.selectSection("S");
  store.readText("K");
  EXPECT_GE(steps, 1);
  steps = 0;
  store.attachFile(std::make_unique<MemoryStoreFile>(), "x[S]\r\n[S]");
  store.readText("K");
  EXPECT_EQ(steps, 2);  // the first occurrence does not start a line
}

TEST_F(SettingsQueueTest, ChangesFromEventsWaitAndFollowInOrder) {
  store.selectSection("S");
  int nested = 0;
  bool nestedWrite = true;
  RenameResult nestedRename = RenameResult::Renamed;
  std::string seenDuringChange;
  store.setEventPump([&] {
    if (nested++ != 0) return true;
    // Runs inside the first change: a write and a rename are only queued.
    nestedWrite = store.writeText("Q", "queued");
    nestedRename = store.renameKey("S", "A", "Renamed");
    seenDuringChange = store.readText("Q", "not yet");
    return true;
  });
  EXPECT_TRUE(store.writeText("A", "1"));
  EXPECT_FALSE(nestedWrite);
  EXPECT_EQ(nestedRename, RenameResult::Queued);
  EXPECT_EQ(seenDuringChange, "not yet");
  EXPECT_EQ(store.content(), "[S]\r\nQ=queued\r\nRenamed=1");
  EXPECT_EQ(file->bytes, store.content());
}

TEST_F(SettingsQueueTest, AFailedWriteIsRepairedByTheNextChange) {
  store.selectSection("S");
  store.writeText("A", "1");
  file->failing = true;
  // The writes say that the file did not take them; memory holds them.
  EXPECT_FALSE(store.writeText("B", "2"));
  EXPECT_FALSE(store.writeText("A", "changed"));
  EXPECT_EQ(store.readText("B"), "2");
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_NE(file->bytes, store.content());
  file->failing = false;
  // This change touches only the end of the file, yet the file is rewritten from the first
  // place that may differ.
  store.selectSection("T");
  store.writeText("Z", "z");
  EXPECT_EQ(file->bytes, store.content());
  EXPECT_EQ(store.content(), "[S]\r\nB=2\r\nA=changed\r\n[T]\r\nZ=z");
}

TEST_F(SettingsQueueTest, ASectionThatCannotBeMadeIsReported) {
  store.selectSection("S");
  // Events that keep replacing the whole content make every new header vanish before it is found.
  int replaced = 0;
  store.setEventPump([&] {
    store.attachFile(nullptr, "other " + std::to_string(++replaced));
    return true;
  });
  EXPECT_FALSE(store.writeText("K", "v"));
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, "配置模块出现意外，可能导致无法正常保存！详情请咨询砚川。");
  EXPECT_EQ(messages.shown[0].caption, "砚川：");
  EXPECT_EQ(messages.shown[0].icon, ui::MessageIcon::Warning);
  EXPECT_EQ(messages.shown[0].modality, ui::MessageModality::System);
  EXPECT_EQ(messages.shown[1].text, store.content());
}

}  // namespace
}  // namespace settings
