#pragma once
// The byte locks a database holds on its database file: one-byte locks (the header lock and record
// locks) counted per offset, and the whole-database lock, taken as runs around the bytes already
// held. While the database is exclusive or wholly locked (depth > 0) byte locks are not taken.

#include <cstdint>
#include <vector>

#include "platform/file.h"

namespace recorddb {

class LockTable {
 public:
  // `exclusive`: the share mode keeps every other process out, so no locks are ever needed.
  explicit LockTable(bool exclusive) : depth_(exclusive ? 1 : 0) {}

  int lockByte(platform::File& file, std::uint64_t offset, int minimumWait = 0);
  int unlockByte(platform::File& file, std::uint64_t offset);
  int lockWhole(platform::File& file);
  void unlockWhole(platform::File& file);
  // Releases everything (closing the database).
  void releaseAll(platform::File& file);

 private:
  struct HeldByte {
    std::uint64_t offset;
    int extra;    // further takings of the same byte
    bool locked;  // false when the platform could not lock it (which counts as taken)
  };
  struct Run {
    std::uint64_t start;
    std::uint64_t end;
    bool locked;
  };

  int depth_;
  std::vector<HeldByte> held_;
  std::vector<Run> wholeRuns_;
};

}  // namespace recorddb
