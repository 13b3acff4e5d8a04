// Two processes on one database. Share modes keep a second writer out while the first denies
// writing; readers that share everything see what the writer did, also after they opened; byte
// locks held by another process make the engine fail at once with the lock error (lock wait 0)
// and leave nothing behind; and two writers that share everything interleave their appends and
// memo chains without losing or mixing anything.
//
// The second process is this test program started again with "--child <role> ...". Roles print
// nothing; they return 0, the negated error code of the step that failed, or one of the codes
// below.

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/file.h"
#include "platform/paths.h"
#include "platform/text_codec.h"
#include "recorddb/record_database.h"
#include "tests/recorddb/aux_chains.h"
#include "tests/recorddb/recorddb_fixture.h"
#include "tests/support/child_process.h"

namespace recorddb {
namespace {

using Arguments = std::vector<std::string>;

// Exit codes of the roles besides the negated error codes (1..80).
constexpr int kExitWrongContent = 90;  // a record does not hold what its version says
constexpr int kExitWrongCounts = 91;   // other numbers of live or deleted records than expected
constexpr int kExitTimeout = 92;       // the other side never answered
constexpr int kExitNotFound = 93;      // a record ID to change was not found
constexpr int kExitBadArguments = 100;

int exitFor(int errorCode) { return -errorCode; }

// ---- The records both sides agree on ----
// Record `id` at version v holds 名称 "记录<id>", 数量 id*7 + 1000*v, a memo whose length walks
// over the block boundaries, and bytes with NULs in them.

const std::vector<FieldSpec>& schema() {
  static const std::vector<FieldSpec> fields = {
      {"名称", kTypeText, 16}, {"数量", kTypeInteger, 0}, {"备注", kTypeMemo, 0}, {"数据", kTypeBytes, 0}};
  return fields;
}

std::string memoFor(int id, int version) {
  static const std::size_t lengths[] = {0, 1, 499, 500, 501, 1000, 1001, 1499};
  std::string memo(lengths[static_cast<std::size_t>(id + version) % 8], 'x');
  for (std::size_t i = 0; i < memo.size(); ++i) memo[i] = static_cast<char>('a' + (i + id * 3 + version) % 26);
  return memo;
}

std::string bytesFor(int id, int version) {
  std::string bytes(static_cast<std::size_t>((id * 131 + version * 17) % 700), '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 7 + id) % 251);
  return bytes;
}

base::TextValue nameFor(int id) { return "记录" + std::to_string(id); }

// Writes version `version` of record `id` into the current record: 0 or the error.
int writeVersion(int id, int version) {
  if (!writeField(1, FieldValue::text(nameFor(id))) || !writeField(2, FieldValue::integer(id * 7 + 1000 * version)) ||
      !writeField(3, FieldValue::text(memoFor(id, version))) ||
      !writeField(4, FieldValue::bytes(bytesFor(id, version)))) {
    return lastError();
  }
  return kDbOk;
}

struct Census {
  int live = 0;
  int deleted = 0;
  int error = kDbOk;          // the first engine error met
  bool wrongContent = false;  // a record that its version does not describe, or IDs out of order
};

// Reads every record of the current database and checks it against its version.
Census takeCensus() {
  Census census;
  const int count = recordCount();
  if (lastError() != kDbOk) {
    census.error = lastError();
    return census;
  }
  int previousId = 0;
  // Keeps the first error of the calls of one record.
  auto noted = [&census](auto result) {
    if (census.error == kDbOk) census.error = lastError();
    return result;
  };
  for (int number = 1; number <= count; ++number) {
    noted(gotoRecord(number));
    const int id = noted(currentRecordId());
    const bool deleted = noted(currentRecordDeleted());
    const FieldValue name = noted(readField(1));
    const FieldValue quantity = noted(readField(2));
    const FieldValue memo = noted(readField(3));
    const FieldValue bytes = noted(readField(4));
    if (census.error != kDbOk) return census;
    if (id == 0) {
      census.wrongContent = true;
      return census;
    }
    const auto value = static_cast<int>(quantity.asInteger());
    const int version = (value - id * 7) / 1000;
    if (id <= previousId || value != id * 7 + 1000 * version || version < 0 ||
        name != FieldValue::text(nameFor(id)) || memo != FieldValue::text(memoFor(id, version)) ||
        bytes != FieldValue::bytes(bytesFor(id, version))) {
      census.wrongContent = true;
    }
    previousId = id;
    ++(deleted ? census.deleted : census.live);
  }
  return census;
}

// ---- Roles ----

int argumentInt(const Arguments& args, std::size_t index) { return std::stoi(args.at(index)); }

// Waits until `path` exists; false after `timeoutMs`.
bool waitForFile(const base::TextValue& path, std::uint32_t timeoutMs,
                 const std::function<bool()>& stillWorthWaiting = [] { return true; }) {
  const std::uint32_t start = platform::tickCount();
  while (!platform::pathExists(path)) {
    if (platform::tickCount() - start > timeoutMs || !stillWorthWaiting()) return platform::pathExists(path);
    platform::sleepMilliseconds(2);
  }
  return true;
}

bool signalFile(const base::TextValue& path) { return platform::writeWholeFile(path, "1") == platform::kFileOk; }

// open PATH READONLY SHARE [OP...]: opens the database (after "create" makes it) and runs the
// operations in order: append:N:V (N records of version V), rewrite:ID:V, delete:ID, pack.
int databaseRole(const Arguments& args) {
  if (args.size() < 3) return kExitBadArguments;
  const base::TextValue path = platform::pathTextFromUtf8(args[0]);
  std::size_t next = 3;
  if (args.size() > next && args[next] == "create") {
    if (!createDatabase(path, schema())) return exitFor(lastError());
    ++next;
  }
  if (!openDatabase(path, "", argumentInt(args, 1) != 0, argumentInt(args, 2))) return exitFor(lastError());
  for (; next < args.size(); ++next) {
    const std::string& op = args[next];
    int first = 0;
    int second = 0;
    const std::size_t colon = op.find(':');
    if (colon != std::string::npos) {
      const std::size_t colon2 = op.find(':', colon + 1);
      first = std::stoi(op.substr(colon + 1, colon2 - colon - 1));
      if (colon2 != std::string::npos) second = std::stoi(op.substr(colon2 + 1));
    }
    const std::string name = op.substr(0, colon);
    if (name == "append") {
      for (int i = 0; i < first; ++i) {
        if (!appendRecord()) return exitFor(lastError());
        if (int result = writeVersion(currentRecordId(), second)) return exitFor(result);
      }
    } else if (name == "rewrite" || name == "delete") {
      if (!gotoRecordId(first)) return lastError() != kDbOk ? exitFor(lastError()) : kExitNotFound;
      const int result = name == "rewrite" ? writeVersion(first, second) : (deleteRecord() ? kDbOk : lastError());
      if (result != kDbOk) return exitFor(result);
    } else if (name == "pack") {
      if (!packDatabase()) return exitFor(lastError());
    } else {
      return kExitBadArguments;
    }
  }
  closeDatabase();
  return 0;
}

// census PATH READONLY SHARE LIVE DELETED: 0 when the database holds that many live and deleted
// records, each as its version describes.
int censusRole(const Arguments& args) {
  if (args.size() != 5) return kExitBadArguments;
  if (!openDatabase(platform::pathTextFromUtf8(args[0]), "", argumentInt(args, 1) != 0, argumentInt(args, 2))) {
    return exitFor(lastError());
  }
  const Census census = takeCensus();
  closeDatabase();
  if (census.error != kDbOk) return exitFor(census.error);
  if (census.wrongContent) return kExitWrongContent;
  return census.live == argumentInt(args, 3) && census.deleted == argumentInt(args, 4) ? 0 : kExitWrongCounts;
}

// hold-lock PATH OFFSET LENGTH READY RELEASE: locks the range as a reader of the database would
// (the file opened for reading, sharing everything), says so by creating READY, and keeps the
// lock until RELEASE exists or, when RELEASE is a number, for that many milliseconds.
int holdLockRole(const Arguments& args) {
  if (args.size() != 5) return kExitBadArguments;
  platform::File file;
  int result = file.open(platform::pathTextFromUtf8(args[0]), platform::FileAccess::Read, platform::ShareMode::DenyNone,
                         platform::OpenMode::OpenExisting);
  if (result == platform::kFileOk) result = file.lock(std::stoull(args[1]), std::stoull(args[2]));
  if (result != platform::kFileOk) return exitFor(result);
  if (!signalFile(platform::pathTextFromUtf8(args[3]))) return kExitBadArguments;
  const bool timed = !args[4].empty() && args[4].find_first_not_of("0123456789") == std::string::npos;
  if (timed) {
    platform::sleepMilliseconds(static_cast<std::uint32_t>(std::stoul(args[4])));
  } else if (!waitForFile(platform::pathTextFromUtf8(args[4]), 60000)) {
    return kExitTimeout;
  }
  return exitFor(file.unlock(std::stoull(args[1]), std::stoull(args[2])));
}

// probe-lock PATH OFFSET LENGTH: 0 when the range can be locked (nobody holds any of it).
int probeLockRole(const Arguments& args) {
  if (args.size() != 3) return kExitBadArguments;
  platform::File file;
  int result = file.open(platform::pathTextFromUtf8(args[0]), platform::FileAccess::Read, platform::ShareMode::DenyNone,
                         platform::OpenMode::OpenExisting);
  if (result == platform::kFileOk) result = file.lock(std::stoull(args[1]), std::stoull(args[2]));
  if (result == platform::kFileOk) result = file.unlock(std::stoull(args[1]), std::stoull(args[2]));
  return exitFor(result);
}

std::string flipValue(int round) {
  return round % 2 == 0 ? std::string(1400, 'A') : std::string(700, 'b') + std::string(300, 'c');
}

// memo-writer PATH SHARE READY STOP: rewrites the memo of record 1 again and again, between two
// values of different block counts, waiting for locks as long as needed, until STOP exists.
int memoWriterRole(const Arguments& args) {
  if (args.size() != 4) return kExitBadArguments;
  setLockWaitTime(20000);
  if (!openDatabase(platform::pathTextFromUtf8(args[0]), "", false, argumentInt(args, 1))) return exitFor(lastError());
  if (!gotoRecord(1) || !signalFile(platform::pathTextFromUtf8(args[2]))) return exitFor(lastError());
  const base::TextValue stop = platform::pathTextFromUtf8(args[3]);
  const std::uint32_t start = platform::tickCount();
  for (int round = 0; !platform::pathExists(stop); ++round) {
    if (platform::tickCount() - start > 60000) return kExitTimeout;
    if (!writeField(3, FieldValue::text(flipValue(round)))) return exitFor(lastError());
    platform::sleepMilliseconds(1);  // lets the reader in between
  }
  closeDatabase();
  return 0;
}

// The name a scope writer gives record 1 together with 数量 `round`.
std::string scopedName(int round) { return "轮" + std::to_string(round); }

// scope-writer PATH READY STOP: denies writing, and rewrites 名称 and 数量 of record 1 as one
// change, again and again (pausing between the two writes), until STOP exists.
int scopeWriterRole(const Arguments& args) {
  if (args.size() != 3) return kExitBadArguments;
  setLockWaitTime(20000);
  if (!openDatabase(platform::pathTextFromUtf8(args[0]), "", false, kShareDenyWrite)) return exitFor(lastError());
  if (!gotoRecord(1) || !signalFile(platform::pathTextFromUtf8(args[1]))) return exitFor(lastError());
  const base::TextValue stop = platform::pathTextFromUtf8(args[2]);
  const std::uint32_t start = platform::tickCount();
  for (int round = 1; !platform::pathExists(stop); ++round) {
    if (platform::tickCount() - start > 60000) return kExitTimeout;
    RecordWriteScope scope;
    if (!writeField(1, FieldValue::text(scopedName(round)))) return exitFor(lastError());
    platform::sleepMilliseconds(1);  // a reader that did not wait for the record would see half
    if (!writeField(2, FieldValue::integer(round)) || !scope.commit()) return exitFor(lastError());
    platform::sleepMilliseconds(1);
  }
  closeDatabase();
  return 0;
}

std::string taggedMemo(const std::string& tag, int sequence, int round) {
  return tag + std::string(static_cast<std::size_t>((sequence * 97 + round * 389) % 1300),
                           static_cast<char>('a' + (sequence + round) % 26));
}

// Appends `count` records tagged `tag` to the current database (名称 TAG<seq>, 数量 its ID, a
// memo), then rewrites their memos `rounds` times, longer and shorter.
int appendTagged(const std::string& tag, int count, int rounds) {
  std::vector<int> ids;
  for (int sequence = 0; sequence < count; ++sequence) {
    if (!appendRecord()) return lastError();
    ids.push_back(currentRecordId());
    if (!writeField(1, FieldValue::text(tag + std::to_string(sequence))) || !writeField(2, FieldValue::integer(ids.back())) ||
        !writeField(3, FieldValue::text(taggedMemo(tag, sequence, 0)))) {
      return lastError();
    }
  }
  for (int round = 1; round <= rounds; ++round) {
    for (int sequence = 0; sequence < count; ++sequence) {
      if (!gotoRecordId(ids[static_cast<std::size_t>(sequence)])) return lastError() != kDbOk ? lastError() : kDbUnknown;
      if (!writeField(3, FieldValue::text(taggedMemo(tag, sequence, round)))) return lastError();
    }
  }
  return kDbOk;
}

// appender PATH COUNT TAG READY ROUNDS: appends tagged records and rewrites their memos, sharing
// everything, waiting for locks; creates READY once the database is open.
int appenderRole(const Arguments& args) {
  if (args.size() != 5) return kExitBadArguments;
  setLockWaitTime(20000);
  if (!openDatabase(platform::pathTextFromUtf8(args[0]), "", false, kShareDenyNone)) return exitFor(lastError());
  if (!signalFile(platform::pathTextFromUtf8(args[3]))) return kExitBadArguments;
  const int result = appendTagged(args[2], argumentInt(args, 1), argumentInt(args, 4));
  closeDatabase();
  return exitFor(result);
}

[[maybe_unused]] const bool kRolesRegistered =
    testing_support::registerChildRole("rdb-open", databaseRole) &&
    testing_support::registerChildRole("rdb-census", censusRole) &&
    testing_support::registerChildRole("rdb-hold-lock", holdLockRole) &&
    testing_support::registerChildRole("rdb-probe-lock", probeLockRole) &&
    testing_support::registerChildRole("rdb-memo-writer", memoWriterRole) &&
    testing_support::registerChildRole("rdb-appender", appenderRole) &&
    testing_support::registerChildRole("rdb-scope-writer", scopeWriterRole);

// ---- The parent's side ----

// A child running in the background while this process goes on.
class BackgroundChild {
 public:
  BackgroundChild(std::string role, Arguments args)
      : thread_([this, role = std::move(role), args = std::move(args)] {
          exitCode_ = testing_support::runChild(role, args);
          done_ = true;
        }) {}
  ~BackgroundChild() {
    if (thread_.joinable()) thread_.join();
  }
  BackgroundChild(const BackgroundChild&) = delete;
  BackgroundChild& operator=(const BackgroundChild&) = delete;

  bool done() const { return done_; }
  int wait() {
    if (thread_.joinable()) thread_.join();
    return exitCode_;
  }

 private:
  std::atomic<int> exitCode_{-1};
  std::atomic<bool> done_{false};
  std::thread thread_;
};

std::string utf8(const base::TextValue& gbk) { return platform::gbkToUtf8(gbk); }

class TwoProcessTest : public RecordDbTest {
 protected:
  void TearDown() override {
    setLockWaitTime(0);
    RecordDbTest::TearDown();
  }

  base::TextValue db() const { return path("共享"); }
  base::TextValue dbFile() const { return path("共享.EDB"); }
  base::TextValue auxFile() const { return path("共享.EDT"); }

  int inChild(bool readOnly, int share, Arguments ops = {}) const {
    Arguments args{utf8(db()), readOnly ? "1" : "0", std::to_string(share)};
    args.insert(args.end(), ops.begin(), ops.end());
    return testing_support::runChild("rdb-open", args);
  }
  int censusInChild(bool readOnly, int share, int live, int deleted) const {
    return testing_support::runChild("rdb-census", {utf8(db()), readOnly ? "1" : "0", std::to_string(share),
                                                    std::to_string(live), std::to_string(deleted)});
  }
  // 0 when another process can lock every byte of both files that locks use.
  void expectNoLocksLeft() const {
    for (const base::TextValue& file : {dbFile(), auxFile()}) {
      EXPECT_EQ(testing_support::runChild("rdb-probe-lock", {utf8(file), "0", "2147483647"}), 0) << file;
    }
  }

  // Appends `count` records of version 0 in this process.
  void appendHere(int count) {
    for (int i = 0; i < count; ++i) {
      ASSERT_TRUE(appendRecord()) << lastErrorText();
      ASSERT_EQ(writeVersion(currentRecordId(), 0), kDbOk) << lastErrorText();
    }
  }

  std::uint64_t recordOffset(int number) const {
    const std::optional<DatabaseLayout> layout = currentDatabaseLayout();
    EXPECT_TRUE(layout.has_value());
    return layout ? static_cast<std::uint64_t>(layout->dataStart) +
                        static_cast<std::uint64_t>(number - 1) * static_cast<std::uint64_t>(layout->recordLength)
                  : 0;
  }

  // A byte range that another process locks until release() (or, with `releaseAfterMs`, for
  // that long). The constructor returns once the lock is held.
  class LockElsewhere {
   public:
    LockElsewhere(const TwoProcessTest& test, const base::TextValue& file, std::uint64_t offset,
                  std::uint64_t length, int releaseAfterMs = -1)
        : ready_(test.path("ready" + std::to_string(++counter_))),
          release_(test.path("release" + std::to_string(counter_))),
          child_("rdb-hold-lock", {utf8(file), std::to_string(offset), std::to_string(length), utf8(ready_),
                                   releaseAfterMs < 0 ? utf8(release_) : std::to_string(releaseAfterMs)}) {
      held_ = waitForFile(ready_, 30000, [this] { return !child_.done(); });
    }
    ~LockElsewhere() { release(); }
    bool held() const { return held_; }
    int release() {
      if (!released_) {
        released_ = true;
        (void)signalFile(release_);
        exitCode_ = child_.wait();
      }
      return exitCode_;
    }

   private:
    static inline int counter_ = 0;
    base::TextValue ready_;
    base::TextValue release_;
    BackgroundChild child_;
    bool held_ = false;
    bool released_ = false;
    int exitCode_ = -1;
  };
};

TEST_F(TwoProcessTest, AWriterThatDeniesWritingKeepsWritersOutAndLetsReadersIn) {
  ASSERT_TRUE(createDatabase(db(), schema()));
  ASSERT_TRUE(openDatabase(db(), "甲", false, kShareDenyWrite));
  appendHere(3);
  ASSERT_TRUE(gotoRecordId(2));
  ASSERT_TRUE(deleteRecord());

  // Anyone who wants to write, or to deny this process its writing, is refused at once.
  for (int share : {kShareDenyNone, kShareDenyRead, kShareDenyWrite, kShareExclusive}) {
    EXPECT_EQ(inChild(false, share), exitFor(kDbSharingViolation)) << share;
  }
  for (int share : {kShareDenyRead, kShareDenyWrite, kShareExclusive}) {
    EXPECT_EQ(inChild(true, share), exitFor(kDbSharingViolation)) << share;
  }
  EXPECT_EQ(errorMessage(kDbSharingViolation), "访问文件时产生共享冲突");

  // A reader that shares everything gets in and sees exactly what was written, memos included.
  EXPECT_EQ(inChild(true, kShareDenyNone), 0);
  EXPECT_EQ(censusInChild(true, kShareDenyNone, 2, 1), 0);
  // It cannot write: the file is open for reading only.
  EXPECT_EQ(inChild(true, kShareDenyNone, {"append:1:0"}), exitFor(platform::kFileAccessDenied));

  // Later changes of the writer are in the file at once for the next reader.
  appendHere(2);
  ASSERT_TRUE(gotoRecordId(1));
  ASSERT_EQ(writeVersion(1, 5), kDbOk);  // a memo of other length: blocks reused and freed
  EXPECT_EQ(censusInChild(true, kShareDenyNone, 4, 1), 0);
  ASSERT_TRUE(packDatabase()) << lastErrorText();
  EXPECT_EQ(censusInChild(true, kShareDenyNone, 4, 0), 0);

  // Once the writer is gone, another may write.
  const std::optional<DatabaseLayout> layout = currentDatabaseLayout();
  ASSERT_TRUE(layout.has_value());
  closeDatabase();
  EXPECT_EQ(auxProblem(fileBytes("共享.EDB"), fileBytes("共享.EDT"), *layout), "");
  EXPECT_EQ(inChild(false, kShareDenyWrite, {"append:1:2"}), 0);
  ASSERT_TRUE(openDatabase(db(), "", true, kShareDenyWrite));
  const Census census = takeCensus();
  EXPECT_EQ(census.error, kDbOk);
  EXPECT_FALSE(census.wrongContent);
  EXPECT_EQ(census.live, 5);
  EXPECT_EQ(currentRecordId(), 6);
}

TEST_F(TwoProcessTest, AReaderThatSharesEverythingSeesChangesMadeAfterItOpened) {
  ASSERT_TRUE(createDatabase(db(), schema()));
  ASSERT_TRUE(openDatabase(db(), "读", true, kShareDenyNone));
  EXPECT_EQ(recordCount(), 0);

  // A writer that denies writing still gets in beside a reader that shares everything.
  ASSERT_EQ(inChild(false, kShareDenyWrite, {"append:3:0"}), 0);
  Census census = takeCensus();
  EXPECT_EQ(census.error, kDbOk);
  EXPECT_FALSE(census.wrongContent);
  EXPECT_EQ(census.live, 3);

  // The reader keeps nothing stale: counts, rewritten memos and delete marks come from the file.
  ASSERT_TRUE(gotoRecord(3));
  ASSERT_EQ(inChild(false, kShareDenyWrite, {"append:2:1", "rewrite:1:3", "rewrite:3:4", "delete:2"}), 0);
  EXPECT_EQ(readField(3), FieldValue::text(memoFor(3, 4)));
  EXPECT_EQ(readField(2), FieldValue::integer(3 * 7 + 4000));
  census = takeCensus();
  EXPECT_EQ(census.error, kDbOk);
  EXPECT_FALSE(census.wrongContent);
  EXPECT_EQ(census.live, 4);
  EXPECT_EQ(census.deleted, 1);
  ASSERT_TRUE(gotoRecordId(2));
  EXPECT_TRUE(currentRecordDeleted());

  // After another process packs, the slots the reader knew are gone and the rest moved up.
  ASSERT_TRUE(gotoRecord(5));
  ASSERT_EQ(inChild(false, kShareDenyWrite, {"pack"}), 0);
  EXPECT_EQ(readField(1), FieldValue::text(""));
  EXPECT_EQ(lastError(), kDbSeekFailed);
  EXPECT_FALSE(gotoRecordId(2));
  EXPECT_EQ(lastError(), kDbOk);
  ASSERT_TRUE(gotoRecordId(5));
  EXPECT_EQ(currentRecordNumber(), 4);
  census = takeCensus();
  EXPECT_FALSE(census.wrongContent);
  EXPECT_EQ(census.live, 4);
  EXPECT_EQ(census.deleted, 0);
  closeDatabase();

  // A reader that denies writing can rely on what it keeps in memory: no writer gets in beside it,
  // while other readers do.
  ASSERT_TRUE(openDatabase(db(), "读", true, kShareDenyWrite));
  EXPECT_EQ(recordCount(), 4);
  EXPECT_EQ(inChild(false, kShareDenyWrite, {"append:1:0"}), exitFor(kDbSharingViolation));
  EXPECT_EQ(inChild(false, kShareDenyNone, {"append:1:0"}), exitFor(kDbSharingViolation));
  EXPECT_EQ(censusInChild(true, kShareDenyWrite, 4, 0), 0);
  EXPECT_EQ(censusInChild(true, kShareDenyNone, 4, 0), 0);
  EXPECT_EQ(recordCount(), 4);
}

TEST_F(TwoProcessTest, ADatabaseCreatedInOneProcessIsReadInAnother) {
  ASSERT_EQ(inChild(false, kShareDenyWrite, {"create", "append:4:2", "delete:3"}), 0);
  ASSERT_TRUE(openDatabase(db(), "", true, kShareDenyWrite)) << lastErrorText();
  const std::optional<DatabaseLayout> layout = currentDatabaseLayout();
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(layout->slotCount, 4);
  EXPECT_EQ(layout->nextId, 5);
  EXPECT_EQ(layout->recordLength, 4 + 16 + 4 + 4 + 4);
  ASSERT_EQ(layout->fields.size(), schema().size());
  for (std::size_t i = 0; i < schema().size(); ++i) {
    EXPECT_EQ(layout->fields[i].name, schema()[i].name);
    EXPECT_EQ(layout->fields[i].type, schema()[i].type);
  }
  const Census census = takeCensus();
  EXPECT_EQ(census.error, kDbOk);
  EXPECT_FALSE(census.wrongContent);
  EXPECT_EQ(census.live, 3);
  EXPECT_EQ(census.deleted, 1);
  closeDatabase();

  // And the other way round.
  ASSERT_TRUE(platform::deleteFile(dbFile()) == platform::kFileOk);
  ASSERT_TRUE(platform::deleteFile(auxFile()) == platform::kFileOk);
  ASSERT_TRUE(createDatabase(db(), schema()));
  ASSERT_TRUE(openDatabase(db(), "", false, kShareExclusive));
  appendHere(6);
  closeDatabase();
  EXPECT_EQ(censusInChild(true, kShareDenyWrite, 6, 0), 0);
}

// The share modes in which other processes may read, so that they take record and header locks.
class LockedElsewhereTest : public TwoProcessTest, public testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    TwoProcessTest::SetUp();
    ASSERT_TRUE(createDatabase(db(), schema()));
    ASSERT_TRUE(openDatabase(db(), "", false, GetParam()));
    appendHere(3);
  }
  bool readsTakeLocks() const { return GetParam() == kShareDenyNone; }
};

TEST_P(LockedElsewhereTest, ALockedRecordCannotBeChangedAndOthersCan) {
  {
    LockElsewhere lock(*this, dbFile(), recordOffset(2), 1);
    ASSERT_TRUE(lock.held());
    ASSERT_TRUE(gotoRecord(2));
    EXPECT_FALSE(writeField(1, FieldValue::text("改")));
    EXPECT_EQ(lastError(), kDbLockViolation);
    EXPECT_EQ(lastErrorText(), "加锁文件失败");
    EXPECT_FALSE(writeField(3, FieldValue::text(std::string(1200, 'z'))));
    EXPECT_EQ(lastError(), kDbLockViolation);
    EXPECT_FALSE(writeField(4));
    EXPECT_EQ(lastError(), kDbLockViolation);
    EXPECT_FALSE(deleteRecord());
    EXPECT_EQ(lastError(), kDbLockViolation);
    // Packing needs every byte, and another process's open needs them for its checks.
    EXPECT_FALSE(packDatabase());
    EXPECT_EQ(lastError(), kDbLockViolation);
    EXPECT_EQ(inChild(true, kShareDenyNone), exitFor(kDbLockViolation));
    if (readsTakeLocks()) {
      EXPECT_EQ(readField(1), FieldValue::text(""));
      EXPECT_EQ(lastError(), kDbLockViolation);
      EXPECT_EQ(readField(3), FieldValue::text(""));
      EXPECT_EQ(lastError(), kDbLockViolation);
      EXPECT_EQ(currentRecordId(), 0);
      EXPECT_EQ(lastError(), kDbLockViolation);
      EXPECT_FALSE(gotoRecordId(2));  // the search reads the locked record's ID
      EXPECT_EQ(lastError(), kDbLockViolation);
    }
    // The lock is one record's: the others, and appending, go on.
    for (int number : {1, 3}) {
      ASSERT_TRUE(gotoRecord(number));
      EXPECT_TRUE(writeField(3, FieldValue::text("旁边"))) << lastErrorText();
      EXPECT_EQ(readField(3), FieldValue::text("旁边"));
    }
    EXPECT_TRUE(appendRecord()) << lastErrorText();
    EXPECT_EQ(currentRecordId(), 4);
    EXPECT_EQ(lock.release(), 0);
  }
  // Nothing of the refused writes reached the file, and record 2 is free again.
  ASSERT_TRUE(gotoRecord(2));
  EXPECT_FALSE(currentRecordDeleted());
  EXPECT_EQ(readField(1), FieldValue::text(nameFor(2)));
  EXPECT_EQ(readField(3), FieldValue::text(memoFor(2, 0)));
  EXPECT_EQ(readField(4), FieldValue::bytes(bytesFor(2, 0)));
  EXPECT_TRUE(writeField(1, FieldValue::text("改")));
  EXPECT_TRUE(deleteRecord());
  expectNoLocksLeft();
}

// A write of several fields as one change holds the record's lock from its start to its commit:
// another process cannot take it meanwhile, and a record locked elsewhere lets no change begin.
TEST_P(LockedElsewhereTest, ARecordWriteHoldsTheRecordLockAndMeetsOneHeldElsewhere) {
  ASSERT_TRUE(gotoRecord(3));
  {
    RecordWriteScope change;
    ASSERT_TRUE(change.active()) << lastErrorText();
    ASSERT_TRUE(writeField(1, FieldValue::text("一起")));
    EXPECT_EQ(testing_support::runChild("rdb-probe-lock", {utf8(dbFile()), std::to_string(recordOffset(3)), "1"}),
              exitFor(kDbLockViolation));
    EXPECT_TRUE(change.commit());
  }
  EXPECT_EQ(testing_support::runChild("rdb-probe-lock", {utf8(dbFile()), std::to_string(recordOffset(3)), "1"}), 0);
  EXPECT_EQ(readField(1), FieldValue::text("一起"));

  LockElsewhere lock(*this, dbFile(), recordOffset(2), 1);
  ASSERT_TRUE(lock.held());
  ASSERT_TRUE(gotoRecord(2));
  RecordWriteScope refused;
  EXPECT_FALSE(refused.active());
  EXPECT_EQ(lastError(), kDbLockViolation);
  EXPECT_FALSE(writeField(1, FieldValue::text("改")));  // and the write alone is refused as before
  EXPECT_EQ(lastError(), kDbLockViolation);
  EXPECT_EQ(lock.release(), 0);
}

TEST_P(LockedElsewhereTest, ALockReleasedWithinTheWaitTimeIsWaitedFor) {
  setLockWaitTime(30000);
  LockElsewhere lock(*this, dbFile(), recordOffset(2), 1, 300);
  ASSERT_TRUE(lock.held());
  ASSERT_TRUE(gotoRecord(2));
  EXPECT_TRUE(writeField(1, FieldValue::text("等到了"))) << lastErrorText();
  EXPECT_EQ(lock.release(), 0);
  EXPECT_EQ(readField(1), FieldValue::text("等到了"));
}

TEST_P(LockedElsewhereTest, TheHeaderLockHeldElsewhereStopsAppends) {
  const std::uint64_t nextSlot = recordOffset(4);
  {
    LockElsewhere lock(*this, dbFile(), 16, 1);
    ASSERT_TRUE(lock.held());
    EXPECT_FALSE(appendRecord());
    EXPECT_EQ(lastError(), kDbLockViolation);
    if (readsTakeLocks()) {
      EXPECT_FALSE(gotoRecordId(1));
      EXPECT_EQ(lastError(), kDbLockViolation);
    }
    EXPECT_EQ(lock.release(), 0);
  }
  {
    // The slot a new record would take is locked: the append fails and lets the header go.
    LockElsewhere lock(*this, dbFile(), nextSlot, 1);
    ASSERT_TRUE(lock.held());
    EXPECT_FALSE(appendRecord());
    EXPECT_EQ(lastError(), kDbLockViolation);
    EXPECT_EQ(testing_support::runChild("rdb-probe-lock", {utf8(dbFile()), "16", "1"}), 0);
    EXPECT_EQ(lock.release(), 0);
  }
  EXPECT_EQ(currentDatabaseLayout()->slotCount, 3);
  EXPECT_EQ(currentDatabaseLayout()->nextId, 4);
  ASSERT_TRUE(appendRecord()) << lastErrorText();
  EXPECT_EQ(currentRecordId(), 4);
  EXPECT_EQ(recordCount(), 4);
  closeDatabase();
  std::string bytes;
  ASSERT_EQ(platform::readWholeFile(dbFile(), bytes), platform::kFileOk);
  EXPECT_EQ(bytes.size(), nextSlot + 32);  // exactly one more record, no stray bytes
  expectNoLocksLeft();
}

INSTANTIATE_TEST_SUITE_P(ShareModes, LockedElsewhereTest, testing::Values(kShareDenyNone, kShareDenyWrite));

#ifdef _WIN32
constexpr int kMemoReads = 100;
constexpr int kAppendsEach = 30;
constexpr int kRewriteRounds = 3;
#else
constexpr int kMemoReads = 250;
constexpr int kAppendsEach = 100;
constexpr int kRewriteRounds = 4;
#endif

// The writer denies writing and so keeps nothing from readers elsewhere but its record lock.
TEST_F(TwoProcessTest, AReaderNeverSeesAHalfWrittenMemo) {
  ASSERT_TRUE(createDatabase(db(), schema()));
  ASSERT_TRUE(openDatabase(db()));
  appendHere(1);
  const std::string initial = memoFor(1, 0);
  closeDatabase();
  ASSERT_TRUE(openDatabase(db(), "", true, kShareDenyNone));
  setLockWaitTime(20000);
  const base::TextValue ready = path("writer-ready");
  const base::TextValue stop = path("writer-stop");
  BackgroundChild writer("rdb-memo-writer", {utf8(db()), std::to_string(kShareDenyWrite), utf8(ready), utf8(stop)});
  ASSERT_TRUE(waitForFile(ready, 30000, [&] { return !writer.done(); }));
  int torn = 0;
  for (int read = 0; read < kMemoReads && !writer.done(); ++read) {
    const FieldValue memo = readField(3);
    EXPECT_EQ(lastError(), kDbOk) << lastErrorText();
    if (memo != FieldValue::text(initial) && memo != FieldValue::text(flipValue(0)) &&
        memo != FieldValue::text(flipValue(1))) {
      ++torn;
    }
    platform::sleepMilliseconds(1);
  }
  ASSERT_TRUE(signalFile(stop));
  EXPECT_EQ(writer.wait(), 0);
  EXPECT_EQ(torn, 0);
  const FieldValue last = readField(3);
  EXPECT_TRUE(last == FieldValue::text(flipValue(0)) || last == FieldValue::text(flipValue(1)));
  closeDatabase();
  expectNoLocksLeft();
}

// A reader that holds the record's lock while it reads both fields (a scope that changes nothing)
// sees them from one change, never the name of one and the number of another.
TEST_F(TwoProcessTest, AReaderNeverSeesARecordHalfWrittenInAScope) {
  ASSERT_TRUE(createDatabase(db(), schema()));
  ASSERT_TRUE(openDatabase(db()));
  ASSERT_TRUE(appendRecord());
  ASSERT_TRUE(writeField(1, FieldValue::text(scopedName(0))));
  ASSERT_TRUE(writeField(2, FieldValue::integer(0)));
  closeDatabase();
  ASSERT_TRUE(openDatabase(db(), "", true, kShareDenyNone));
  setLockWaitTime(20000);
  const base::TextValue ready = path("scope-ready");
  const base::TextValue stop = path("scope-stop");
  BackgroundChild writer("rdb-scope-writer", {utf8(db()), utf8(ready), utf8(stop)});
  ASSERT_TRUE(waitForFile(ready, 30000, [&] { return !writer.done(); }));
  int mixed = 0;
  int lastRound = 0;
  for (int read = 0; read < kMemoReads && !writer.done(); ++read) {
    {
      RecordWriteScope whole;
      ASSERT_TRUE(whole.active()) << lastErrorText();
      const FieldValue quantity = readField(2);
      const FieldValue name = readField(1);
      lastRound = static_cast<int>(quantity.asInteger());
      if (name != FieldValue::text(scopedName(lastRound))) ++mixed;
    }
    platform::sleepMilliseconds(1);
  }
  ASSERT_TRUE(signalFile(stop));
  EXPECT_EQ(writer.wait(), 0);
  EXPECT_EQ(mixed, 0);
  EXPECT_GT(lastRound, 0);  // the writer's changes were seen
  closeDatabase();
  expectNoLocksLeft();
}

// Both append and rewrite memos at once, so that both take blocks from the end of the auxiliary
// file and from its free list, and give blocks back, all the time.
TEST_F(TwoProcessTest, TwoWritersThatShareEverythingAppendWithoutLosingOrMixingRecords) {
  ASSERT_TRUE(createDatabase(db(), schema()));
  ASSERT_TRUE(openDatabase(db(), "", false, kShareDenyNone));
  setLockWaitTime(20000);
  const base::TextValue ready = path("appender-ready");
  BackgroundChild other("rdb-appender", {utf8(db()), std::to_string(kAppendsEach), "B", utf8(ready),
                                         std::to_string(kRewriteRounds)});
  ASSERT_TRUE(waitForFile(ready, 30000, [&] { return !other.done(); }));
  EXPECT_EQ(appendTagged("A", kAppendsEach, kRewriteRounds), kDbOk) << lastErrorText();
  EXPECT_EQ(other.wait(), 0);

  ASSERT_EQ(recordCount(), 2 * kAppendsEach);
  int nextSequence[2] = {0, 0};
  for (int number = 1; number <= 2 * kAppendsEach; ++number) {
    ASSERT_TRUE(gotoRecord(number));
    EXPECT_EQ(currentRecordId(), number);  // IDs unique and in slot order
    EXPECT_EQ(readField(2), FieldValue::integer(number));
    const std::string name = readField(1).asText();
    ASSERT_FALSE(name.empty()) << number;
    const int side = name[0] == 'A' ? 0 : 1;
    const int sequence = std::stoi(name.substr(1));
    EXPECT_EQ(sequence, nextSequence[side]++) << name;  // each side's records in its own order
    EXPECT_EQ(readField(3), FieldValue::text(taggedMemo(name.substr(0, 1), sequence, kRewriteRounds))) << name;
  }
  EXPECT_EQ(nextSequence[0], kAppendsEach);
  EXPECT_EQ(nextSequence[1], kAppendsEach);
  const std::optional<DatabaseLayout> layout = currentDatabaseLayout();
  ASSERT_TRUE(layout.has_value());
  closeDatabase();
  EXPECT_EQ(auxProblem(fileBytes("共享.EDB"), fileBytes("共享.EDT"), *layout), "");
  expectNoLocksLeft();
}

}  // namespace
}  // namespace recorddb
