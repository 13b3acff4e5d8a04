#pragma once
// The auxiliary file of a database: memo and bytes values as chains of 512-byte blocks, with a
// free list of blocks to reuse. Damaged chains (a loop, a block outside the file, a used count
// above 500) give kDbAuxAccessFailed instead of reading or writing wildly.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file.h"

namespace recorddb {

class AuxStore {
 public:
  // `lockWrites`: whether changes take the header and block locks (not when no other process can
  // open the file); `lockReads`: whether reads do (not when no other process can write).
  AuxStore(platform::File file, bool lockWrites, bool lockReads)
      : file_(std::move(file)), lockWrites_(lockWrites), lockReads_(lockReads) {}

  // The value whose chain starts at `first` (0: empty). 0 or an error code.
  int read(std::int32_t first, std::string& value);
  // Stores `value`, reusing the blocks of the chain at `old` and freeing what is left of it;
  // `first` receives the new chain's first block (0 for an empty value).
  int write(std::string_view value, std::int32_t old, std::int32_t& first);
  int free(std::int32_t first) {
    std::int32_t ignored = 0;
    return write({}, first, ignored);
  }

  platform::File& file() { return file_; }

 private:
  class Writer;

  // Blocks wholly present in the file.
  int blocksInFile(std::int32_t& count) const;

  platform::File file_;
  bool lockWrites_;
  bool lockReads_;
};

}  // namespace recorddb
