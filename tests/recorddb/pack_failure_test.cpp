// A pack that stops part-way, at a chunk that cannot be read or at any failing write: the file
// still holds every live record exactly once with its values, every value chain belongs to at most
// one record, the IDs grow from slot to slot, and the next pack succeeds.

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "recorddb/record_database.h"
#include "tests/recorddb/aux_chains.h"
#include "tests/recorddb/recorddb_fixture.h"
#include "tests/recorddb/stored_records.h"
#include "tests/support/fault_injector.h"

namespace recorddb {
namespace {

using testing_support::FaultInjector;
using testing_support::FileOperation;
using testing_support::operationSet;

constexpr int kRecords = 130;  // records of about 4 KiB: a pack moves them in chunks of 39

// Every operation but the release of a lock (the whole-database lock's release ignores failures).
constexpr testing_support::FileOperationSet kWatched =
    testing_support::kEveryOperation & ~operationSet(FileOperation::Unlock);

struct Slot {
  int id;  // negative when delete-marked
  std::string line;
};

std::vector<Slot> slotsOf(const std::string& described) {
  std::vector<Slot> slots;
  for (std::size_t start = 0; start < described.size();) {
    std::size_t end = described.find('\n', start);
    if (end == std::string::npos) end = described.size();
    const std::string line = described.substr(start, end - start);
    slots.push_back({std::atoi(line.c_str()), line});
    start = end + 1;
  }
  return slots;
}

bool deletedInTheSample(int id) { return id % 3 == 0 || (id > 40 && id < 52) || id == kRecords; }

class PackFailureTest : public RecordDbTest, public testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    RecordDbTest::SetUp();
    ASSERT_TRUE(createDatabase(path("p"), {{"名称", kTypeText, 1024}, {"甲", kTypeText, 1024}, {"乙", kTypeText, 1024},
                                           {"丙", kTypeText, 1024}, {"备注", kTypeMemo, 0}}));
    ASSERT_TRUE(openDatabase(path("p"), "", false, kShareExclusive));
    for (int id = 1; id <= kRecords; ++id) {
      ASSERT_TRUE(appendRecord());
      ASSERT_TRUE(writeField(1, FieldValue::text("记录" + std::to_string(id))));
      ASSERT_TRUE(writeField(3, FieldValue::text(std::string(static_cast<std::size_t>(id % 50), 'a' + id % 26))));
      if (id % 4 == 1 || id % 7 == 0) {
        ASSERT_TRUE(writeField(5, FieldValue::text(std::string(static_cast<std::size_t>(id * 13 % 1100 + 1), 'A' + id % 26))));
      }
      if (deletedInTheSample(id)) {
        ASSERT_TRUE(deleteRecord());
      }
    }
    closeDatabase();
    savedDatabase_ = fileBytes("p.EDB");
    savedAux_ = fileBytes("p.EDT");
    for (const Slot& slot : slotsOf(describeDatabase(path("p")))) {
      if (slot.id > 0) live_.push_back(slot.line);
    }
    std::size_t expectedLive = 0;
    for (int id = 1; id <= kRecords; ++id) expectedLive += deletedInTheSample(id) ? 0 : 1;
    ASSERT_EQ(live_.size(), expectedLive);
  }

  void restore() const {
    putFileBytes("p.EDB", savedDatabase_);
    putFileBytes("p.EDT", savedAux_);
  }

  // Reopens the pair and checks what a pack must leave, whether it stopped or not.
  void expectSound(const std::string& when) {
    SCOPED_TRACE(when);
    ASSERT_TRUE(openDatabase(path("p"), "", false, kShareDenyWrite)) << lastErrorText();
    const std::vector<Slot> slots = slotsOf(describeRecords());
    const std::optional<DatabaseLayout> layout = currentDatabaseLayout();
    ASSERT_TRUE(layout.has_value());
    closeDatabase();
    std::vector<std::string> live;
    int previous = 0;
    for (const Slot& slot : slots) {
      EXPECT_GT(std::abs(slot.id), previous) << slot.line;
      previous = std::abs(slot.id);
      if (slot.id > 0) live.push_back(slot.line);
    }
    EXPECT_EQ(live, live_);
    EXPECT_EQ(auxProblem(fileBytes("p.EDB"), fileBytes("p.EDT"), *layout, LostBlocks::Allowed), "");
  }

  std::string savedDatabase_;
  std::string savedAux_;
  std::vector<std::string> live_;  // the lines of the live records, in order
};

// Parameter: 0 a failing operation writes nothing, 1 it writes half its bytes first (and the
// short reads of the next test meet a database that other processes may write).
TEST_P(PackFailureTest, APackThatStopsAtAnyStepLeavesEveryLiveRecordOnceInOrder) {
  for (int n = 1;; ++n) {
    SCOPED_TRACE("failing operation " + std::to_string(n));
    restore();
    ASSERT_TRUE(openDatabase(path("p"), "", false, kShareDenyWrite));
    bool packed = false;
    bool fired = false;
    int error = kDbOk;
    {
      FaultInjector faults;
      faults.tearFailingWrites(GetParam() == 1);
      faults.failAt(n, kWatched, platform::kFileDiskFull);
      packed = packDatabase();
      error = lastError();
      fired = faults.fired();
    }
    EXPECT_TRUE(packed || error != kDbOk);
    closeAllDatabases();
    expectSound("after the pack");
    ASSERT_TRUE(openDatabase(path("p"), "", false, kShareDenyWrite));
    EXPECT_TRUE(packDatabase()) << lastErrorText();
    EXPECT_EQ(recordCount(), static_cast<int>(live_.size()));
    closeAllDatabases();
    expectSound("after a second pack");
    if (!fired) {
      EXPECT_TRUE(packed);
      break;
    }
    if (HasFailure() || n > 2000) return;
  }
}

// A read that comes back short (a chunk, a counter, a block of a value) stops the pack as soundly as
// a failing one.
TEST_P(PackFailureTest, AReadThatComesBackShortStopsThePackSoundly) {
  for (int n = 1;; ++n) {
    SCOPED_TRACE("short read " + std::to_string(n));
    restore();
    ASSERT_TRUE(openDatabase(path("p"), "", false, GetParam() == 1 ? kShareDenyNone : kShareDenyWrite));
    bool fired = false;
    {
      FaultInjector faults;
      faults.shortenReadAt(n);
      (void)packDatabase();
      fired = faults.fired();
    }
    closeAllDatabases();
    expectSound("after the pack");
    if (!fired || HasFailure() || n > 2000) return;
  }
}

// A process that stops while records move leaves stale copies and the pack's marker behind: a
// read-only opening leaves the file as it is, the next opening for writing drops the copies.
TEST_P(PackFailureTest, APackStoppedWhileMovingIsFinishedByTheNextOpeningForWriting) {
  if (GetParam() == 1) GTEST_SKIP() << "a process that stops leaves its writes whole";
  const base::TextValue marker = path("p.EDB.PACKING");
  bool sawMarker = false;
  for (int n = 1;; ++n) {
    SCOPED_TRACE("stopped at changing operation " + std::to_string(n));
    restore();
    ASSERT_TRUE(openDatabase(path("p"), "", false, kShareDenyWrite));
    bool fired = false;
    {
      FaultInjector faults;
      faults.stopAt(n, testing_support::kChangingOperations);
      (void)packDatabase();
      fired = faults.fired();
      closeAllDatabases();
    }
    if (!fired) break;
    if (platform::pathExists(marker)) {
      sawMarker = true;
      const std::string stopped = fileBytes("p.EDB");
      ASSERT_TRUE(openDatabase(path("p"), "", true, kShareDenyWrite));
      closeAllDatabases();
      EXPECT_EQ(fileBytes("p.EDB"), stopped);
      EXPECT_TRUE(platform::pathExists(marker));
    }
    expectSound("opened for writing");
    EXPECT_FALSE(platform::pathExists(marker));
    if (HasFailure() || n > 2000) return;
  }
  EXPECT_TRUE(sawMarker);
  EXPECT_FALSE(platform::pathExists(marker));
}

INSTANTIATE_TEST_SUITE_P(Writes, PackFailureTest, testing::Values(0, 1));

}  // namespace
}  // namespace recorddb
