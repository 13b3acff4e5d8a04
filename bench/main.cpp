// gebu-bench: times the record database engine against SQLite on the same data in one run and
// prints one line per workload: "name: ours X ms, sqlite Y ms, ratio X/Y"; then the record grid's
// sorts against std::stable_sort of the same keys ("sort-text: ours X ms, stable_sort Y ms, ratio
// R") and its bulk append; then whether the ratios met their targets.
// Usage: gebu-bench [--records N]   (N records, 100000 by default)

#include <algorithm>
#include <chrono>
#include <malloc.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "bench/engine_side.h"
#include "bench/grid_bench.h"
#include "bench/page_open_bench.h"
#include "bench/ping_bench.h"
#include "bench/report.h"
#include "bench/sample_data.h"
#include "bench/sqlite_side.h"
#include "bench/values_bench.h"
#include "platform/text_codec.h"

namespace {

constexpr int kDefaultRecords = 100000;
constexpr std::uint64_t kSeed = 20240601;
// How often the workloads that only read run on each side.
constexpr int kReadRuns = 3;

// A fresh folder for the benchmark's files, removed with them at the end.
class WorkFolder {
 public:
  WorkFolder() {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() / ("gebu-bench-" + std::to_string(stamp));
    std::filesystem::create_directories(path_);
  }
  ~WorkFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  std::string file(const char* name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// The record count of "--records N", nothing for a wrong call.
std::optional<int> recordCountArgument(int argc, char** argv) {
  if (argc == 1) return kDefaultRecords;
  if (argc != 3 || std::string(argv[1]) != "--records") return std::nullopt;
  char* end = nullptr;
  const long count = std::strtol(argv[2], &end, 10);
  if (*end != '\0' || count < 2 || count > 10000000) return std::nullopt;
  return static_cast<int>(count);
}

using Work = std::function<std::optional<std::uint64_t>()>;

// Runs a workload on one side, keeping the fastest of its runs; false when it failed.
bool runSide(const char* name, const Work& work, const bench::Side& side, const char* sideName, bench::Timed& best) {
  const bench::Timed run = bench::timed(work);
  if (!run.digest) {
    std::fprintf(stderr, "%s (%s): %s\n", name, sideName, side.error().c_str());
    return false;
  }
  if (best.digest && *best.digest != *run.digest) {
    std::fprintf(stderr, "%s (%s): the runs read different data\n", name, sideName);
    return false;
  }
  if (!best.digest || run.milliseconds < best.milliseconds) best = run;
  return true;
}

// Times one workload on both sides, `runs` times in turn (only workloads that change nothing run
// more than once; each side's fastest run counts, which evens out a busy machine), checks that
// both read the same, and prints its line.
bool compare(bench::Comparison comparison, int runs, const Work& ours, const Work& sqlite,
             const bench::Side& oursSide, const bench::Side& sqliteSide,
             std::vector<bench::Comparison>& comparisons) {
  bench::Timed a, b;
  for (int run = 0; run < runs; ++run) {
    if (!runSide(comparison.name.c_str(), ours, oursSide, "ours", a) ||
        !runSide(comparison.name.c_str(), sqlite, sqliteSide, "sqlite", b)) {
      return false;
    }
  }
  if (*a.digest != *b.digest) {
    std::fprintf(stderr, "%s: the two sides read different data\n", comparison.name.c_str());
    return false;
  }
  comparison.ours = a.milliseconds;
  comparison.sqlite = b.milliseconds;
  std::printf("%s\n", bench::reportLine(comparison).c_str());
  std::fflush(stdout);
  comparisons.push_back(comparison);
  return true;
}

// Filing key values into the tree: `count` records with count / 2 distinct values against a tenth
// of that, each run five times in turn with the fastest run counting. Freed memory stays with
// the process meanwhile, so that both sizes run on memory already touched: otherwise the small
// run reuses what the large one touched first and the ratio measures the machine's page faults.
// Near-linear work keeps the ratio near 10.
bool compareValueFiling(const WorkFolder& folder, int count, std::vector<bench::Comparison>& comparisons) {
  constexpr int kKeepFreedBytes = 1 << 30;
  mallopt(M_TRIM_THRESHOLD, kKeepFreedBytes);
  mallopt(M_MMAP_THRESHOLD, kKeepFreedBytes / 2);
  constexpr double kTarget = 12;
  const int small = std::max(count / 10, 2);
  bench::Comparison comparison{"values", 0, 0, kTarget};
  constexpr int kRuns = 5;
  for (int run = 0; run < kRuns; ++run) {
    for (const int records : {count, small}) {
      std::string error;
      const std::string runFolder = "values-" + std::to_string(records) + "-" + std::to_string(run);
      const auto filing = bench::timeValueFiling(platform::pathTextFromUtf8(folder.file(runFolder.c_str())), records,
                                                 records / 2, error);
      if (!filing || filing->valueItems != records / 2) {
        std::fprintf(stderr, "values: %s\n", filing ? "not every value was filed" : error.c_str());
        return false;
      }
      double& best = records == count ? comparison.ours : comparison.sqlite;
      if (run == 0 || filing->milliseconds < best) best = filing->milliseconds;
    }
  }
  std::printf("values: %d records %.0f ms, %d records %.1f ms, ratio %.2f\n", count, comparison.ours, small,
              comparison.sqlite, comparison.ratio());
  std::fflush(stdout);
  comparisons.push_back(comparison);
  return true;
}

// Opening a list page of `records` in the program against SQLite's SELECT * of the same number of
// records, each side's fastest of three runs.
bool comparePageOpen(const WorkFolder& folder, const std::vector<bench::SampleRecord>& records,
                     bench::SqliteSide& sqlite, std::vector<bench::Comparison>& comparisons) {
  constexpr int kRuns = 3;
  std::string error;
  const auto opened = bench::timePageOpen(platform::pathTextFromUtf8(folder.file("page-open")), records, kRuns, error);
  if (!opened) {
    std::fprintf(stderr, "page-open: %s\n", error.c_str());
    return false;
  }
  bench::Timed scan;
  for (int run = 0; run < kRuns; ++run) {
    const bench::Timed timedScan = bench::timed([&] { return sqlite.scan(); });
    if (!timedScan.digest) {
      std::fprintf(stderr, "page-open (sqlite): %s\n", sqlite.error().c_str());
      return false;
    }
    if (run == 0 || timedScan.milliseconds < scan.milliseconds) scan = timedScan;
  }
  const bench::Comparison comparison{"page-open", opened->milliseconds, scan.milliseconds, 1.5};
  std::printf("%s\n", bench::reportLine(comparison).c_str());
  const bench::PageMemory& memory = opened->memory;
  std::printf("page-memory: %.1f MB of cell text, the grid's rows %.2f bytes per byte, vectors of strings %.2f\n",
              memory.cellTextBytes / 1e6, memory.gridBytesPerTextByte, memory.stringsBytesPerTextByte);
  comparisons.push_back({"page-memory", memory.gridBytesPerTextByte, 1.0, 2.0, "text"});
  std::fflush(stdout);
  comparisons.push_back(comparison);
  return true;
}

// PING over 100 rows against a local server that answers after 50 ms, five probes at a time,
// against the ideal of 20 rounds of 50 ms.
bool comparePing(const WorkFolder& folder, std::vector<bench::Comparison>& comparisons) {
  constexpr int kRows = 100;
  constexpr int kDelayMs = 50;
  std::string error;
  const auto ping = bench::timePing(platform::pathTextFromUtf8(folder.file("ping")), kRows, kDelayMs, error);
  if (!ping) {
    std::fprintf(stderr, "ping: %s\n", error.c_str());
    return false;
  }
  bench::Comparison comparison{"ping", ping->milliseconds, ping->idealMilliseconds, 1.05, "ideal"};
  std::printf("%s, at most %d probes at once\n", bench::reportLine(comparison).c_str(), ping->mostProbesAtOnce);
  std::fflush(stdout);
  comparisons.push_back(comparison);
  return true;
}

// The record grid: sorting by a text, an integer and a time column against std::stable_sort of the
// same keys, and appending rows during a bulk load (timed alone).
void compareGridWorkloads(int count, std::vector<bench::Comparison>& comparisons) {
  constexpr int kSortRuns = 5;
  for (const bench::Comparison& sort : bench::compareGridSorts(count, kSortRuns, kSeed)) {
    std::printf("%s\n", bench::reportLine(sort).c_str());
    comparisons.push_back(sort);
  }
  std::printf("append-rows: %d rows %.0f ms\n", count, bench::timeGridAppend(count, kSeed));
  std::fflush(stdout);
}

int runBenchmark(int count) {
  bench::Random random(kSeed);
  const std::vector<bench::SampleRecord> records = bench::makeRecords(count, random);
  const std::vector<int> findIds = bench::randomIds(count, count, random);
  const std::vector<int> updateIds = bench::randomIds(count, count, random);
  std::vector<std::int32_t> updateValues;
  for (int i = 0; i < count; ++i) updateValues.push_back(static_cast<std::int32_t>(random.below(800)));

  WorkFolder folder;
  bench::EngineSide ours(platform::pathTextFromUtf8(folder.file("bench.edb")));
  bench::SqliteSide sqlite(folder.file("bench.sqlite"));
  if (!ours.ok() || !sqlite.ok()) {
    std::fprintf(stderr, "setting up: %s%s\n", ours.error().c_str(), sqlite.error().c_str());
    return 1;
  }

  std::vector<bench::Comparison> comparisons;
  auto both = [&](const char* name, double target, int runs, const Work& oursWork, const Work& sqliteWork) {
    return compare({name, 0, 0, target}, runs, oursWork, sqliteWork, ours, sqlite, comparisons);
  };
  const bool ran =
      both("append", 1.5, 1, [&] { return ours.append(records); }, [&] { return sqlite.append(records); }) &&
      both("scan", 1.0, kReadRuns, [&] { return ours.scan(); }, [&] { return sqlite.scan(); }) &&
      both("find", 1.0, kReadRuns, [&] { return ours.find(findIds, bench::kDomainColumn); },
           [&] { return sqlite.find(findIds, bench::kDomainColumn); }) &&
      both("update", 0.3, 1, [&] { return ours.update(updateIds, updateValues); },
           [&] { return sqlite.update(updateIds, updateValues); });
  if (!ran) return 1;
  if (ours.scan() != sqlite.scan()) {  // the updates landed alike
    std::fprintf(stderr, "update: the two sides hold different data afterwards\n");
    return 1;
  }
  if (!both("pack", 2.0, 1, [&] { return ours.pack(); }, [&] { return sqlite.pack(); })) return 1;
  if (!compareValueFiling(folder, count, comparisons)) return 1;
  if (!comparePageOpen(folder, records, sqlite, comparisons)) return 1;
  if (!comparePing(folder, comparisons)) return 1;
  compareGridWorkloads(count, comparisons);
  std::printf("%s\n", bench::targetsLine(comparisons).c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<int> count = recordCountArgument(argc, argv);
  if (!count) {
    std::fprintf(stderr, "usage: gebu-bench [--records N]\n");
    return 2;
  }
  return runBenchmark(*count);
}
