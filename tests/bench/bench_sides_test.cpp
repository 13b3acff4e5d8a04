// gebu-bench's parts: both sides must hold and read the same data through every workload (so
// SQLite also serves as a reference for the engine), the sample data must fit its columns, and
// the report lines must read as documented.

#include <gtest/gtest.h>

#include "bench/engine_side.h"
#include "bench/report.h"
#include "bench/sample_data.h"
#include "bench/sqlite_side.h"
#include "platform/text_codec.h"
#include "recorddb/record_database.h"
#include "tests/support/scratch_dir.h"

namespace bench {
namespace {

TEST(BenchSides, TheEngineAndSqliteHoldTheSameDataThroughEveryWorkload) {
  testing_support::ScratchDir dir;
  Random random(7);
  const std::vector<SampleRecord> records = makeRecords(300, random);
  const std::vector<int> ids = randomIds(300, 500, random);
  std::vector<std::int32_t> values;
  for (int i = 0; i < 500; ++i) values.push_back(static_cast<std::int32_t>(random.below(800)));

  EngineSide ours(dir.file("b.edb"));
  SqliteSide sqlite(platform::gbkToUtf8(dir.file("b.sqlite")));
  ASSERT_TRUE(ours.ok()) << ours.error();
  ASSERT_TRUE(sqlite.ok()) << sqlite.error();

  ASSERT_TRUE(ours.append(records).has_value()) << ours.error();
  ASSERT_TRUE(sqlite.append(records).has_value()) << sqlite.error();
  const std::optional<std::uint64_t> appended = ours.scan();
  ASSERT_TRUE(appended.has_value()) << ours.error();
  EXPECT_EQ(appended, sqlite.scan());
  const std::optional<std::uint64_t> found = ours.find(ids, kDomainColumn);
  ASSERT_TRUE(found.has_value()) << ours.error();
  EXPECT_EQ(found, sqlite.find(ids, kDomainColumn));

  ASSERT_TRUE(ours.update(ids, values).has_value()) << ours.error();
  ASSERT_TRUE(sqlite.update(ids, values).has_value()) << sqlite.error();
  const std::optional<std::uint64_t> updated = ours.scan();
  EXPECT_NE(updated, appended);
  EXPECT_EQ(updated, sqlite.scan());

  EXPECT_EQ(ours.pack(), std::optional<std::uint64_t>(150)) << ours.error();
  EXPECT_EQ(sqlite.pack(), std::optional<std::uint64_t>(150)) << sqlite.error();
  EXPECT_EQ(ours.scan(), sqlite.scan());
  const std::vector<int> odd{1, 3, 299};
  EXPECT_EQ(ours.find(odd, 1), sqlite.find(odd, 1));
  EXPECT_FALSE(ours.find(std::vector<int>{2}, 1).has_value());  // packed away
  EXPECT_NE(ours.error(), "");
}

TEST(BenchSampleData, RecordsFitTheirColumnsAndRepeatForTheSameSeed) {
  Random first(11), second(11), other(12);
  const std::vector<SampleRecord> records = makeRecords(200, first);
  EXPECT_EQ(records, makeRecords(200, second));
  EXPECT_NE(records, makeRecords(200, other));
  bool anyChinese = false;
  for (const SampleRecord& record : records) {
    for (int i = 0; i < kColumnCount; ++i) {
      const Column& column = sampleColumns()[i];
      if (column.type != recorddb::kTypeText) {
        EXPECT_EQ(record[i].kind(), recorddb::ValueKind::Integer);
        continue;
      }
      ASSERT_EQ(record[i].kind(), recorddb::ValueKind::Text);
      EXPECT_LE(record[i].asText().size(), static_cast<std::size_t>(column.length)) << column.name;
      for (char c : record[i].asText()) anyChinese = anyChinese || base::isLeadByte(c);
    }
  }
  EXPECT_TRUE(anyChinese);
}

TEST(BenchReport, LinesGiveBothTimesAndTheRatioAndTheTargetsSayWhatWasMissed) {
  const Comparison append{"append", 812.4, 640, 2.0};
  const Comparison scan{"scan", 3.26, 2.5, 1.0};
  EXPECT_EQ(reportLine(append), "append: ours 812 ms, sqlite 640 ms, ratio 1.27");
  EXPECT_EQ(reportLine(scan), "scan: ours 3.3 ms, sqlite 2.5 ms, ratio 1.30");
  EXPECT_EQ(targetsLine({append}), "targets: met");
  EXPECT_EQ(targetsLine({append, scan, scan}), "targets: missed by scan 1.30 > 1.0, scan 1.30 > 1.0");
}

}  // namespace
}  // namespace bench
