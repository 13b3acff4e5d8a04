#pragma once
// Timing a workload on both sides and the report lines:
// "name: ours X ms, sqlite Y ms, ratio X/Y" (another reference side is named instead of sqlite).

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace bench {

struct Timed {
  std::optional<std::uint64_t> digest;
  double milliseconds = 0;
};

// Runs `work` once and measures it.
template <typename Work>
Timed timed(Work work) {
  const auto start = std::chrono::steady_clock::now();
  Timed result{work(), 0};
  result.milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  return result;
}

struct Comparison {
  std::string name;
  double ours = 0;    // milliseconds
  double sqlite = 0;  // milliseconds of the reference side
  double target = 0;  // the largest ratio ours/SQLite that meets the target
  std::string reference = "sqlite";  // what the reference side is called in the line
  double ratio() const { return ours / sqlite; }
};

std::string reportLine(const Comparison& comparison);

// "targets: met", or "targets: missed by scan 3.10 > 1.0, ..." naming every workload over its target.
std::string targetsLine(const std::vector<Comparison>& comparisons);

}  // namespace bench
