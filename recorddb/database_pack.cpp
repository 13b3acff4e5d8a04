// Packing: the delete-marked records leave the file and the live ones close up, in order.
//
// The records move down in chunks, each written over the slots of records already moved or
// dropped. Until the new slot count is written, slots between the last record moved and the first
// one not yet read hold stale copies; so a pack must not stop there. The steps:
// 1. Move the live records down, chunk by chunk. The memo and bytes values of the dropped records
//    stay where they are: the records still stand in the file, and a chain freed now would be
//    freed again by the next pack if this one stopped.
// 2. Write the new slot count. From here on the file holds each live record once; the slots
//    after the count are cut off (or, if the cut fails, by the next opening).
// 3. Free the values of the dropped records, which no record refers to any more.
// When step 1 or 2 fails (a chunk that cannot be read, any write), every record read so far goes
// back to its own slot, from the last one down so that no record is overwritten before it is
// read again; a dropped record comes back delete-marked, with its ID and without values, and its
// values are freed. The file then holds every live record once, in slot order, with the slot count
// as before, and the next pack drops the emptied records.
//
// A process that stops during step 1 cannot put anything back. Before the first record moves, a
// marker file is written beside the database; it goes once the new slot count is flushed. A
// database opened for writing with the marker still there is packed once more with another rule:
// since the IDs grow from slot to slot, a record whose ID is not above that of a record before it
// is a stale copy, and only those are dropped (their values belong to the copy moved down, so
// nothing is freed). That pass may itself stop anywhere: it leaves the same kind of file, and the
// marker, behind.

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/paths.h"
#include "recorddb/db_paths.h"
#include "recorddb/error_codes.h"
#include "recorddb/format.h"
#include "recorddb/open_database.h"

namespace recorddb {
namespace {

constexpr std::int64_t kPackChunkBytes = 163840;

std::int32_t idMagnitude(std::int32_t id) { return id == INT32_MIN ? INT32_MAX : std::abs(id); }

std::int32_t recordsPerChunk(std::int32_t recordLength) {
  return static_cast<std::int32_t>(std::max<std::int64_t>(1, kPackChunkBytes / recordLength));
}

// The whole-database lock for one pass over the records, released when the pass ends.
class WholeDatabaseLock {
 public:
  WholeDatabaseLock(LockTable& locks, platform::File& file) : locks_(locks), file_(file) {}
  int take() {
    const int result = locks_.lockWhole(file_);
    held_ = result == kDbOk;
    return result;
  }
  ~WholeDatabaseLock() {
    if (held_) locks_.unlockWhole(file_);
  }
  WholeDatabaseLock(const WholeDatabaseLock&) = delete;
  WholeDatabaseLock& operator=(const WholeDatabaseLock&) = delete;

 private:
  LockTable& locks_;
  platform::File& file_;
  bool held_ = false;
};

}  // namespace

struct OpenDatabase::PackProgress {
  enum class Drop {
    DeleteMarked,  // a pack: the delete-marked records, whose values are freed afterwards
    StaleCopies,   // after a stopped pack: the records whose ID is not above an earlier one's
  };
  Drop drop = Drop::DeleteMarked;
  bool markerWritten = false;
  std::int32_t largestKeptId = 0;  // of the records kept so far
  std::int32_t perChunk = 1;
  std::int32_t examined = 0;  // the slots 0 .. examined − 1 were read
  std::int32_t kept = 0;      // their live records, moved to the slots 0 .. kept − 1
  std::vector<std::int32_t> droppedSlots;  // the slots of their delete-marked records, ascending
  std::vector<std::int32_t> droppedIds;    // the IDs stored in those slots
  std::vector<std::int32_t> droppedValues; // the first blocks of those records' memo and bytes values
  // The live records of a chunk whose write failed, which belong at the slots from unwrittenSlot on.
  std::string unwritten;
  std::int32_t unwrittenSlot = 0;

  // Where the live record read from `slot` (not a dropped one) lies once moved.
  std::int32_t movedSlot(std::int32_t slot) const {
    const auto dropsBefore = std::lower_bound(droppedSlots.begin(), droppedSlots.end(), slot) - droppedSlots.begin();
    return slot - static_cast<std::int32_t>(dropsBefore);
  }
};

int OpenDatabase::packRecords(std::int32_t slotCount, PackProgress& progress) {
  const auto recordLength = static_cast<std::size_t>(header_.recordLength);
  std::string chunk;
  for (std::int32_t first = 0; first < slotCount; first += progress.perChunk) {
    const std::int32_t count = std::min(progress.perChunk, slotCount - first);
    chunk.resize(static_cast<std::size_t>(count) * recordLength);
    std::size_t got = 0;
    const int result = file_.readAt(slotOffset(first), chunk.data(), chunk.size(), got);
    if (result != platform::kFileOk && result != platform::kFileEndOfFile) return result;
    if (got < chunk.size()) return kDbReadRecordFailed;
    std::size_t keptBytes = 0;
    for (std::int32_t i = 0; i < count; ++i) {
      const char* record = chunk.data() + static_cast<std::size_t>(i) * recordLength;
      const std::int32_t id = format::readInt32(record);
      const bool deleteMarkedDrop = progress.drop == PackProgress::Drop::DeleteMarked;
      if (deleteMarkedDrop ? id < 0 : idMagnitude(id) <= progress.largestKeptId) {
        progress.droppedSlots.push_back(first + i);
        progress.droppedIds.push_back(id);
        for (const format::FieldDescriptor& field : fields_) {
          if (!deleteMarkedDrop || !format::isAuxType(field.type)) continue;
          if (const std::int32_t value = format::readInt32(record + field.offset)) progress.droppedValues.push_back(value);
        }
        continue;
      }
      progress.largestKeptId = std::max(progress.largestKeptId, idMagnitude(id));
      if (record != chunk.data() + keptBytes) std::memmove(chunk.data() + keptBytes, record, recordLength);
      keptBytes += recordLength;
    }
    const std::int32_t to = progress.kept;
    progress.kept += static_cast<std::int32_t>(keptBytes / recordLength);
    progress.examined = first + count;
    if (!progress.droppedSlots.empty() && keptBytes > 0) {
      int written = progress.markerWritten ? kDbOk : writePackMarker();
      progress.markerWritten = progress.markerWritten || written == kDbOk;
      if (written == kDbOk) written = writeRecordArea(slotOffset(to), chunk.data(), keptBytes);
      if (written != kDbOk) {
        chunk.resize(keptBytes);
        progress.unwritten = std::move(chunk);
        progress.unwrittenSlot = to;
        return writeError(written, kDbUnknown);
      }
    }
  }
  return kDbOk;
}

int OpenDatabase::readCompacted(const PackProgress& progress, std::int32_t from, std::int32_t to, std::string& records) {
  const auto recordLength = static_cast<std::size_t>(header_.recordLength);
  records.assign(static_cast<std::size_t>(to - from) * recordLength, '\0');
  const std::int32_t bufferFrom = progress.unwrittenSlot;
  const std::int32_t bufferTo = bufferFrom + static_cast<std::int32_t>(progress.unwritten.size() / recordLength);
  const std::int32_t overlapFrom = std::max(from, bufferFrom);
  const std::int32_t overlapTo = std::min(to, bufferTo);
  const bool allInBuffer = overlapFrom <= from && overlapTo >= to && !progress.unwritten.empty();
  if (!allInBuffer && to > from) {
    std::size_t got = 0;
    const int result = file_.readAt(slotOffset(from), records.data(), records.size(), got);
    if (result != platform::kFileOk && result != platform::kFileEndOfFile) return result;
    if (got < records.size()) return kDbReadRecordFailed;
  }
  if (overlapFrom < overlapTo) {
    std::memcpy(records.data() + static_cast<std::size_t>(overlapFrom - from) * recordLength,
                progress.unwritten.data() + static_cast<std::size_t>(overlapFrom - bufferFrom) * recordLength,
                static_cast<std::size_t>(overlapTo - overlapFrom) * recordLength);
  }
  return kDbOk;
}

int OpenDatabase::restoreSlotOrder(const PackProgress& progress) {
  const auto recordLength = static_cast<std::size_t>(header_.recordLength);
  const std::int32_t firstDropped = progress.droppedSlots.front();
  std::string moved;
  std::string restored;
  auto dropped = progress.droppedSlots.end();
  for (std::int32_t end = progress.examined; end > firstDropped;) {
    const std::int32_t start = std::max(firstDropped, end - progress.perChunk);
    if (int result = readCompacted(progress, progress.movedSlot(start), progress.movedSlot(end), moved)) return result;
    restored.assign(static_cast<std::size_t>(end - start) * recordLength, '\0');
    const char* next = moved.data();
    for (std::int32_t slot = start; slot < end; ++slot) {
      char* record = restored.data() + static_cast<std::size_t>(slot - start) * recordLength;
      const auto found = std::lower_bound(progress.droppedSlots.begin(), dropped, slot);
      if (found != dropped && *found == slot) {
        format::writeInt32(record, progress.droppedIds[static_cast<std::size_t>(found - progress.droppedSlots.begin())]);
      } else {
        std::memcpy(record, next, recordLength);
        next += recordLength;
      }
    }
    if (int written = writeRecordArea(slotOffset(start), restored.data(), restored.size())) {
      return writeError(written, kDbUnknown);
    }
    dropped = std::lower_bound(progress.droppedSlots.begin(), dropped, start);
    end = start;
  }
  return kDbOk;
}

int OpenDatabase::freeDroppedValues(const PackProgress& progress) {
  int outcome = kDbOk;
  if (!aux_) return outcome;
  for (std::int32_t first : progress.droppedValues) {
    if (int result = aux_->free(first)) outcome = result;  // the pack goes on
  }
  return outcome;
}

int OpenDatabase::writePackMarker() {
  platform::File marker;
  constexpr std::string_view kText = "packing";
  int result = marker.open(packMarkerPathFor(fullPath_), platform::FileAccess::Write, platform::ShareMode::DenyNone,
                           platform::OpenMode::CreateAlways);
  if (result == platform::kFileOk) result = marker.writeAt(0, kText.data(), kText.size());
  if (result == platform::kFileOk) result = marker.flush();
  return result;
}

void OpenDatabase::removePackMarker() {
  // A marker that stays costs the next opening one more pass over the records, nothing else.
  (void)platform::deleteFile(packMarkerPathFor(fullPath_));
}

int OpenDatabase::settleMovedRecords(const PackProgress& progress, std::int32_t nextId, int& cut) {
  cut = platform::kFileOk;
  if (int result = writeCounters({progress.kept, nextId})) return result;
  if (progress.markerWritten) {
    // The marker may go only once the count that hides the stale copies is on the disk.
    if (int result = file_.flush()) return result;
    removePackMarker();
  }
  cut = file_.setLength(slotOffset(progress.kept));
  return kDbOk;
}

int OpenDatabase::finishInterruptedPack() {
  if (!platform::pathExists(packMarkerPathFor(fullPath_))) return kDbOk;
  WholeDatabaseLock wholeLock(locks_, file_);
  if (int result = wholeLock.take()) return result;
  Counters counters{};
  cachedCounters_.reset();
  if (int result = readCounters(counters)) return result;
  PackProgress progress;
  progress.drop = PackProgress::Drop::StaleCopies;
  progress.markerWritten = true;
  progress.perChunk = recordsPerChunk(header_.recordLength);
  const int moved = packRecords(std::max(counters.slotCount, 0), progress);
  if (cached()) view_->release();
  cachedCounters_.reset();
  if (moved != kDbOk) return moved;  // the marker stays: the next opening tries again
  if (progress.droppedSlots.empty()) {
    removePackMarker();
    return kDbOk;
  }
  const std::int32_t nextId = progress.largestKeptId < INT32_MAX
                                  ? std::max(counters.nextId, progress.largestKeptId + 1) : counters.nextId;
  int cut = platform::kFileOk;
  const int settled = settleMovedRecords(progress, nextId, cut);
  if (cached()) view_->release();
  cachedCounters_.reset();
  currentRecord_ = 0;
  return settled;
}

int OpenDatabase::pack() {
  // Packing moves records: a record being written is written first.
  if (int result = finishPending()) return result;
  WholeDatabaseLock wholeLock(locks_, file_);
  if (int result = wholeLock.take()) return result;

  Counters counters{};
  cachedCounters_.reset();  // read the count from the file itself
  if (int result = readCounters(counters)) return result;
  PackProgress progress;
  progress.perChunk = recordsPerChunk(header_.recordLength);
  int stopped = packRecords(std::max(counters.slotCount, 0), progress);
  if (progress.droppedSlots.empty()) {  // nothing moved
    if (stopped != kDbOk) return stopped;
    currentRecord_ = 0;
    return kDbOk;
  }
  const bool allMoved = stopped == kDbOk;
  int cut = platform::kFileOk;
  if (allMoved) {
    if (int result = settleMovedRecords(progress, counters.nextId, cut)) stopped = writeError(result, kDbUnknown);
  }
  if (cached()) view_->release();  // the file shrinks, or records went back to their slots
  cachedCounters_.reset();
  if (stopped != kDbOk) {
    // A failed count may have reached the file in part: the old one is written again. If the
    // records cannot all go back, their values stay: lost space at worst, never a value freed
    // while a record still refers to it.
    int restored = restoreSlotOrder(progress);
    if (restored == kDbOk && allMoved) restored = writeCounters(counters);
    if (restored == kDbOk && progress.markerWritten && file_.flush() == platform::kFileOk) removePackMarker();
    if (restored == kDbOk) (void)freeDroppedValues(progress);
    if (cached()) view_->release();
    cachedCounters_.reset();
    return stopped;
  }
  const int freed = freeDroppedValues(progress);
  currentRecord_ = 0;
  return cut != platform::kFileOk ? writeError(cut, kDbUnknown) : freed;
}

}  // namespace recorddb
