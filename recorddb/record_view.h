#pragma once
// The records of a database that no other process can write, read through a window of consecutive
// records kept in memory. Reads in slot order widen the window, so that a scan takes a few large
// reads; a read elsewhere starts a small window there. The engine's own writes to records are
// copied into the window, so it never shows stale bytes.
//
// The IDs stored in the records are kept in memory too, from the first slot on, as reads in slot
// order pass them; looking up an ID then takes no reading.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/file.h"

namespace recorddb {

class RecordView {
 public:
  RecordView(std::int32_t dataStart, std::int32_t recordLength) : dataStart_(dataStart), recordLength_(recordLength) {}

  // The bytes of the record in `slot`, which must be below `slotCount`. The pointer is valid until
  // the next call. 0 or an error code.
  int record(platform::File& file, std::int32_t slot, std::int32_t slotCount, const char*& bytes);
  // The ID stored in `slot` (below `slotCount`); IDs not yet kept are read first, in slot order.
  int storedId(platform::File& file, std::int32_t slot, std::int32_t slotCount, std::int32_t& id);
  // The engine wrote `size` bytes at `position` of the file.
  void wrote(std::uint64_t position, const char* bytes, std::size_t size);
  // Forgets the window and the IDs (after a failed write, or before the file is cut shorter).
  void release();

 private:
  std::uint64_t offsetOf(std::int32_t slot) const {
    return static_cast<std::uint64_t>(dataStart_) +
           static_cast<std::uint64_t>(slot) * static_cast<std::uint64_t>(recordLength_);
  }
  // How many records the window is to hold from `slot` on.
  std::int32_t windowSlotsFor(std::int32_t slot) const;
  // Keeps the IDs of the window's records that follow the ones kept.
  void keepWindowIds();
  void keepWrittenIds(std::uint64_t position, const char* bytes, std::size_t size);

  std::int32_t dataStart_;
  std::int32_t recordLength_;
  std::string window_;              // the records windowFirst_ .. windowFirst_ + windowSlots_ - 1
  std::int32_t windowFirst_ = 0;
  std::int32_t windowSlots_ = 0;
  std::vector<std::int32_t> ids_;   // the IDs stored in slots 0 .. ids_.size() - 1
};

}  // namespace recorddb
