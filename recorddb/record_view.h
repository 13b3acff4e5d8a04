#pragma once
// The records of a database that no other process can write, read through a memory view of the
// file. The view shows the engine's own writes at once; records appended after it was mapped are
// read from the file until enough of them have gathered to map the file anew.

#include <cstdint>
#include <string>

#include "platform/file.h"
#include "platform/file_view.h"

namespace recorddb {

class RecordView {
 public:
  RecordView(std::int32_t dataStart, std::int32_t recordLength)
      : dataStart_(dataStart), recordLength_(recordLength), scratch_(static_cast<std::size_t>(recordLength), '\0') {}

  // The bytes of the record in `slot`, which must be below `slotCount`. The pointer is valid until
  // the next call. 0 or an error code.
  int record(platform::File& file, std::int32_t slot, std::int32_t slotCount, const char*& bytes);
  // Lets the view go (before the file is cut shorter).
  void release();

 private:
  std::uint64_t offsetOf(std::int32_t slot) const {
    return static_cast<std::uint64_t>(dataStart_) +
           static_cast<std::uint64_t>(slot) * static_cast<std::uint64_t>(recordLength_);
  }
  void remap(const platform::File& file, std::int32_t slotCount);

  std::int32_t dataStart_;
  std::int32_t recordLength_;
  platform::FileView view_;
  std::int32_t mappedSlots_ = 0;
  bool mappingFailed_ = false;  // no room for a view: records are read from the file
  std::string scratch_;
};

}  // namespace recorddb
