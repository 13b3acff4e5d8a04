#pragma once
// What a page's rows cost in memory: the heap bytes the grid's rows take (their vector and each
// row's block of cell texts, allocator overhead included, as glibc's mallinfo2 counts them) per
// byte of cell text, beside the same texts held as a vector of strings per row.

#include <vector>

#include "grid/grid_data.h"

namespace bench {

struct PageMemory {
  double cellTextBytes = 0;
  double gridBytesPerTextByte = 0;
  double stringsBytesPerTextByte = 0;  // the same cells as std::vector<std::vector<std::string>>
};

// Copies `rows` once in each form and counts what each copy took from the heap.
PageMemory measurePageMemory(const std::vector<grid::GridRow>& rows);

}  // namespace bench
