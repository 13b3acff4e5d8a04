#pragma once
// A settings file in memory that can be told to fail, to watch what the store writes.

#include <string>

#include "settings/store_file.h"

namespace settings {

class MemoryStoreFile : public StoreFile {
 public:
  bool replaceFrom(std::uint64_t offset, std::string_view tail) override {
    ++writes;
    if (failing) return false;
    bytes.resize(static_cast<std::size_t>(offset));
    bytes.append(tail);
    return true;
  }

  std::string bytes;
  bool failing = false;
  int writes = 0;
};

}  // namespace settings
