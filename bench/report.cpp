#include "bench/report.h"

#include <cmath>
#include <cstdio>

namespace bench {
namespace {

std::string formatted(const char* format, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

// One decimal, or two where the target has them (1.05).
const char* targetFormat(double target) { return std::round(target * 10) == target * 10 ? "%.1f" : "%.2f"; }

// Whole milliseconds, with one decimal below 10 ms so that quick runs still say something.
std::string milliseconds(double value) { return formatted(value < 10 ? "%.1f" : "%.0f", value); }

}  // namespace

std::string reportLine(const Comparison& comparison) {
  return comparison.name + ": ours " + milliseconds(comparison.ours) + " ms, " + comparison.reference + " " +
         milliseconds(comparison.sqlite) + " ms, ratio " + formatted("%.2f", comparison.ratio());
}

std::string targetsLine(const std::vector<Comparison>& comparisons) {
  std::string missed;
  for (const Comparison& comparison : comparisons) {
    if (comparison.ratio() <= comparison.target) continue;
    missed += (missed.empty() ? " " : ", ") + comparison.name + " " + formatted("%.2f", comparison.ratio()) + " > " +
              formatted(targetFormat(comparison.target), comparison.target);
  }
  return missed.empty() ? "targets: met" : "targets: missed by" + missed;
}

}  // namespace bench
