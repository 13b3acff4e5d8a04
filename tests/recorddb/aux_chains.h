#pragma once
// A check of a closed database's auxiliary file against its records, for tests.

#include <string>
#include <vector>

#include "recorddb/format.h"
#include "recorddb/record_database.h"

namespace recorddb {

// Whether a block in no chain and not on the free list is a problem. A write that stops half-way
// may leave such a block behind: lost space, but no value in danger.
enum class LostBlocks { Problem, Allowed };

// Walks the auxiliary file: every block must be in exactly one value chain (linked both ways,
// 1..500 bytes used) or on the free list (as long as its count, nothing used). The first problem,
// or "".
inline std::string auxProblem(const std::string& database, const std::string& aux, const DatabaseLayout& layout,
                              LostBlocks lost = LostBlocks::Problem) {
  if (aux.size() % 512 != 0) return "a partial block";
  const std::int32_t blocks = format::readInt32(aux.data() + 16);
  // Blocks past the count (a cut that failed) are lost space too.
  const bool fits = lost == LostBlocks::Allowed ? static_cast<std::size_t>(blocks) * 512 <= aux.size()
                                                : static_cast<std::size_t>(blocks) * 512 == aux.size();
  if (blocks < 1 || !fits) return "block count " + std::to_string(blocks);
  std::vector<bool> seen(static_cast<std::size_t>(blocks), false);
  auto visit = [&](std::int32_t block, const std::string& what) -> std::string {
    if (block < 1 || block >= blocks) return what + ": block " + std::to_string(block) + " outside";
    if (seen[static_cast<std::size_t>(block)]) return what + ": block " + std::to_string(block) + " twice";
    seen[static_cast<std::size_t>(block)] = true;
    return "";
  };
  auto head = [&](std::int32_t block, int part) { return format::readInt32(aux.data() + block * 512 + part * 4); };
  for (std::int32_t slot = 0; slot < layout.slotCount; ++slot) {
    for (const FieldLayout& field : layout.fields) {
      if (field.type != kTypeMemo && field.type != kTypeBytes) continue;
      std::int32_t previous = 0;
      for (std::int32_t block = format::readInt32(database.data() + layout.dataStart + slot * layout.recordLength +
                                                  field.offset);
           block != 0; previous = block, block = head(block, 1)) {
        const std::string what = "chain of slot " + std::to_string(slot);
        if (std::string problem = visit(block, what); !problem.empty()) return problem;
        if (head(block, 0) != previous) return what + ": previous of " + std::to_string(block);
        if (head(block, 2) < 1 || head(block, 2) > 500) return what + ": used of " + std::to_string(block);
      }
    }
  }
  std::int32_t block = format::readInt32(aux.data() + 24);
  for (std::int32_t n = format::readInt32(aux.data() + 20); n > 0; --n, block = head(block, 1)) {
    if (std::string problem = visit(block, "free list"); !problem.empty()) return problem;
    if (head(block, 2) != 0) return "free block " + std::to_string(block) + " in use";
  }
  if (block != 0) return "free list longer than its count";
  if (lost == LostBlocks::Allowed) return "";
  for (std::int32_t n = 1; n < blocks; ++n) {
    if (!seen[static_cast<std::size_t>(n)]) return "block " + std::to_string(n) + " lost";
  }
  return "";
}

}  // namespace recorddb
