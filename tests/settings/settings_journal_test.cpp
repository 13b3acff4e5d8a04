// The settings file's side record of changes: replayed at the next open after a process stopped
// half-way, whatever state between the changes the file had reached.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/paths.h"
#include "settings/settings_store.h"
#include "settings/store_journal.h"
#include "tests/support/fault_injector.h"
#include "tests/support/scratch_dir.h"

namespace settings {
namespace {

using testing_support::FaultInjector;

// States of a file and the changes between them, each rewriting the tail from its offset; some
// shrink the file below the offset of the change before.
struct History {
  std::vector<std::string> states{"0123456789abcdefghij"};
  std::string journal;
  void change(std::size_t offset, const std::string& tail) {
    journal += encodeJournalChange(offset, tail);
    states.push_back(states.back().substr(0, offset) + tail);
  }
};

TEST(SettingsJournalTest, ReplayingGivesTheLastStateFromAnyStateTheFileReached) {
  History history;
  history.change(15, "XYZ-long-tail");
  history.change(4, "short");   // below the first change, and shorter than its offset
  history.change(9, "++");      // past the end of the state before the last one
  history.change(0, "");
  history.change(0, "新的开头");
  for (std::size_t reached = 0; reached < history.states.size(); ++reached) {
    std::string content = history.states[reached];
    const JournalReplay replay = replayJournal(history.journal, content);
    EXPECT_EQ(content, history.states.back()) << "from state " << reached;
    EXPECT_EQ(replay.changes, 5);
    EXPECT_EQ(replay.firstOffset, 0u);
    EXPECT_EQ(replay.wholeLength, history.journal.size());
  }
}

TEST(SettingsJournalTest, ADamagedChangeEndsTheReplay) {
  History history;
  history.change(3, "abc");
  const std::size_t firstLength = history.journal.size();
  history.change(1, "zz");
  for (std::size_t cut = firstLength; cut < history.journal.size(); ++cut) {
    std::string content = history.states[0];
    const JournalReplay replay = replayJournal(std::string_view(history.journal).substr(0, cut), content);
    EXPECT_EQ(content, history.states[1]) << cut;
    EXPECT_EQ(replay.wholeLength, firstLength);
  }
  std::string flipped = history.journal;
  flipped[firstLength + 25] ^= 1;  // a byte of the second change's tail
  std::string content = history.states[0];
  EXPECT_EQ(replayJournal(flipped, content).changes, 1);
  EXPECT_EQ(content, history.states[1]);
  // An offset no settings file reaches, even with a sound check sum, is damage.
  content = "x";
  EXPECT_EQ(replayJournal(encodeJournalChange(1ull << 62, "a"), content).changes, 0);
  EXPECT_EQ(replayJournal("GBSJ", content).changes, 0);
  EXPECT_EQ(content, "x");
}

class SettingsJournalFileTest : public testing::Test {
 protected:
  std::string bytes(const base::TextValue& file) const {
    std::string content;
    return platform::readWholeFile(file, content) == platform::kFileOk ? content : "<missing>";
  }
  testing_support::ScratchDir dir;
  const base::TextValue path = dir.file("设置.ini");
  const base::TextValue journal = journalPath(path);
};

// Without failures a change leaves only the settings file, whose bytes are the memory copy's.
TEST_F(SettingsJournalFileTest, AChangeThatRunsThroughLeavesNoSideRecord) {
  SettingsStore store;
  ASSERT_TRUE(store.open(path));
  store.selectSection("节");
  ASSERT_TRUE(store.writeText("键", "值"));
  EXPECT_EQ(bytes(path), "[节]\r\n键=值");
  EXPECT_FALSE(platform::pathExists(journal));
}

// The first change cannot reach the settings file (its side record stays); the second stops at
// any operation. The file opened again holds the state before the changes or after one of them.
TEST_F(SettingsJournalFileTest, AChangeAfterOneThatFailedIsReplayedWithIt) {
  const std::string initial = "[甲]\r\n一=1\r\n二=2";
  std::vector<std::string> states{initial};
  {
    SettingsStore memory;
    memory.attachFile(nullptr, initial);
    memory.selectSection("甲");
    memory.writeText("一", "第一次改过的值");
    states.push_back(memory.content());
    memory.writeText("零", "0");
    states.push_back(memory.content());
  }
  for (int failing = 1; failing <= 8; ++failing) {
    for (int stop = 1;; ++stop) {
      SCOPED_TRACE("first change fails at " + std::to_string(failing) + ", second stops at " + std::to_string(stop));
      ASSERT_EQ(platform::writeWholeFile(path, initial), platform::kFileOk);
      (void)platform::deleteFile(journal);
      bool stopped = false;
      {
        SettingsStore store;
        ASSERT_TRUE(store.open(path));
        store.selectSection("甲");
        FaultInjector faults;
        faults.tearFailingWrites(true);
        faults.failAt(failing, testing_support::kChangingOperations);
        (void)store.writeText("一", "第一次改过的值");
        faults.stopAt(stop, testing_support::kChangingOperations);
        (void)store.writeText("零", "0");
        stopped = faults.fired();
      }
      SettingsStore reopened;
      ASSERT_TRUE(reopened.open(path));
      EXPECT_NE(std::find(states.begin(), states.end(), reopened.content()), states.end()) << reopened.content();
      EXPECT_EQ(bytes(path), reopened.content());
      if (!stopped) {
        EXPECT_EQ(reopened.content(), states.back());
        break;
      }
      if (HasFailure() || stop > 40) return;
    }
  }
}

// A store that only reads the file (another instance holds it) sees the side record's changes.
TEST_F(SettingsJournalFileTest, AReaderSeesTheChangesOfALeftSideRecord) {
  ASSERT_EQ(platform::writeWholeFile(path, "[节]\r\n键=旧"), platform::kFileOk);
  ASSERT_EQ(platform::writeWholeFile(journal, encodeJournalChange(9, "新值")), platform::kFileOk);
  SettingsStore reader;
  reader.load(path);
  reader.selectSection("节");
  EXPECT_EQ(reader.readText("键"), "新值");
  EXPECT_EQ(bytes(path), "[节]\r\n键=旧");
  EXPECT_TRUE(platform::pathExists(journal));
}

}  // namespace
}  // namespace settings
