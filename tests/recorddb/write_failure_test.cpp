// Writes that fail part-way. Whichever file operation of an append, a field write, a delete-mark or
// a create fails, the operation reports the failure and the records stored before are intact when
// the database is opened again; the same session reads what the file holds.

#include <gtest/gtest.h>

#include <functional>
#include <string>

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

// Every operation but the release of a lock: a lock whose release failed is still held, and the
// session's later locks of that byte fail (the lock table's own tests cover that).
constexpr testing_support::FileOperationSet kWatched =
    testing_support::kEveryOperation & ~operationSet(FileOperation::Unlock);

std::string memoOf(std::size_t size, char salt) {
  std::string text(size, salt);
  for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>(salt + i % 7);
  return text;
}

// How the injected failure ends the work: one operation fails, or the process stops there.
enum class Fault { OneFails, ProcessStops };

struct FailureCase {
  int shareMode;
  Fault fault;
};

std::string caseName(const testing::TestParamInfo<FailureCase>& info) {
  return std::string(info.param.shareMode == kShareDenyWrite ? "DenyWrite" : "DenyNone") +
         (info.param.fault == Fault::OneFails ? "OneFails" : "ProcessStops");
}

class WriteFailureTest : public RecordDbTest, public testing::WithParamInterface<FailureCase> {
 protected:
  void SetUp() override {
    RecordDbTest::SetUp();
    ASSERT_TRUE(createDatabase(path("d"), {{"名称", kTypeText, 20}, {"数量", kTypeInteger, 0}, {"备注", kTypeMemo, 0}}));
    ASSERT_TRUE(openDatabase(path("d"), "", false, kShareDenyWrite));
    const std::size_t memoSizes[] = {0, 30, 1200, 600, 10};
    for (int i = 1; i <= 5; ++i) {
      ASSERT_TRUE(appendRecord());
      ASSERT_TRUE(writeField(1, FieldValue::text("记录" + std::to_string(i))));
      ASSERT_TRUE(writeField(2, FieldValue::integer(i * 10)));
      ASSERT_TRUE(writeField(3, FieldValue::text(memoOf(memoSizes[i - 1], static_cast<char>('a' + i)))));
    }
    // Record 3's value shrinks: blocks in the middle of the file go to the free list, so that
    // later values take blocks from the free list as well as from the end.
    ASSERT_TRUE(gotoRecord(3));
    ASSERT_TRUE(writeField(3, FieldValue::text(memoOf(100, 'c'))));
    closeDatabase();
    savedDatabase_ = fileBytes("d.EDB");
    savedAux_ = fileBytes("d.EDT");
    before_ = describeDatabase(path("d"));
  }

  void restore() const {
    putFileBytes("d.EDB", savedDatabase_);
    putFileBytes("d.EDT", savedAux_);
  }
  void openAtRecord(int number) {
    ASSERT_TRUE(openDatabase(path("d"), "", false, GetParam().shareMode));
    ASSERT_TRUE(gotoRecord(number));
  }

  // The records and, when the database is closed, the soundness of its value chains.
  std::string storedState() {
    if (!openDatabase(path("d"), "", false, kShareDenyWrite)) return "open failed " + std::to_string(lastError());
    std::string text = describeRecords();
    const std::optional<DatabaseLayout> layout = currentDatabaseLayout();
    closeDatabase();
    if (!layout) return text + "no layout";
    const std::string problem = auxProblem(fileBytes("d.EDB"), fileBytes("d.EDT"), *layout, LostBlocks::Allowed);
    return problem.empty() ? text : text + "aux: " + problem;
  }

  // The lines of `text` except the one of record `number` (1-based; 0 keeps every line).
  static std::string withoutRecord(const std::string& text, int number) {
    std::string kept;
    int line = 0;
    for (std::size_t start = 0; start < text.size();) {
      std::size_t end = text.find('\n', start);
      end = end == std::string::npos ? text.size() : end + 1;
      if (++line != number) kept += text.substr(start, end - start);
      start = end;
    }
    return kept;
  }

  // Runs `change` on the database opened at record `number`, with the Nth file operation failing
  // (or the process stopping there), for N = 1, 2, … until `change` runs through without meeting
  // the failure; then it must give `after`. A change that met the failure either succeeded (the
  // failure was one it may ignore) and gives `after`, or reported an error and left the records
  // as they were, except record `loose` (1-based; 0: none), whose value may be part old, part new.
  // A change that failed then succeeds on the reopened database.
  void failEveryStep(int number, const std::function<bool()>& change, const std::string& after, int loose = 0) {
    for (int n = 1;; ++n) {
      SCOPED_TRACE("failing operation " + std::to_string(n));
      restore();
      openAtRecord(number);
      bool succeeded = false;
      int error = kDbOk;
      bool fired = false;
      std::string session;
      {
        FaultInjector faults;
        if (GetParam().fault == Fault::OneFails) {
          faults.failAt(n, kWatched);
        } else {
          faults.stopAt(n, kWatched);
        }
        succeeded = change();
        error = lastError();
        fired = faults.fired();
      }
      if (GetParam().fault == Fault::OneFails) session = describeRecords();
      closeAllDatabases();
      const std::string stored = storedState();
      if (!fired) {
        EXPECT_TRUE(succeeded);
        EXPECT_EQ(stored, after);
        return;
      }
      if (succeeded) {
        EXPECT_EQ(stored, after);
      } else {
        EXPECT_NE(error, kDbOk);
        EXPECT_EQ(withoutRecord(stored, loose), withoutRecord(before_, loose));
      }
      // What this session reads is what the file holds.
      if (GetParam().fault == Fault::OneFails) {
        EXPECT_EQ(session, stored.substr(0, stored.find("aux: ")));
      }
      if (!succeeded) {
        openAtRecord(number);
        EXPECT_TRUE(change()) << lastErrorText();
        closeAllDatabases();
        EXPECT_EQ(storedState(), after);
      }
      if (HasFailure() || n > 500) return;
    }
  }

  // The state after `change` runs on the database opened at record `number`, without failures.
  std::string cleanResult(int number, const std::function<bool()>& change) {
    restore();
    openAtRecord(number);
    EXPECT_TRUE(change());
    closeAllDatabases();
    return storedState();
  }

  void failEveryStepOf(int number, const std::function<bool()>& change, int loose = 0) {
    const std::string after = cleanResult(number, change);
    ASSERT_NE(after, before_);
    failEveryStep(number, change, after, loose);
  }

  std::string savedDatabase_;
  std::string savedAux_;
  std::string before_;
};

TEST_P(WriteFailureTest, AppendingKeepsTheRecordsBefore) {
  failEveryStepOf(5, [] { return appendRecord(); });
}

TEST_P(WriteFailureTest, WritingAFieldKeepsTheOtherRecords) {
  failEveryStepOf(2, [] { return writeField(1, FieldValue::text("改过的名称")); });
  failEveryStepOf(4, [] { return writeField(2, FieldValue::integer(-7)); });
}

// Several fields written as one change: a failure is reported, touches no other record, and leaves
// the record readable (its memo may already hold the new value; the other fields all old or all new).
TEST_P(WriteFailureTest, AScopedWriteOfSeveralFieldsKeepsTheOtherRecords) {
  const auto scopedWrite = [] {
    RecordWriteScope scope;
    return writeField(1, FieldValue::text("一起改的名称")) && writeField(2, FieldValue::integer(-9)) &&
           writeField(3, FieldValue::text(memoOf(700, 'q'))) && scope.commit();
  };
  failEveryStepOf(2, scopedWrite, 2);
}

TEST_P(WriteFailureTest, AFailedScopedWriteLeavesEveryFieldOfTheRecordAsItWas) {
  if (GetParam().fault != Fault::OneFails) GTEST_SKIP() << "one failing write is the case here";
  restore();
  openAtRecord(4);
  const FieldValue name = readField(1);
  const FieldValue quantity = readField(2);
  {
    FaultInjector faults;
    RecordWriteScope scope;
    ASSERT_TRUE(writeField(1, FieldValue::text("新名称")));
    ASSERT_TRUE(writeField(2, FieldValue::integer(12345)));
    EXPECT_EQ(readField(2), FieldValue::integer(12345));  // the scope's own reads see the change
    faults.failAt(1, operationSet(FileOperation::Write));
    EXPECT_FALSE(scope.commit());
    EXPECT_NE(lastError(), kDbOk);
    EXPECT_TRUE(faults.fired());
  }
  EXPECT_EQ(readField(1), name);
  EXPECT_EQ(readField(2), quantity);
  closeAllDatabases();
  EXPECT_EQ(storedState(), before_);
}

TEST_P(WriteFailureTest, DeleteMarkingKeepsTheRecords) {
  failEveryStepOf(3, [] { return deleteRecord(); });
}

// Memo values: a longer value takes blocks from the free list and from the end, a shorter one
// frees blocks (and the file shrinks), an empty one frees the whole chain.
TEST_P(WriteFailureTest, WritingAMemoKeepsTheOtherValuesAndEveryChainSound) {
  failEveryStepOf(2, [] { return writeField(3, FieldValue::text(memoOf(1900, 'x'))); }, 2);
  failEveryStepOf(3, [] { return writeField(3, FieldValue::text(memoOf(1300, 'y'))); }, 3);
  failEveryStepOf(4, [] { return writeField(3, FieldValue::text(memoOf(20, 'z'))); }, 4);
  failEveryStepOf(5, [] { return writeField(3, FieldValue::text("")); }, 5);
}

// A write that fails after part of its bytes reached the file: what the session reads next is what
// the file holds, also when it kept records and counters in memory.
TEST_P(WriteFailureTest, AfterATornWriteTheSessionReadsWhatTheFileHolds) {
  if (GetParam().fault != Fault::OneFails) GTEST_SKIP() << "a stopped process has no session";
  const std::function<bool()> changes[] = {
      [] { return appendRecord(); },
      [] { return writeField(1, FieldValue::text("改过的名称")); },
      [] { return writeField(3, FieldValue::text(memoOf(1300, 'y'))); },
      [] { return deleteRecord(); },
  };
  for (const std::function<bool()>& change : changes) {
    for (int n = 1;; ++n) {
      SCOPED_TRACE("failing write " + std::to_string(n));
      restore();
      openAtRecord(2);
      (void)describeRecords();  // the session has read every record and the counters
      ASSERT_TRUE(gotoRecord(2));
      bool fired = false;
      {
        FaultInjector faults;
        faults.tearFailingWrites(true);
        faults.failAt(n, operationSet(FileOperation::Write));
        (void)change();
        fired = faults.fired();
      }
      const std::string session = describeRecords();
      closeAllDatabases();
      if (!fired) break;
      EXPECT_EQ(session, describeDatabase(path("d")));
      if (HasFailure() || n > 100) return;
    }
  }
}

TEST_F(RecordDbTest, CreatingReportsEveryFailureAndLeavesNoPairOfAnotherLayout) {
  const std::vector<FieldSpec> fields = {{"名称", kTypeText, 20}, {"备注", kTypeMemo, 0}};
  for (int n = 1;; ++n) {
    SCOPED_TRACE("failing operation " + std::to_string(n));
    bool created = false;
    bool fired = false;
    int error = kDbOk;
    {
      FaultInjector faults;
      faults.failAt(n);
      created = createDatabase(path("c"), fields);
      error = lastError();
      fired = faults.fired();
    }
    if (!fired) {
      EXPECT_TRUE(created);
      break;
    }
    EXPECT_FALSE(created);
    EXPECT_NE(error, kDbOk);
    // What a failed create leaves does not open, or opens with all its fields.
    if (openDatabase(path("c"))) {
      EXPECT_EQ(fieldCount(), 2);
      closeDatabase();
    }
    if (error == kDbAuxCreateFailed) {
      EXPECT_EQ(fileBytes("c.EDB").size(), 116u + 2 * 72);
    }
    if (HasFailure() || n > 100) break;
  }
  ASSERT_TRUE(openDatabase(path("c")));
  EXPECT_EQ(fieldCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(Failures, WriteFailureTest,
                         testing::Values(FailureCase{kShareDenyWrite, Fault::OneFails},
                                         FailureCase{kShareDenyNone, Fault::OneFails},
                                         FailureCase{kShareDenyWrite, Fault::ProcessStops}),
                         caseName);

}  // namespace
}  // namespace recorddb
