// The settings file when its disk fails: a change that cannot be written says so and the settings
// stored before stay readable; a file whose content cannot be read is never written over.

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "platform/file.h"
#include "settings/settings_store.h"
#include "tests/support/fault_injector.h"
#include "tests/support/scratch_dir.h"

namespace settings {
namespace {

using testing_support::FaultInjector;
using testing_support::FileOperation;
using testing_support::operationSet;

constexpr char kStored[] = "[甲]\r\n二=第二个值\r\n一=1\r\n[乙]\r\n三=末尾的值";

class SettingsFailureTest : public testing::Test {
 protected:
  void SetUp() override { putStored(); }
  void putStored() const { ASSERT_EQ(platform::writeWholeFile(path, kStored), platform::kFileOk); }
  std::string fileBytes() const {
    std::string bytes;
    EXPECT_EQ(platform::readWholeFile(path, bytes), platform::kFileOk);
    return bytes;
  }
  // The text of key `key` in `section` as a store opened anew reads it.
  std::string storedText(const base::TextValue& section, const base::TextValue& key) const {
    SettingsStore store;
    store.open(path);
    store.selectSection(section);
    return store.readText(key, "<无>");
  }

  testing_support::ScratchDir dir;
  const base::TextValue path = dir.file("设置.ini");
};

// Every step of a change fails in turn: the change reports false unless the file holds it, and a
// store opened afterwards reads every other key as before and the changed key with its old or its
// new value.
TEST_F(SettingsFailureTest, AChangeThatCannotBeWrittenSaysSoAndKeepsWhatWasStored) {
  struct Change {
    const char* section;
    const char* key;
    const char* value;
  };
  const Change changes[] = {{"甲", "二", "一个更长的新值"}, {"甲", "新键", "x"}, {"乙", "三", "末尾变长了的值"},
                            {"丙", "新", "新节"}};
  for (const Change& change : changes) {
    for (int n = 1;; ++n) {
      SCOPED_TRACE(std::string(change.key) + ", failing operation " + std::to_string(n));
      putStored();
      const std::string old = storedText(change.section, change.key);
      SettingsStore store;
      ASSERT_TRUE(store.open(path));
      store.selectSection(change.section);
      bool written = false;
      bool fired = false;
      {
        FaultInjector faults;
        faults.failAt(n);
        written = store.writeText(change.key, change.value);
        fired = faults.fired();
      }
      EXPECT_EQ(store.readText(change.key), change.value);  // memory has the change either way
      if (!fired) {
        EXPECT_TRUE(written);
        break;
      }
      const std::string changed = storedText(change.section, change.key);
      // A failure once the file holds the change (removing the side record) does not fail it.
      if (written) {
        EXPECT_EQ(changed, change.value);
      } else {
        EXPECT_TRUE(changed == change.value || changed == old) << changed;
      }
      for (const auto& [section, key, value] : {std::tuple{"甲", "二", "第二个值"}, std::tuple{"甲", "一", "1"},
                                                std::tuple{"乙", "三", "末尾的值"}}) {
        if (std::string(section) == change.section && std::string(key) == change.key) continue;
        EXPECT_EQ(storedText(section, key), value) << section << key;
      }
      // The next change writes the file up to date again.
      store.selectSection("甲");
      EXPECT_TRUE(store.writeText("一", "2"));
      EXPECT_EQ(fileBytes(), store.content());
      if (HasFailure() || n > 50) return;
    }
  }
}

// A file that opens but whose length or bytes cannot be read: the store works on memory only and
// says so, and the file keeps every byte.
TEST_F(SettingsFailureTest, AFileWhoseContentCannotBeReadIsNeverWrittenOver) {
  for (int failing : {0, 1, 2}) {
    SCOPED_TRACE(failing);
    SettingsStore store;
    bool opened = false;
    {
      FaultInjector faults;
      if (failing == 0) faults.failAt(1, operationSet(FileOperation::Length), platform::kFileHardwareIo);
      if (failing == 1) faults.failAt(1, operationSet(FileOperation::Read), platform::kFileHardwareIo);
      if (failing == 2) faults.shortenReadAt(1);
      opened = store.open(path);
      ASSERT_TRUE(faults.fired());
    }
    EXPECT_FALSE(opened);
    store.selectSection("甲");
    store.writeText("一", "2");
    store.selectSection("新");
    store.writeText("键", "值");
    EXPECT_EQ(fileBytes(), kStored);
  }
}

}  // namespace
}  // namespace settings
