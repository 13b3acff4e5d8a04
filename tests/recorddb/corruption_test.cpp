// Damaged database files. Whatever the damage (files cut short, flipped bytes, garbled counters,
// descriptors, auxiliary headers and block chains) opening and using the database ends in
// results and error codes: never a crash, a hang or a read outside the data, which the sanitizer
// build checks. Read-only opens change nothing, and a layout that does not describe the records
// is refused before any repair touches the files.

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/text_value.h"
#include "platform/paths.h"
#include "recorddb/format.h"
#include "recorddb/record_database.h"
#include "tests/recorddb/aux_chains.h"
#include "tests/recorddb/recorddb_fixture.h"

namespace recorddb {
namespace {

using format::readInt32;

// The same sequence on every platform and standard library.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ULL + 0x2545F4914F6CDD1DULL) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  std::uint32_t below(std::uint64_t bound) { return bound == 0 ? 0 : static_cast<std::uint32_t>(next() % bound); }
  bool chance(int percent) { return below(100) < static_cast<std::uint32_t>(percent); }

 private:
  std::uint64_t state_;
};

// Writes `value` at `offset` when the four bytes lie inside `bytes`.
void put32(std::string& bytes, std::uint64_t offset, std::int32_t value) {
  if (offset + 4 <= bytes.size()) format::writeInt32(bytes.data() + offset, value);
}
std::int32_t get32(const std::string& bytes, std::uint64_t offset) {
  return offset + 4 <= bytes.size() ? readInt32(bytes.data() + offset) : 0;
}

// Values that sit on the edges of sizes, offsets and block numbers.
std::int32_t edgeValue(Random& random, std::int32_t near) {
  static const std::int32_t values[] = {0,     1,     -1,    2,     3,     4,         5,          8,
                                        11,    12,    16,    17,    64,    116,       188,        499,
                                        500,   501,   511,   512,   513,   1023,      1024,       1025,
                                        4096,  4097,  65536, -500,  0x10000000, 0x40000000, 0x7FFFFFF0, INT32_MAX,
                                        INT32_MIN, INT32_MIN + 1};
  switch (random.below(4)) {
    case 0: return static_cast<std::int32_t>(static_cast<std::uint32_t>(near) + random.below(9) - 4);
    case 1: return static_cast<std::int32_t>(random.next());
    default: return values[random.below(std::size(values))];
  }
}

// A valid database file pair to damage copies of, and where its parts lie.
struct Sample {
  const char* name;
  std::string database;
  std::string aux;  // empty when the database has no auxiliary file
  std::int32_t fieldCount = 0;
  std::int32_t dataStart = 0;
  std::int32_t recordLength = 0;
  std::int32_t slots = 0;
  std::vector<std::int32_t> auxSlots;  // offsets of memo and bytes fields inside a record
};

struct Damaged {
  std::string database;
  std::string aux;
  bool auxPresent = false;
};

std::string pattern(std::size_t length, int salt) {
  std::string text(length, 'a');
  for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>('a' + (i * 7 + static_cast<std::size_t>(salt)) % 26);
  return text;
}

std::string bytesPattern(std::size_t length, int salt) {
  std::string bytes(length, '\0');
  for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>((i * 31 + static_cast<std::size_t>(salt)) % 256);
  return bytes;
}

// One damage of the copy, of a kind picked at random.
void damageOnce(const Sample& sample, Damaged& copy, Random& random) {
  std::string& db = copy.database;
  std::string& aux = copy.aux;
  const std::int32_t blocks = static_cast<std::int32_t>(aux.size() / 512);
  auto anyBlock = [&]() -> std::int32_t { return blocks > 1 ? 1 + static_cast<std::int32_t>(random.below(blocks - 1)) : 1; };
  switch (random.below(14)) {
    case 0:  // the database file cut short
      db.resize(random.below(db.size() + 1));
      break;
    case 1:  // the auxiliary file cut short
      aux.resize(random.below(aux.size() + 1));
      break;
    case 2: {  // flipped bytes, often in the header and descriptors
      const std::uint64_t region = random.chance(50) ? static_cast<std::uint64_t>(sample.dataStart) : db.size();
      for (std::uint32_t n = 1 + random.below(8); n > 0 && !db.empty(); --n) {
        db[random.below(std::min<std::uint64_t>(region, db.size()))] ^= static_cast<char>(1 + random.below(255));
      }
      break;
    }
    case 3: {  // flipped bytes of the auxiliary file, often in its header and block heads
      for (std::uint32_t n = 1 + random.below(8); n > 0 && !aux.empty(); --n) {
        const std::uint64_t at = random.chance(50) ? std::uint64_t{512} * random.below(blocks + 1) + random.below(32)
                                                   : random.below(aux.size());
        if (at < aux.size()) aux[at] ^= static_cast<char>(1 + random.below(255));
      }
      break;
    }
    case 4: {  // a header counter: slot count, next ID, record length, field count
      static const std::uint64_t offsets[] = {16, 20, 24, 112};
      const std::uint64_t at = offsets[random.below(4)];
      put32(db, at, edgeValue(random, get32(db, at)));
      break;
    }
    case 5: {  // a descriptor's type, offset or declared length
      const std::uint64_t at = 116 + 72 * random.below(sample.fieldCount) + 20 + 4 * random.below(3);
      put32(db, at, edgeValue(random, get32(db, at)));
      break;
    }
    case 6: {  // the auxiliary header: block count, free count, first free
      const std::uint64_t at = 16 + 4 * random.below(3);
      put32(aux, at, random.chance(40) ? anyBlock() : edgeValue(random, get32(aux, at)));
      break;
    }
    case 7: case 8: {  // a block head: previous, next or used
      const std::int32_t block = anyBlock();
      const std::uint64_t at = std::uint64_t{512} * block + 4 * random.below(3);
      std::int32_t value;
      switch (random.below(6)) {
        case 0: value = block; break;  // itself
        case 1: value = anyBlock(); break;  // another block: loops and shared chains
        case 2: value = blocks + static_cast<std::int32_t>(random.below(5)); break;  // outside the file
        case 3: value = random.chance(50) ? 501 : -1; break;
        default: value = edgeValue(random, get32(aux, at)); break;
      }
      put32(aux, at, value);
      break;
    }
    case 9: {  // a record's memo or bytes slot
      if (sample.auxSlots.empty() || sample.slots == 0) break;
      const std::uint64_t at = static_cast<std::uint64_t>(sample.dataStart) +
                               std::uint64_t{random.below(sample.slots)} * static_cast<std::uint64_t>(sample.recordLength) +
                               static_cast<std::uint64_t>(sample.auxSlots[random.below(sample.auxSlots.size())]);
      put32(db, at, random.chance(50) ? anyBlock() : edgeValue(random, get32(db, at)));
      break;
    }
    case 10: {  // a record's ID
      if (sample.slots == 0) break;
      const std::uint64_t at = static_cast<std::uint64_t>(sample.dataStart) +
                               std::uint64_t{random.below(sample.slots)} * static_cast<std::uint64_t>(sample.recordLength);
      put32(db, at, edgeValue(random, get32(db, at)));
      break;
    }
    case 11:  // the auxiliary file is gone
      copy.auxPresent = false;
      break;
    case 12: {  // stray bytes at the end
      std::string& file = random.chance(50) || aux.empty() ? db : aux;
      file += bytesPattern(1 + random.below(random.chance(50) ? 40 : 1100), static_cast<int>(random.below(256)));
      break;
    }
    default: {  // one block's head copied over another's: two chains sharing their rest
      if (blocks < 3) break;
      const std::int32_t from = anyBlock();
      const std::int32_t to = anyBlock();
      aux.replace(std::uint64_t{512} * to, 12, aux, std::uint64_t{512} * from, 12);
      break;
    }
  }
}

// What reading a field of each type gives.
ValueKind kindOf(std::int32_t type) {
  switch (type) {
    case kTypeByte: return ValueKind::Byte;
    case kTypeShort: return ValueKind::Short;
    case kTypeInteger: return ValueKind::Integer;
    case kTypeLong: return ValueKind::Long;
    case kTypeSingle: return ValueKind::Single;
    case kTypeDouble: return ValueKind::Double;
    case kTypeLogical: return ValueKind::Logical;
    case kTypeDateTime: return ValueKind::DateTime;
    case kTypeSubroutine: return ValueKind::Subroutine;
    case kTypeBytes: return ValueKind::Bytes;
    default: return ValueKind::Text;
  }
}

// Every failure leaves an error code of the table, and every success none.
void expectError(int code, const std::string& what) {
  EXPECT_LT(code, 0) << what;
  EXPECT_GE(code, kDbRecordIdsExhausted) << what;  // the lowest code
  EXPECT_TRUE(code == kDbUnknown || errorMessage(code) != errorMessage(-999)) << what << ": " << code;
}

// Set while the files are intact: then nothing may fail, except on a database left empty.
bool gIntact = false;

void expectOutcome(bool ok, const std::string& what) {
  const int code = lastError();
  if (ok) {
    EXPECT_EQ(code, kDbOk) << what;
    return;
  }
  expectError(code, what);
  if (gIntact) {
    const bool emptied = (code == kDbNoCurrentRecord || code == kDbSeekFailed) && recordCount() == 0;
    EXPECT_TRUE(emptied) << what << ": " << code;
  }
}

// A value of the field's own kind; memo and bytes lengths mostly around the block size.
FieldValue valueFor(const FieldLayout& field, Random& random) {
  static const std::size_t lengths[] = {0, 1, 499, 500, 501, 1000, 1001, 1700};
  const std::size_t length = random.chance(70) ? lengths[random.below(8)] : random.below(2100);
  switch (field.type) {
    case kTypeText: return FieldValue::text(pattern(random.below(static_cast<std::uint64_t>(field.declaredLength) + 4), 3));
    case kTypeMemo: return FieldValue::text(pattern(length, static_cast<int>(random.below(26))));
    case kTypeBytes: return FieldValue::bytes(bytesPattern(length, static_cast<int>(random.below(256))));
    case kTypeInteger: return FieldValue::integer(static_cast<std::int32_t>(random.next()));
    case kTypeShort: return FieldValue::shortInteger(static_cast<std::int16_t>(random.next()));
    case kTypeByte: return FieldValue::byte(static_cast<std::uint8_t>(random.next()));
    case kTypeLogical: return FieldValue::logical(random.chance(50));
    case kTypeDateTime: return FieldValue::dateTime(static_cast<double>(random.below(2958465)));
    case kTypeLong: return FieldValue::longInteger(static_cast<std::int64_t>(random.next()));
    case kTypeSingle: return FieldValue::single(static_cast<float>(random.below(1000000)) / 8);
    case kTypeSubroutine: return FieldValue::subroutine(static_cast<std::uint32_t>(random.next()));
    default: return FieldValue::doubleFloat(static_cast<double>(random.below(1000000)) / 8);
  }
}

// What reading back a value that was written gives.
FieldValue readBack(const FieldLayout& field, const FieldValue& written) {
  if (field.type == kTypeText) {
    return FieldValue::text(base::cutToBytes(written.asText(), static_cast<std::size_t>(field.declaredLength)));
  }
  return written;
}

// Reads every field of every record (and one past the last), checking outcomes.
void readEverything(const std::vector<FieldLayout>& fields, const std::string& stage) {
  const int count = recordCount();
  if (lastError() != kDbOk) {
    expectError(lastError(), stage + " recordCount");
    EXPECT_EQ(count, 0);
  }
  EXPECT_GE(count, 0) << stage;
  const int last = std::min(count, 40) + 1;
  for (int number = 1; number <= last; ++number) {
    expectOutcome(gotoRecord(number), stage + " gotoRecord");
    const int id = currentRecordId();
    if (lastError() != kDbOk) {
      expectError(lastError(), stage + " currentRecordId");
      EXPECT_EQ(id, 0);
    }
    EXPECT_GE(id, 0);
    const bool deleted = currentRecordDeleted();
    if (lastError() != kDbOk) {
      expectError(lastError(), stage + " currentRecordDeleted");
      EXPECT_FALSE(deleted);
    }
    for (std::size_t f = 0; f < fields.size(); ++f) {
      const FieldValue value = readField(static_cast<int>(f) + 1);
      const std::string what = stage + " readField " + std::to_string(f + 1) + " of record " + std::to_string(number);
      EXPECT_EQ(value.kind(), kindOf(fields[f].type)) << what;
      if (lastError() != kDbOk) {
        expectError(lastError(), what);
        EXPECT_TRUE(value.asText().empty() && value.asInteger() == 0 && value.asReal() == 0) << what;
        EXPECT_TRUE(!gIntact || number > count) << what << ": " << lastError();
      }
    }
  }
}

// Random writes, appends, deletes, searches and packs.
void changeThings(const std::vector<FieldLayout>& fields, Random& random, const std::string& stage) {
  for (std::uint32_t step = 3 + random.below(8); step > 0; --step) {
    const int count = recordCount();
    switch (random.below(8)) {
      case 0: case 1: case 2: {
        expectOutcome(gotoRecord(1 + static_cast<int>(random.below(static_cast<std::uint64_t>(count) + 1))), stage);
        const std::size_t f = random.below(fields.size());
        const FieldValue value = valueFor(fields[f], random);
        const bool written = writeField(static_cast<int>(f) + 1, value);
        expectOutcome(written, stage + " writeField " + std::to_string(f + 1));
        if (written) {
          // What was just written reads back, whatever else the files hold.
          const FieldValue back = readField(static_cast<int>(f) + 1);
          EXPECT_EQ(lastError(), kDbOk) << stage << " read back " << f + 1;
          EXPECT_TRUE(back == readBack(fields[f], value)) << stage << " read back " << f + 1;
        }
        break;
      }
      case 3: {
        const bool appended = appendRecord();
        expectOutcome(appended, stage + " appendRecord");
        if (!appended) break;
        for (std::size_t f = 0; f < fields.size(); ++f) {
          expectOutcome(writeField(static_cast<int>(f) + 1, valueFor(fields[f], random)), stage + " fill");
        }
        break;
      }
      case 4:
        expectOutcome(gotoRecord(1 + static_cast<int>(random.below(static_cast<std::uint64_t>(count) + 1))), stage);
        expectOutcome(deleteRecord(), stage + " deleteRecord");
        break;
      case 5: {
        const bool found = gotoRecordId(static_cast<int>(random.below(20)) - 2);
        if (!found && lastError() != kDbOk) expectError(lastError(), stage + " gotoRecordId");
        break;
      }
      case 6:
        expectOutcome(packDatabase(), stage + " packDatabase");
        break;
      default: {
        // A value of the wrong kind is refused before anything is looked at.
        const std::size_t f = random.below(fields.size());
        const bool textual = fields[f].type == kTypeText || fields[f].type == kTypeMemo;
        EXPECT_FALSE(writeField(static_cast<int>(f) + 1,
                                textual ? FieldValue::integer(1) : FieldValue::text("x")));
        EXPECT_EQ(lastError(), kDbValueKindMismatch) << stage;
        break;
      }
    }
  }
}

class CorruptionTest : public RecordDbTest {
 protected:
  // Creates a database through the engine, fills it with `fill`, and keeps its bytes.
  Sample makeSample(const char* name, const std::vector<FieldSpec>& fields, const std::function<void()>& fill) {
    Sample sample;
    sample.name = name;
    EXPECT_TRUE(createDatabase(path(name), fields)) << lastErrorText();
    EXPECT_TRUE(openDatabase(path(name), "", false, kShareDenyWrite)) << lastErrorText();
    fill();
    const std::optional<DatabaseLayout> layout = currentDatabaseLayout();
    EXPECT_TRUE(layout.has_value());
    closeDatabase();
    sample.fieldCount = static_cast<std::int32_t>(layout->fields.size());
    sample.dataStart = layout->dataStart;
    sample.recordLength = layout->recordLength;
    sample.slots = layout->slotCount;
    for (const FieldLayout& field : layout->fields) {
      if (field.type == kTypeMemo || field.type == kTypeBytes) sample.auxSlots.push_back(field.offset);
    }
    sample.database = fileBytes(std::string(name) + ".EDB");
    if (!sample.auxSlots.empty()) sample.aux = fileBytes(std::string(name) + ".EDT");
    return sample;
  }

  // Every kind of field the lists use, memo and bytes values across block boundaries, blocks on
  // the free list and deleted records.
  Sample fullSample() {
    return makeSample("全",
                      {{"名称", kTypeText, 12}, {"数量", kTypeInteger, 0}, {"备注", kTypeMemo, 0},
                       {"数据", kTypeBytes, 0}, {"完成", kTypeLogical, 0}, {"时间", kTypeDateTime, 0},
                       {"金额", kTypeDouble, 0}},
                      [] {
                        const std::size_t memoLengths[] = {0, 1, 499, 500, 501, 999, 1000, 1001, 1600};
                        for (int i = 1; i <= 9; ++i) {
                          ASSERT_TRUE(appendRecord());
                          ASSERT_TRUE(writeField(1, FieldValue::text("名" + std::to_string(i))));
                          ASSERT_TRUE(writeField(2, FieldValue::integer(i * 11)));
                          ASSERT_TRUE(writeField(3, FieldValue::text(pattern(memoLengths[i - 1], i))));
                          ASSERT_TRUE(writeField(4, FieldValue::bytes(bytesPattern(static_cast<std::size_t>(i * 97 % 800), i))));
                          ASSERT_TRUE(writeField(5, FieldValue::logical(i % 2 == 1)));
                          ASSERT_TRUE(writeField(6, FieldValue::dateTime(40000.0 + i)));
                          ASSERT_TRUE(writeField(7, FieldValue::doubleFloat(i * 1.5)));
                        }
                        for (int id : {5, 7}) {  // blocks in the middle go to the free list
                          ASSERT_TRUE(gotoRecordId(id));
                          ASSERT_TRUE(writeField(3, FieldValue::text(id == 5 ? "" : "短")));
                        }
                        for (int id : {3, 6}) {
                          ASSERT_TRUE(gotoRecordId(id));
                          ASSERT_TRUE(deleteRecord());
                        }
                      });
  }

  Sample memoSample() {
    return makeSample("备", {{"标记", kTypeText, 1}, {"备注", kTypeMemo, 0}}, [] {
      for (std::size_t length : {std::size_t{0}, std::size_t{500}, std::size_t{1200}}) {
        ASSERT_TRUE(appendRecord());
        ASSERT_TRUE(writeField(2, FieldValue::text(pattern(length, 1))));
      }
      ASSERT_TRUE(gotoRecord(1));
      ASSERT_TRUE(deleteRecord());
    });
  }

  Sample plainSample() {
    return makeSample("平",
                      {{"名称", kTypeText, 30}, {"数", kTypeInteger, 0}, {"短", kTypeShort, 0},
                       {"字节", kTypeByte, 0}, {"双", kTypeDouble, 0}},
                      [] {
                        for (int i = 1; i <= 5; ++i) {
                          ASSERT_TRUE(appendRecord());
                          ASSERT_TRUE(writeField(1, FieldValue::text("第" + std::to_string(i) + "条")));
                          ASSERT_TRUE(writeField(2, FieldValue::integer(i)));
                        }
                        ASSERT_TRUE(gotoRecord(4));
                        ASSERT_TRUE(deleteRecord());
                      });
  }

  // Enough records that a database no other process may write reads them through a view of the file.
  Sample manySample() {
    return makeSample("多", {{"名称", kTypeText, 8}, {"备注", kTypeMemo, 0}}, [] {
      for (int i = 1; i <= 80; ++i) {
        ASSERT_TRUE(appendRecord());
        ASSERT_TRUE(writeField(1, FieldValue::text(std::to_string(i))));
        if (i % 9 == 0) {
          ASSERT_TRUE(writeField(2, FieldValue::text(pattern(static_cast<std::size_t>(i * 13), i))));
        }
        if (i % 11 == 0) {
          ASSERT_TRUE(deleteRecord());
        }
      }
    });
  }

  void putDamaged(const Damaged& copy) {
    putFileBytes("坏.EDB", copy.database);
    const base::TextValue aux = path("坏.EDT");
    if (copy.auxPresent) {
      putFileBytes("坏.EDT", copy.aux);
    } else if (platform::pathExists(aux)) {
      ASSERT_EQ(platform::deleteFile(aux), platform::kFileOk);
    }
  }
  base::TextValue damagedPath() const { return path("坏"); }

  // Opens the damaged pair and uses it; `change`: also write, append, delete and pack.
  void usePair(bool readOnly, int share, bool change, Random& random, const std::string& stage) {
    const bool opened = openDatabase(damagedPath(), "", readOnly, share);
    expectOutcome(opened, stage + " openDatabase");
    if (!opened) return;
    std::vector<FieldLayout> fields;
    if (const std::optional<DatabaseLayout> layout = currentDatabaseLayout()) {
      fields = layout->fields;
    } else {
      expectError(lastError(), stage + " layout");
      for (int f = 1; f <= fieldCount(); ++f) fields.push_back({fieldName(f), kTypeText, 0, 1});
    }
    EXPECT_GE(fields.size(), 1u) << stage;
    readEverything(fields, stage);
    if (change) {
      changeThings(fields, random, stage);
      readEverything(fields, stage + " after changes");
    }
    closeDatabase();
  }
};

#ifdef _WIN32
constexpr int kSeeds = 300;
#else
constexpr int kSeeds = 1500;
#endif

TEST_F(CorruptionTest, RandomDamageEndsInErrorCodesNeverInACrash) {
  const std::vector<Sample> samples = {fullSample(), memoSample(), plainSample(), manySample()};
  ASSERT_FALSE(HasFailure());
  for (int seed = 1; seed <= kSeeds; ++seed) {
    Random random(static_cast<std::uint64_t>(seed));
    const Sample& sample = samples[random.below(samples.size())];
    SCOPED_TRACE(std::string("seed ") + std::to_string(seed) + ", sample " + sample.name);
    Damaged copy{sample.database, sample.aux, !sample.aux.empty()};
    for (std::uint32_t damages = 1 + random.below(3); damages > 0; --damages) damageOnce(sample, copy, random);
    putDamaged(copy);
    if (HasFatalFailure()) return;

    // Read-only: every change is refused, and the files stay exactly as they were.
    usePair(true, random.chance(50) ? kShareDenyNone : kShareDenyWrite, random.chance(50), random, "read-only");
    EXPECT_EQ(fileBytes("坏.EDB"), copy.database);
    if (copy.auxPresent) {
      EXPECT_EQ(fileBytes("坏.EDT"), copy.aux);
    }

    usePair(false, random.chance(50) ? kShareDenyNone : kShareDenyWrite, true, random, "read/write");
    static const int kShares[] = {kShareDenyNone, kShareDenyWrite, kShareExclusive};
    usePair(random.chance(50), kShares[random.below(3)], random.chance(30), random, "again");
    if (HasFailure()) return;  // one seed's report is enough
  }
}

// The same operations on intact files never fail, and leave every block of the auxiliary file in
// exactly one chain or on the free list.
TEST_F(CorruptionTest, ChangesToAnIntactPairKeepEveryBlockAccountedFor) {
  const std::vector<Sample> samples = {fullSample(), memoSample(), manySample()};
  ASSERT_FALSE(HasFailure());
  struct IntactWhileHere {
    IntactWhileHere() { gIntact = true; }
    ~IntactWhileHere() { gIntact = false; }
  } intact;
  for (int seed = 1; seed <= kSeeds / 10; ++seed) {
    Random random(static_cast<std::uint64_t>(seed) + 1000000);
    const Sample& sample = samples[random.below(samples.size())];
    SCOPED_TRACE(std::string("seed ") + std::to_string(seed) + ", sample " + sample.name);
    putDamaged(Damaged{sample.database, sample.aux, true});
    static const int kShares[] = {kShareDenyNone, kShareDenyWrite, kShareExclusive};
    ASSERT_TRUE(openDatabase(damagedPath(), "", false, kShares[random.below(3)]));
    const std::vector<FieldLayout> fields = currentDatabaseLayout()->fields;
    for (int round = 0; round < 4; ++round) changeThings(fields, random, "intact");
    readEverything(fields, "intact");
    const std::optional<DatabaseLayout> layout = currentDatabaseLayout();
    ASSERT_TRUE(layout.has_value());
    closeDatabase();
    EXPECT_EQ(auxProblem(fileBytes("坏.EDB"), fileBytes("坏.EDT"), *layout), "");
    if (HasFailure()) break;
  }
}

// A pair whose repairs are all pending: a partial record at the end, a slot count above the
// records present, and an auxiliary block count above the blocks present.
Damaged withRepairsPending(const Sample& sample) {
  Damaged copy{sample.database + "part", sample.aux, true};
  format::writeInt32(copy.database.data() + 16, sample.slots + 2);
  format::writeInt32(copy.aux.data() + 16, static_cast<std::int32_t>(sample.aux.size() / 512) + 3);
  return copy;
}

TEST_F(CorruptionTest, DescriptorsThatLeaveTheRecordOrOverlapAreRefusedBeforeAnyRepair) {
  const Sample sample = fullSample();
  // 名称 text 12 @4, 数量 @16, 备注 @20, 数据 @24, 完成 @28, 时间 @29, 金额 double @37; 45 bytes.
  ASSERT_EQ(sample.recordLength, 45);
  auto descriptor = [](int field, int part) { return std::uint64_t{116} + 72 * (field - 1) + part; };
  struct Damage {
    const char* what;
    std::uint64_t offset;
    std::int32_t value;
  };
  const Damage damages[] = {
      {"the last field runs past the record", descriptor(7, 24), 41},
      {"a field starts inside the one before", descriptor(6, 24), 28},
      {"a text grows into the next field", descriptor(1, 28), 14},
      {"a type that is wider than the room", descriptor(2, 20), kTypeLong},
      {"a field before the record start", descriptor(5, 24), -1},
      {"a field on the record ID", descriptor(1, 24), 0},
  };
  for (const Damage& damage : damages) {
    Damaged copy = withRepairsPending(sample);
    format::writeInt32(copy.database.data() + damage.offset, damage.value);
    putDamaged(copy);
    for (const auto& [readOnly, share] : {std::pair{false, kShareDenyNone}, std::pair{false, kShareDenyWrite},
                                          std::pair{false, kShareExclusive}, std::pair{true, kShareDenyNone},
                                          std::pair{true, kShareDenyWrite}}) {
      EXPECT_FALSE(openDatabase(damagedPath(), "", readOnly, share)) << damage.what;
      EXPECT_EQ(lastError(), kDbNotADatabase) << damage.what;
      EXPECT_EQ(fileBytes("坏.EDB"), copy.database) << damage.what;
      EXPECT_EQ(fileBytes("坏.EDT"), copy.aux) << damage.what;
    }
  }
  // The same pair with an intact layout is repaired.
  putDamaged(withRepairsPending(sample));
  ASSERT_TRUE(openDatabase(damagedPath())) << lastErrorText();
  EXPECT_EQ(recordCount(), sample.slots);
  closeDatabase();
  EXPECT_EQ(fileBytes("坏.EDB"), sample.database);
  EXPECT_EQ(fileBytes("坏.EDT"), sample.aux);
}

TEST_F(CorruptionTest, HugeCountsAndLengthsAreRefusedWithoutBeingTried) {
  const Sample sample = plainSample();
  struct Damage {
    std::uint64_t offset;
    std::int32_t value;
    std::string tail;  // bytes added at the end
  };
  const Damage damages[] = {
      {112, INT32_MAX, ""},
      {112, 0x10000000, ""},
      {112, INT32_MIN, ""},
      {112, 4097, std::string(4097 * 72, '\0')},       // more fields than any record can have
      {112, sample.fieldCount + 1, ""},                 // the records read as one more descriptor
      {24, INT32_MAX, ""},
      {24, INT32_MIN, ""},
      {24, 0x40000000, std::string(70000, '\0')},
  };
  for (const Damage& damage : damages) {
    Damaged copy{sample.database + damage.tail, "", false};
    format::writeInt32(copy.database.data() + damage.offset, damage.value);
    putDamaged(copy);
    for (bool readOnly : {false, true}) {
      EXPECT_FALSE(openDatabase(damagedPath(), "", readOnly, kShareDenyWrite)) << damage.offset << " " << damage.value;
      EXPECT_EQ(lastError(), kDbNotADatabase) << damage.offset << " " << damage.value;
    }
    EXPECT_EQ(fileBytes("坏.EDB"), copy.database);
  }

  // A slot count far beyond the file is lowered to the records present (read/write) or refused.
  Damaged copy{sample.database, "", false};
  format::writeInt32(copy.database.data() + 16, INT32_MAX);
  putDamaged(copy);
  EXPECT_FALSE(openDatabase(damagedPath(), "", true, kShareDenyNone));
  EXPECT_EQ(lastError(), kDbBadFileSize);
  ASSERT_TRUE(openDatabase(damagedPath(), "", false, kShareDenyNone)) << lastErrorText();
  EXPECT_EQ(recordCount(), sample.slots);
  closeDatabase();
  EXPECT_EQ(fileBytes("坏.EDB"), sample.database);

  // No ID left to give: appending fails and writes nothing.
  copy.database = sample.database;
  format::writeInt32(copy.database.data() + 20, INT32_MAX);
  putDamaged(copy);
  for (int share : {kShareDenyNone, kShareDenyWrite, kShareExclusive}) {
    ASSERT_TRUE(openDatabase(damagedPath(), "", false, share)) << lastErrorText();
    EXPECT_FALSE(appendRecord());
    EXPECT_EQ(lastError(), kDbRecordIdsExhausted);
    EXPECT_EQ(recordCount(), sample.slots);
    closeDatabase();
    EXPECT_EQ(fileBytes("坏.EDB"), copy.database);
  }
}

TEST_F(CorruptionTest, RecordIdsThatNoAppendWritesStayHarmless) {
  const Sample sample = plainSample();
  for (int share : {kShareDenyNone, kShareDenyWrite}) {
    Damaged copy{sample.database, "", false};
    auto idAt = [&](int slot) { return static_cast<std::uint64_t>(sample.dataStart + slot * sample.recordLength); };
    format::writeInt32(copy.database.data() + idAt(0), INT32_MIN);  // no absolute value as an int32
    format::writeInt32(copy.database.data() + idAt(1), 0);
    format::writeInt32(copy.database.data() + idAt(2), INT32_MAX);  // out of order
    putDamaged(copy);
    ASSERT_TRUE(openDatabase(damagedPath(), "", false, share));
    ASSERT_TRUE(gotoRecord(1));
    EXPECT_EQ(currentRecordId(), 0);
    EXPECT_EQ(lastError(), kDbReadRecordFailed);
    EXPECT_TRUE(currentRecordDeleted());
    EXPECT_TRUE(deleteRecord());  // already marked
    ASSERT_TRUE(gotoRecord(2));
    EXPECT_EQ(currentRecordId(), 0);
    EXPECT_EQ(lastError(), kDbOk);
    for (int id : {1, 2, 3, 4, 5, INT32_MAX}) (void)gotoRecordId(id);  // a search over IDs out of order ends
    EXPECT_TRUE(packDatabase()) << lastErrorText();
    EXPECT_EQ(recordCount(), sample.slots - 2);  // the marked ones: the damaged and record 4
    closeDatabase();
  }
}

TEST_F(CorruptionTest, LoopingChainsEndInTheAuxiliaryError) {
  // Record 1: a memo in blocks 1..4; record 2: a memo in blocks 5 and 6; record 3: bytes in 7.
  const Sample sample = makeSample("环", {{"备注", kTypeMemo, 0}, {"数据", kTypeBytes, 0}}, [] {
    for (std::size_t length : {std::size_t{1600}, std::size_t{600}}) {
      ASSERT_TRUE(appendRecord());
      ASSERT_TRUE(writeField(1, FieldValue::text(pattern(length, 2))));
    }
    ASSERT_TRUE(appendRecord());
    ASSERT_TRUE(writeField(2, FieldValue::bytes(bytesPattern(100, 5))));
  });
  ASSERT_EQ(sample.aux.size(), 8u * 512);
  const FieldValue second = FieldValue::text(pattern(600, 2));

  for (int share : {kShareDenyNone, kShareDenyWrite}) {
    // A value chain whose last block leads back into it.
    Damaged copy{sample.database, sample.aux, true};
    format::writeInt32(copy.aux.data() + 4 * 512 + 4, 2);
    putDamaged(copy);
    ASSERT_TRUE(openDatabase(damagedPath(), "", false, share));
    ASSERT_TRUE(gotoRecord(1));
    EXPECT_EQ(readField(1), FieldValue::text(""));
    EXPECT_EQ(lastError(), kDbAuxAccessFailed);
    EXPECT_FALSE(writeField(1, FieldValue::text(pattern(3000, 1))));  // reusing the chain
    EXPECT_EQ(lastError(), kDbAuxAccessFailed);
    EXPECT_FALSE(writeField(1));  // freeing it
    EXPECT_EQ(lastError(), kDbAuxAccessFailed);
    // The record let go of the chain before the chain was walked: it holds an empty value now.
    EXPECT_EQ(readField(1), FieldValue::text(""));
    EXPECT_EQ(lastError(), kDbOk);
    closeDatabase();
    putDamaged(copy);
    ASSERT_TRUE(openDatabase(damagedPath(), "", false, share));
    ASSERT_TRUE(gotoRecord(1));
    // Packing away the record frees what it can and reports the damage; the pack itself is done.
    ASSERT_TRUE(deleteRecord());
    EXPECT_FALSE(packDatabase());
    EXPECT_EQ(lastError(), kDbAuxAccessFailed);
    EXPECT_EQ(recordCount(), 2);
    ASSERT_TRUE(gotoRecord(1));
    EXPECT_EQ(readField(1), second);
    closeDatabase();

    // A free list that leads back into itself, with a free count longer than the list.
    copy = Damaged{sample.database, sample.aux, true};
    putDamaged(copy);
    ASSERT_TRUE(openDatabase(damagedPath(), "", false, share));
    ASSERT_TRUE(gotoRecord(1));
    ASSERT_TRUE(writeField(1));  // blocks 1..4 go to the free list: 1, 2, 3, 4
    closeDatabase();
    copy.aux = fileBytes("坏.EDT");
    ASSERT_EQ(readInt32(copy.aux.data() + 20), 4);
    format::writeInt32(copy.aux.data() + 3 * 512 + 4, 1);
    format::writeInt32(copy.aux.data() + 20, 7);
    putDamaged(copy);
    ASSERT_TRUE(openDatabase(damagedPath(), "", false, share));
    ASSERT_TRUE(appendRecord());
    EXPECT_FALSE(writeField(1, FieldValue::text(pattern(3500, 4))));
    EXPECT_EQ(lastError(), kDbAuxAccessFailed);
    ASSERT_TRUE(gotoRecord(2));
    EXPECT_EQ(readField(1), second);
    closeDatabase();
  }
}

}  // namespace
}  // namespace recorddb
