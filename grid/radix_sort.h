#pragma once
// A stable least-significant-digit radix sort of (unsigned key, row index) entries, done in steps so
// that events may run between them. Used for the number keys of the grid's sort, where it beats a
// comparison sort by a wide margin on long lists.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace grid {

struct RadixEntry {
  std::uint64_t key = 0;
  std::size_t index = 0;
};

// Sorts `entries` by key, keeping the order of equal keys; `scratch` is working memory (its
// content is replaced). Only the digits below the highest set bit of `maxKey` (the largest key)
// are looked at. `betweenSteps` is called between steps of at most `stepSize` entries; when it
// answers false the sort stops there and answers false, `entries` holding its keys in no useful order.
bool radixSortInSteps(std::vector<RadixEntry>& entries, std::vector<RadixEntry>& scratch, std::uint64_t maxKey,
                      const std::function<bool()>& betweenSteps, std::size_t stepSize);

}  // namespace grid
