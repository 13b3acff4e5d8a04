#pragma once
// The record grid's workloads on the headless toolkit: sorting 100,000 rows by a text, an integer
// and a time column against a plain std::stable_sort of the same precomputed keys, and appending
// rows during a bulk load.

#include <cstdint>
#include <vector>

#include "bench/report.h"

namespace bench {

// "sort-text", "sort-int" and "sort-time": the grid's sortByColumn (keys made from the cells
// included) against std::stable_sort of the keys made beforehand; the fastest of `runs` counts.
std::vector<Comparison> compareGridSorts(int rows, int runs, std::uint64_t seed);

// `rows` appendRow calls with noRedraw, then one redraw; milliseconds.
double timeGridAppend(int rows, std::uint64_t seed);

}  // namespace bench
