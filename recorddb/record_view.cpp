#include "recorddb/record_view.h"

#include <algorithm>

#include "recorddb/error_codes.h"

namespace recorddb {
namespace {

// The file is mapped anew once this many records lie beyond the view (or an eighth of the
// mapped ones, so that growing lists map O(log n) times).
constexpr std::int32_t kMinUnmappedRecords = 64;

}  // namespace

void RecordView::remap(const platform::File& file, std::int32_t slotCount) {
  std::uint64_t length = 0;
  if (file.length(length) != platform::kFileOk) return;
  const std::uint64_t wanted = offsetOf(slotCount);
  if (length < wanted || view_.map(file, wanted) != platform::kFileOk) {
    view_.unmap();
    mappedSlots_ = 0;
    mappingFailed_ = length >= wanted;
    return;
  }
  mappedSlots_ = slotCount;
}

int RecordView::record(platform::File& file, std::int32_t slot, std::int32_t slotCount, const char*& bytes) {
  if (slot >= mappedSlots_ && !mappingFailed_ &&
      slotCount - mappedSlots_ >= std::max(kMinUnmappedRecords, mappedSlots_ / 8)) {
    remap(file, slotCount);
  }
  if (slot < mappedSlots_) {
    bytes = view_.data() + offsetOf(slot);
    return kDbOk;
  }
  std::size_t got = 0;
  int result = file.readAt(offsetOf(slot), scratch_.data(), scratch_.size(), got);
  if (result == platform::kFileEndOfFile) return kDbSeekFailed;
  if (result != platform::kFileOk) return result;
  if (got < scratch_.size()) return kDbReadFieldFailed;
  bytes = scratch_.data();
  return kDbOk;
}

void RecordView::release() {
  view_.unmap();
  mappedSlots_ = 0;
  mappingFailed_ = false;
}

}  // namespace recorddb
