#include "grid/radix_sort.h"

#include <algorithm>
#include <array>
#include <bit>
#include <utility>

namespace grid {
namespace {

constexpr int kDigitBits = 11;
constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;
constexpr std::uint64_t kDigitMask = kBuckets - 1;

using Counts = std::array<std::size_t, kBuckets>;

std::size_t digitOf(std::uint64_t key, int pass) {
  return static_cast<std::size_t>(key >> (pass * kDigitBits) & kDigitMask);
}

}  // namespace

bool radixSortInSteps(std::vector<RadixEntry>& entries, std::vector<RadixEntry>& scratch, std::uint64_t maxKey,
                      const std::function<bool()>& betweenSteps, std::size_t stepSize) {
  const std::size_t n = entries.size();
  const int passes = (std::bit_width(maxKey) + kDigitBits - 1) / kDigitBits;
  if (n < 2 || passes == 0) return true;
  const std::size_t step = std::max<std::size_t>(stepSize, 1);

  // One reading of the keys counts the digits of every pass.
  std::vector<Counts> counts(static_cast<std::size_t>(passes), Counts{});
  for (const RadixEntry& entry : entries) {
    for (int pass = 0; pass < passes; ++pass) ++counts[static_cast<std::size_t>(pass)][digitOf(entry.key, pass)];
  }

  // Short lists are sorted in one go; long ones let events run between steps.
  const bool pumping = betweenSteps && n > step;
  bool firstStep = true;
  const auto goOn = [&] {
    const bool more = !pumping || firstStep || betweenSteps();
    firstStep = false;
    return more;
  };
  scratch.resize(n);
  for (int pass = 0; pass < passes; ++pass) {
    Counts& count = counts[static_cast<std::size_t>(pass)];
    // A digit that all keys share leaves the order as it is.
    if (std::find(count.begin(), count.end(), n) != count.end()) continue;
    std::size_t start = 0;
    for (std::size_t& bucket : count) start += std::exchange(bucket, start);  // bucket starts
    for (std::size_t lo = 0; lo < n; lo += step) {
      if (!goOn()) return false;
      const std::size_t hi = std::min(lo + step, n);
      for (std::size_t i = lo; i < hi; ++i) scratch[count[digitOf(entries[i].key, pass)]++] = entries[i];
    }
    entries.swap(scratch);
  }
  return true;
}

}  // namespace grid
