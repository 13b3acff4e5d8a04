// What a crash in the middle of a write leaves on disk. A child process runs one write and ends
// itself at its Nth file operation that changes a file (a write reached there leaves half its
// bytes), for N = 1, 2, … until the write runs through; after every stop the files are opened
// again as the program opens them and must hold everything stored before the write, pass the
// database check, and hold the old or the new tree file and settings, never a half of either.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "lists/tree_file.h"
#include "platform/file.h"
#include "platform/paths.h"
#include "platform/text_codec.h"
#include "recorddb/record_database.h"
#include "settings/settings_store.h"
#include "tests/recorddb/aux_chains.h"
#include "tests/recorddb/stored_records.h"
#include "tests/support/child_process.h"
#include "tests/support/fault_injector.h"
#include "tests/support/run_cli.h"
#include "tests/support/scratch_dir.h"

namespace {

using testing_support::FaultInjector;

constexpr char kDatabase[] = "单";
constexpr char kTreeFile[] = "树型框数据.AI";
constexpr char kSettingsFile[] = "设置.ini";
constexpr int kStartedRecords = 6;

std::string memoOf(std::size_t size, char salt) {
  std::string text(size, salt);
  for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>(salt + i % 11);
  return text;
}

std::string fileBytes(const base::TextValue& path) {
  std::string bytes;
  return platform::readWholeFile(path, bytes) == platform::kFileOk ? bytes : "<missing>";
}

// ---- The writes, as the child runs them ----

// One write of the program, on the files in `folder`; true when it reported success.
using WriteFunction = std::function<bool(const base::TextValue& folder)>;

// How the stop leaves the write it meets. A process that stops leaves every system call it made
// whole; a write cut in half is what a machine losing power may leave, which the settings file and
// the tree file, written whole or through a side record, are made to survive as well.
enum class Stop { BeforeAWrite, InAWrite };

struct Write {
  WriteFunction run;
  Stop stop;
};

bool openDatabaseIn(const base::TextValue& folder) {
  return recorddb::openDatabase(platform::joinPath(folder, kDatabase), "", false, recorddb::kShareDenyWrite);
}

bool appendWithMemo(const base::TextValue& folder) {
  if (!openDatabaseIn(folder) || !recorddb::appendRecord()) return false;
  recorddb::RecordWriteScope change;
  bool written = recorddb::writeField(1, recorddb::FieldValue::text("新记录")) &&
                 recorddb::writeField(2, recorddb::FieldValue::integer(77)) &&
                 recorddb::writeField(3, recorddb::FieldValue::text(memoOf(1300, 'n')));
  written = change.commit() && written;
  recorddb::closeAllDatabases();
  return written;
}

bool rewriteMemo(const base::TextValue& folder) {
  if (!openDatabaseIn(folder) || !recorddb::gotoRecord(3)) return false;
  const bool written = recorddb::writeField(3, recorddb::FieldValue::text(memoOf(1700, 'm')));
  recorddb::closeAllDatabases();
  return written;
}

bool pack(const base::TextValue& folder) {
  if (!recorddb::openDatabase(platform::joinPath(folder, kDatabase), "", false, recorddb::kShareExclusive)) {
    return false;
  }
  const bool packed = recorddb::packDatabase();
  recorddb::closeAllDatabases();
  return packed;
}

std::vector<ui::TreeItemInfo> treeItems(int count, const char* prefix) {
  std::vector<ui::TreeItemInfo> items;
  for (int i = 0; i < count; ++i) {
    ui::TreeItemInfo item;
    item.item.text = prefix + std::to_string(i);
    item.item.data = i;
    item.level = i % 3 == 0 ? 1 : 2;
    items.push_back(item);
  }
  return items;
}

bool saveTree(const base::TextValue& folder) {
  return lists::saveTreeItems(treeItems(40, "新项"), platform::joinPath(folder, kTreeFile)) == platform::kFileOk;
}

// Settings changes, each a state of its own: a longer value in the middle, a new key, a new
// section at the end, a renamed key.
constexpr int kSettingsChanges = 4;

bool changeSettings(settings::SettingsStore& store, int change) {
  switch (change) {
    case 0:
      store.selectSection("甲");
      return store.writeText("二", "一个比原来长得多的新值，从中间改起");
    case 1:
      store.selectSection("甲");
      return store.writeText("新键", "新值");
    case 2:
      store.selectSection("新节");
      return store.writeNumber("数", 12.5);
    default:
      return store.renameKey("乙", "三", "第三个键") == settings::RenameResult::Renamed;
  }
}

bool writeSettings(const base::TextValue& folder) {
  settings::SettingsStore store;
  if (!store.open(platform::joinPath(folder, kSettingsFile))) return false;
  bool written = true;
  for (int change = 0; change < kSettingsChanges; ++change) written = changeSettings(store, change) && written;
  return written;
}

const std::map<std::string, Write>& writes() {
  static const std::map<std::string, Write> all{{"append", {appendWithMemo, Stop::BeforeAWrite}},
                                                {"memo", {rewriteMemo, Stop::BeforeAWrite}},
                                                {"pack", {pack, Stop::BeforeAWrite}},
                                                {"tree", {saveTree, Stop::InAWrite}},
                                                {"settings", {writeSettings, Stop::InAWrite}}};
  return all;
}

// args: the write's name, the folder (UTF-8), N. Exits 0 when the write ran through without
// reaching its Nth changing operation, 1 when it reported a failure, or kProcessStoppedExitCode.
int crashingWriteRole(const std::vector<std::string>& args) {
  if (args.size() != 3 || writes().count(args[0]) == 0) return 2;
  const base::TextValue folder = platform::pathTextFromUtf8(args[1]);
  const Write& write = writes().at(args[0]);
  FaultInjector faults;
  faults.tearFailingWrites(write.stop == Stop::InAWrite);
  faults.exitAt(std::stoi(args[2]), testing_support::kChangingOperations);
  return write.run(folder) ? 0 : 1;
}

const bool registered = testing_support::registerChildRole("crash-write", crashingWriteRole);

// ---- The parent's side ----

class CrashConsistencyTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(registered);
    recorddb::closeAllDatabases();
  }
  void TearDown() override { recorddb::closeAllDatabases(); }

  base::TextValue file(const base::TextValue& name) const { return dir.file(name); }
  base::TextValue database() const { return file(kDatabase); }

  // A database of a few records with memos of one to three blocks, one of them shrunk so that the
  // free list holds blocks in the middle of the auxiliary file; records 2 and 5 delete-marked when
  // `withDeleted`.
  void makeDatabase(bool withDeleted) {
    using recorddb::FieldValue;
    ASSERT_TRUE(recorddb::createDatabase(
        database(), {{"名称", recorddb::kTypeText, 20}, {"数量", recorddb::kTypeInteger, 0}, {"备注", recorddb::kTypeMemo, 0}}));
    ASSERT_TRUE(openDatabaseIn(dir.path()));
    const std::size_t memoSizes[] = {0, 40, 1200, 600, 10, 1100};
    for (int i = 1; i <= kStartedRecords; ++i) {
      ASSERT_TRUE(recorddb::appendRecord());
      ASSERT_TRUE(recorddb::writeField(1, FieldValue::text("记录" + std::to_string(i))));
      ASSERT_TRUE(recorddb::writeField(2, FieldValue::integer(i)));
      ASSERT_TRUE(recorddb::writeField(3, FieldValue::text(memoOf(memoSizes[i - 1], static_cast<char>('a' + i)))));
    }
    ASSERT_TRUE(recorddb::gotoRecord(6));
    ASSERT_TRUE(recorddb::writeField(3, FieldValue::text(memoOf(100, 'f'))));
    if (withDeleted) {
      for (int number : {2, 5}) {
        ASSERT_TRUE(recorddb::gotoRecord(number));
        ASSERT_TRUE(recorddb::deleteRecord());
      }
    }
    recorddb::closeAllDatabases();
  }

  // The records as the program reads them after opening (with its repairs), one line each, and
  // what the database check and the chain walk find wrong ("" when nothing).
  struct StoredDatabase {
    std::vector<std::string> records;
    std::string problems;
  };
  StoredDatabase storedDatabase() const {
    StoredDatabase stored;
    if (!openDatabaseIn(dir.path())) {
      stored.problems = "open failed: " + std::to_string(recorddb::lastError());
      return stored;
    }
    const std::string text = recorddb::describeRecords();
    const std::optional<recorddb::DatabaseLayout> layout = recorddb::currentDatabaseLayout();
    recorddb::closeAllDatabases();
    for (std::size_t start = 0; start < text.size();) {
      const std::size_t end = text.find('\n', start);
      stored.records.push_back(text.substr(start, end - start));
      start = end == std::string::npos ? text.size() : end + 1;
    }
    const testing_support::CliResult check = testing_support::runCli({"db", "check", platform::gbkToUtf8(database())});
    if (check.status != 0) stored.problems += "check: " + check.out;
    if (layout) {
      stored.problems += recorddb::auxProblem(fileBytes(database() + ".EDB"), fileBytes(database() + ".EDT"), *layout,
                                              recorddb::LostBlocks::Allowed);
    }
    return stored;
  }

  // The folder's files, to put back before every run.
  std::map<base::TextValue, std::string> saveFolder(const std::vector<base::TextValue>& names) const {
    std::map<base::TextValue, std::string> saved;
    for (const base::TextValue& name : names) saved[name] = fileBytes(file(name));
    return saved;
  }
  void restoreFolder(const std::map<base::TextValue, std::string>& saved) const {
    for (const auto& [name, bytes] : saved) ASSERT_EQ(platform::writeWholeFile(file(name), bytes), platform::kFileOk);
    for (const char* leftover : {"设置.ini.journal", "树型框数据.AI.tmp", "单.EDB.PACKING"}) {
      (void)platform::deleteFile(file(leftover));
    }
  }

  // Runs `write` in a child stopped at every changing operation in turn; `verify` looks at what
  // each stop left. Returns how many crash points were tried.
  int crashAtEveryStep(const std::string& write, const std::vector<base::TextValue>& files,
                       const std::function<void(int n)>& verify) {
    const auto saved = saveFolder(files);
    for (int n = 1;; ++n) {
      SCOPED_TRACE(write + ", stopped at changing operation " + std::to_string(n));
      restoreFolder(saved);
      const int exitCode = testing_support::runChild("crash-write", {write, platform::gbkToUtf8(dir.path()), std::to_string(n)});
      if (exitCode == 0) return n - 1;
      EXPECT_EQ(exitCode, FaultInjector::kProcessStoppedExitCode);
      verify(n);
      if (testing::Test::HasFailure() || n > 400) return n;
    }
  }

  testing_support::ScratchDir dir;
};

std::vector<std::string> withoutLine(std::vector<std::string> lines, std::size_t index) {
  if (index < lines.size()) lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index));
  return lines;
}

TEST_F(CrashConsistencyTest, AnAppendStoppedAnywhereKeepsEveryRecordBefore) {
  makeDatabase(false);
  const StoredDatabase before = storedDatabase();
  ASSERT_EQ(before.problems, "");
  const int points = crashAtEveryStep("append", {"单.EDB", "单.EDT"}, [&](int) {
    const StoredDatabase after = storedDatabase();
    EXPECT_EQ(after.problems, "");
    ASSERT_GE(after.records.size(), before.records.size());
    EXPECT_LE(after.records.size(), before.records.size() + 1);
    EXPECT_EQ(std::vector<std::string>(after.records.begin(), after.records.begin() + before.records.size()),
              before.records);
  });
  EXPECT_GT(points, 3);
  std::printf("append: %d crash points\n", points);
}

// The record being changed may hold part of the old value and part of the new one (a value's
// blocks are reused in place), but its chain is sound and every other value is as before.
TEST_F(CrashConsistencyTest, AMemoWriteStoppedAnywhereKeepsEveryOtherValue) {
  makeDatabase(false);
  const StoredDatabase before = storedDatabase();
  const int points = crashAtEveryStep("memo", {"单.EDB", "单.EDT"}, [&](int) {
    const StoredDatabase after = storedDatabase();
    EXPECT_EQ(after.problems, "");
    EXPECT_EQ(withoutLine(after.records, 2), withoutLine(before.records, 2));
  });
  EXPECT_GT(points, 3);
  std::printf("memo: %d crash points\n", points);
}

// Every live record stays, once, with its values; delete-marked ones may still be there.
TEST_F(CrashConsistencyTest, APackStoppedAnywhereKeepsEveryLiveRecordOnce) {
  makeDatabase(true);
  const StoredDatabase before = storedDatabase();
  std::vector<std::string> live;
  for (const std::string& line : before.records) {
    if (line[0] != '-') live.push_back(line);
  }
  const int points = crashAtEveryStep("pack", {"单.EDB", "单.EDT"}, [&](int) {
    const StoredDatabase after = storedDatabase();
    EXPECT_EQ(after.problems, "");
    std::vector<std::string> liveAfter;
    for (const std::string& line : after.records) {
      if (line[0] != '-') liveAfter.push_back(line);
    }
    EXPECT_EQ(liveAfter, live);
    EXPECT_FALSE(platform::pathExists(database() + ".EDB.PACKING"));  // the opening finished the pack's work
  });
  EXPECT_GT(points, 3);
  std::printf("pack: %d crash points\n", points);
}

TEST_F(CrashConsistencyTest, ATreeFileSaveStoppedAnywhereLeavesTheOldFileOrTheNewOne) {
  ASSERT_EQ(lists::saveTreeItems(treeItems(25, "旧项"), file(kTreeFile)), platform::kFileOk);
  const std::string old = fileBytes(file(kTreeFile));
  const std::string saved = lists::encodeTreeFile(treeItems(40, "新项"));
  const int points = crashAtEveryStep("tree", {kTreeFile}, [&](int) {
    const std::string now = fileBytes(file(kTreeFile));
    EXPECT_TRUE(now == old || now == saved) << now.size();
  });
  EXPECT_GT(points, 1);
  std::printf("tree file: %d crash points\n", points);
}

// The settings as a store opened afterwards reads them (and has written back to the file) are
// those before the changes or after one of them, never half of a change.
TEST_F(CrashConsistencyTest, SettingsChangesStoppedAnywhereLeaveTheStateBeforeOrAfterEachChange) {
  const std::string initial = "[甲]\r\n二=第二个值\r\n一=1\r\n[乙]\r\n三=末尾的值";
  ASSERT_EQ(platform::writeWholeFile(file(kSettingsFile), initial), platform::kFileOk);
  std::vector<std::string> states{initial};
  {
    settings::SettingsStore store;
    store.attachFile(nullptr, initial);
    for (int change = 0; change < kSettingsChanges; ++change) {
      changeSettings(store, change);
      states.push_back(store.content());
    }
  }
  const int points = crashAtEveryStep("settings", {kSettingsFile}, [&](int) {
    settings::SettingsStore store;
    ASSERT_TRUE(store.open(file(kSettingsFile)));
    EXPECT_NE(std::find(states.begin(), states.end(), store.content()), states.end()) << store.content();
    EXPECT_EQ(fileBytes(file(kSettingsFile)), store.content());
    EXPECT_FALSE(platform::pathExists(file("设置.ini.journal")));
  });
  EXPECT_GT(points, kSettingsChanges * 3);
  std::printf("settings: %d crash points\n", points);
}

}  // namespace
