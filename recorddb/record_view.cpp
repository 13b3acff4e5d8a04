#include "recorddb/record_view.h"

#include <algorithm>
#include <cstring>

#include "recorddb/error_codes.h"
#include "recorddb/format.h"

namespace recorddb {
namespace {

// A window grows to at most this many bytes (and always holds at least one record).
constexpr std::size_t kMaxWindowBytes = 256 * 1024;

}  // namespace

std::int32_t RecordView::windowSlotsFor(std::int32_t slot) const {
  const auto largest = static_cast<std::int32_t>(
      std::max<std::size_t>(1, kMaxWindowBytes / static_cast<std::size_t>(recordLength_)));
  // Reading on where the window ends is a scan: the next window is twice as large.
  const bool continues = windowSlots_ > 0 && slot == windowFirst_ + windowSlots_;
  return continues ? std::min(largest, windowSlots_ * 2) : 1;
}

int RecordView::record(platform::File& file, std::int32_t slot, std::int32_t slotCount, const char*& bytes) {
  const auto length = static_cast<std::size_t>(recordLength_);
  if (slot >= windowFirst_ && slot < windowFirst_ + windowSlots_) {
    bytes = window_.data() + static_cast<std::size_t>(slot - windowFirst_) * length;
    return kDbOk;
  }
  const std::int32_t wanted = std::min(windowSlotsFor(slot), slotCount - slot);
  window_.resize(static_cast<std::size_t>(std::max(wanted, 1)) * length);
  windowSlots_ = 0;
  std::size_t got = 0;
  const int result = file.readAt(offsetOf(slot), window_.data(), window_.size(), got);
  if (result == platform::kFileEndOfFile) return kDbSeekFailed;
  if (result != platform::kFileOk) return result;
  if (got < length) return kDbReadFieldFailed;
  windowFirst_ = slot;
  windowSlots_ = static_cast<std::int32_t>(got / length);
  keepWindowIds();
  bytes = window_.data();
  return kDbOk;
}

void RecordView::keepWindowIds() {
  const auto kept = static_cast<std::int32_t>(ids_.size());
  if (kept < windowFirst_ || kept >= windowFirst_ + windowSlots_) return;
  for (std::int32_t slot = kept; slot < windowFirst_ + windowSlots_; ++slot) {
    ids_.push_back(format::readInt32(window_.data() + static_cast<std::size_t>(slot - windowFirst_) * recordLength_));
  }
}

int RecordView::storedId(platform::File& file, std::int32_t slot, std::int32_t slotCount, std::int32_t& id) {
  while (static_cast<std::int32_t>(ids_.size()) <= slot) {
    const char* bytes = nullptr;
    if (int result = record(file, static_cast<std::int32_t>(ids_.size()), slotCount, bytes)) return result;
    keepWindowIds();  // the window holds the first slot whose ID is not kept yet
  }
  id = ids_[static_cast<std::size_t>(slot)];
  return kDbOk;
}

void RecordView::keepWrittenIds(std::uint64_t position, const char* bytes, std::size_t size) {
  constexpr std::uint64_t kIdBytes = 4;
  const std::uint64_t end = position + size;
  if (end <= static_cast<std::uint64_t>(dataStart_)) return;
  const auto length = static_cast<std::uint64_t>(recordLength_);
  const std::uint64_t firstByte = std::max(position, static_cast<std::uint64_t>(dataStart_));
  const std::uint64_t first = (firstByte - static_cast<std::uint64_t>(dataStart_)) / length;
  const std::uint64_t last = (end - 1 - static_cast<std::uint64_t>(dataStart_)) / length;
  for (std::uint64_t slot = first; slot <= last && slot <= ids_.size(); ++slot) {
    const std::uint64_t idStart = offsetOf(static_cast<std::int32_t>(slot));
    if (idStart >= end || idStart + kIdBytes <= position) continue;  // the write misses this ID
    if (idStart < position || idStart + kIdBytes > end) {
      ids_.resize(static_cast<std::size_t>(slot));  // part of an ID: it is read anew when needed
      return;
    }
    const std::int32_t id = format::readInt32(bytes + (idStart - position));
    if (slot == ids_.size()) ids_.push_back(id);
    else ids_[static_cast<std::size_t>(slot)] = id;
  }
}

void RecordView::wrote(std::uint64_t position, const char* bytes, std::size_t size) {
  keepWrittenIds(position, bytes, size);
  if (windowSlots_ == 0) return;
  const std::uint64_t windowStart = offsetOf(windowFirst_);
  const std::uint64_t windowEnd = offsetOf(windowFirst_ + windowSlots_);
  const std::uint64_t from = std::max(position, windowStart);
  const std::uint64_t to = std::min(position + size, windowEnd);
  if (from >= to) return;
  std::memcpy(window_.data() + (from - windowStart), bytes + (from - position), static_cast<std::size_t>(to - from));
}

void RecordView::release() {
  windowSlots_ = 0;
  ids_.clear();
}

}  // namespace recorddb
