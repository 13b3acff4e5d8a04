#pragma once
// Opening a list page in the program: a run folder holding one list made from the sample form, the
// program started on it (headless) with no item selected, then the list's tree item clicked. Timed
// from the click until the grid holds the last row and the key values are filed in the tree.

#include <optional>
#include <string>
#include <vector>

#include "bench/page_memory.h"
#include "bench/sample_data.h"

namespace bench {

struct PageOpen {
  double milliseconds = 0;  // the fastest run
  int rows = 0;             // the grid's rows afterwards
  int treeItems = 0;        // the tree's items afterwards
  PageMemory memory;        // of the page's rows
};

// Makes the list under `runFolder` (GBK) with `records`, then opens its page `runs` times, each in
// a freshly started program; nothing (and `error` set) when the list could not be made.
std::optional<PageOpen> timePageOpen(const std::string& runFolder, const std::vector<SampleRecord>& records,
                                     int runs, std::string& error);

}  // namespace bench
