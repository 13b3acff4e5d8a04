#include "bench/page_memory.h"

#include <malloc.h>

#include <string>

namespace bench {
namespace {

std::size_t heapInUse() { return mallinfo2().uordblks; }

}  // namespace

PageMemory measurePageMemory(const std::vector<grid::GridRow>& rows) {
  PageMemory memory;
  for (const grid::GridRow& row : rows) memory.cellTextBytes += static_cast<double>(row.cells.textBytes());
  if (memory.cellTextBytes == 0) return memory;

  std::size_t before = heapInUse();
  {
    const std::vector<grid::GridRow> copy(rows.begin(), rows.end());
    memory.gridBytesPerTextByte = static_cast<double>(heapInUse() - before) / memory.cellTextBytes;
  }
  before = heapInUse();
  {
    std::vector<std::vector<std::string>> strings;
    strings.reserve(rows.size());
    for (const grid::GridRow& row : rows) strings.push_back(row.cells.texts());
    memory.stringsBytesPerTextByte = static_cast<double>(heapInUse() - before) / memory.cellTextBytes;
  }
  return memory;
}

}  // namespace bench
