#include "recorddb/open_database.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "recorddb/db_paths.h"
#include "recorddb/error_codes.h"
#include "recorddb/field_codec.h"
#include "recorddb/record_database.h"

namespace recorddb {
namespace {

constexpr std::uint64_t kHeaderLockOffset = format::kSlotCountOffset;
constexpr int kCountLockWait = 2000;

// Releases a byte lock of the table when the scope ends.
class HeldByte {
 public:
  HeldByte(LockTable& locks, platform::File& file, std::uint64_t offset) : locks_(locks), file_(file), offset_(offset) {}
  int take(int minimumWait = 0) {
    int result = locks_.lockByte(file_, offset_, minimumWait);
    held_ = result == kDbOk;
    return result;
  }
  ~HeldByte() {
    if (held_) (void)locks_.unlockByte(file_, offset_);
  }
  HeldByte(const HeldByte&) = delete;
  HeldByte& operator=(const HeldByte&) = delete;

 private:
  LockTable& locks_;
  platform::File& file_;
  std::uint64_t offset_;
  bool held_ = false;
};

}  // namespace

OpenDatabase::OpenDatabase(OpenedFiles files, base::TextValue fullPath, base::TextValue alias, int shareMode)
    : file_(std::move(files.database)),
      fullPath_(std::move(fullPath)),
      fileTitle_(fileTitleOf(fullPath_)),
      alias_(std::move(alias)),
      header_(files.header),
      fields_(std::move(files.fields)),
      dataStart_(files.dataStart),
      locks_(shareMode != kShareDenyNone && shareMode != kShareDenyWrite) {
  const bool othersMayWrite = shareMode == kShareDenyNone || shareMode == kShareDenyRead;
  const bool othersMayOpen = shareMode == kShareDenyNone || shareMode == kShareDenyWrite;
  if (!othersMayWrite) view_ = std::make_unique<RecordView>(dataStart_, header_.recordLength);
  if (files.auxiliary) {
    aux_ = std::make_unique<AuxStore>(std::move(*files.auxiliary), othersMayOpen, othersMayOpen && othersMayWrite);
  }
}

OpenDatabase::~OpenDatabase() {
  (void)finishPending();  // closing ends a record write; nobody is left to hear of a failure
  locks_.releaseAll(file_);
}

std::uint64_t OpenDatabase::slotOffset(std::int32_t slot) const {
  return static_cast<std::uint64_t>(dataStart_) +
         static_cast<std::uint64_t>(slot) * static_cast<std::uint64_t>(header_.recordLength);
}

int OpenDatabase::readCounters(Counters& counters, int minimumWait) {
  if (cachedCounters_) {
    counters = *cachedCounters_;
    return kDbOk;
  }
  HeldByte lock(locks_, file_, kHeaderLockOffset);
  if (int result = lock.take(minimumWait)) return result;
  char bytes[8];
  std::size_t got = 0;
  int result = file_.readAt(format::kSlotCountOffset, bytes, sizeof bytes, got);
  if (isPlatformError(result) && result != platform::kFileEndOfFile) return result;
  if (got < sizeof bytes) return kDbCountFailed;
  counters = {format::readInt32(bytes), format::readInt32(bytes + 4)};
  if (cached()) cachedCounters_ = counters;
  return kDbOk;
}

int OpenDatabase::writeCounters(const Counters& counters) {
  char bytes[8];
  format::writeInt32(bytes, counters.slotCount);
  format::writeInt32(bytes + 4, counters.nextId);
  int result = file_.writeAt(format::kSlotCountOffset, bytes, sizeof bytes);
  if (result != platform::kFileOk) {
    cachedCounters_.reset();
    return result;
  }
  if (cached()) cachedCounters_ = counters;
  return kDbOk;
}

int OpenDatabase::writeRecordArea(std::uint64_t position, const char* bytes, std::size_t size) {
  const int result = file_.writeAt(position, bytes, size);
  if (cached()) {
    // A failed write may have changed part of the range: the view reads it anew.
    if (result == platform::kFileOk) view_->wrote(position, bytes, size);
    else view_->release();
  }
  return result;
}

int OpenDatabase::slotCount(std::int32_t& count) {
  Counters counters{};
  int result = readCounters(counters, kCountLockWait);
  count = result == kDbOk ? std::max(counters.slotCount, 0) : 0;
  return result;
}

int OpenDatabase::nextId(std::int32_t& id) {
  Counters counters{};
  int result = readCounters(counters);
  id = result == kDbOk ? counters.nextId : 0;
  return result;
}

int OpenDatabase::fileLength(std::uint64_t& length) { return file_.length(length); }

int OpenDatabase::cachedSlotCount(std::int32_t slot, std::int32_t& slotCount) {
  Counters counters{};
  if (int result = readCounters(counters)) return result;
  slotCount = counters.slotCount;
  return slot < slotCount ? kDbOk : kDbSeekFailed;
}

int OpenDatabase::cachedRecord(std::int32_t slot, const char*& record) {
  std::int32_t slotCount = 0;
  if (int result = cachedSlotCount(slot, slotCount)) return result;
  return view_->record(file_, slot, slotCount, record);
}

int OpenDatabase::readRecordBytes(std::int32_t slot, std::int32_t offset, char* out, std::size_t size, bool locked) {
  if (cached()) {
    const char* record = nullptr;
    if (int result = cachedRecord(slot, record)) return result;
    std::memcpy(out, record + offset, size);
    return kDbOk;
  }
  HeldByte lock(locks_, file_, slotOffset(slot));
  if (locked) {
    if (int result = lock.take()) return result;
  }
  std::size_t got = 0;
  int result = file_.readAt(slotOffset(slot) + static_cast<std::uint64_t>(offset), out, size, got);
  if (result == platform::kFileEndOfFile) return kDbSeekFailed;
  if (result != platform::kFileOk) return result;
  return got < size ? kDbReadFieldFailed : kDbOk;
}

int OpenDatabase::readStoredId(std::int32_t slot, std::int32_t& id, bool locked) {
  if (cached()) {
    std::int32_t slotCount = 0;
    if (int result = cachedSlotCount(slot, slotCount)) return result;
    const int result = view_->storedId(file_, slot, slotCount, id);
    return result == kDbReadFieldFailed ? kDbReadRecordFailed : result;
  }
  char bytes[4];
  int result = readRecordBytes(slot, 0, bytes, sizeof bytes, locked);
  if (result != kDbOk) return result == kDbReadFieldFailed ? kDbReadRecordFailed : result;
  id = format::readInt32(bytes);
  return kDbOk;
}

int OpenDatabase::currentStoredId(std::int32_t& id) {
  if (currentRecord_ < 0) return kDbNoCurrentRecord;
  int result = readStoredId(currentRecord_, id, true);
  return result == kDbReadRecordFailed ? kDbReadFieldFailed : result;
}

int OpenDatabase::nextAppendId(const Counters& counters, std::int64_t& next) {
  next = std::max(counters.nextId, 1);
  if (counters.slotCount <= 0) return kDbOk;
  // A damaged header may name an ID that the last record already has, or one below it: the new
  // record still gets an ID above every other, which finding by ID relies on.
  std::int32_t last = 0;
  if (int result = readStoredId(counters.slotCount - 1, last, true)) return result;
  next = std::max<std::int64_t>(next, std::llabs(static_cast<long long>(last)) + 1);
  return kDbOk;
}

int OpenDatabase::recordIdsLeft(std::int64_t& left) {
  left = 0;
  HeldByte headerLock(locks_, file_, kHeaderLockOffset);
  if (int result = headerLock.take()) return result;
  Counters counters{};
  if (int result = readCounters(counters)) return result;
  std::int64_t next = 0;
  if (int result = nextAppendId(counters, next)) return result;
  const std::int64_t slotsLeft = INT32_MAX - static_cast<std::int64_t>(std::max(counters.slotCount, 0));
  left = std::max<std::int64_t>(std::min(INT32_MAX - next, slotsLeft), 0);
  return kDbOk;
}

int OpenDatabase::append() {
  HeldByte headerLock(locks_, file_, kHeaderLockOffset);
  if (int result = headerLock.take()) return result;
  Counters counters{};
  if (int result = readCounters(counters)) return result;
  counters.slotCount = std::max(counters.slotCount, 0);
  std::int64_t next = 0;
  if (int result = nextAppendId(counters, next)) return result == kDbReadRecordFailed ? kDbWriteRecordFailed : result;
  // The ID after the new one is stored too, so the largest int32 is never given.
  if (next >= INT32_MAX || counters.slotCount == INT32_MAX) return kDbRecordIdsExhausted;
  counters.nextId = static_cast<std::int32_t>(next);
  // Readers find a new record only through the slot count, which is written after the record.
  // The record lock keeps other processes off the new slot too.
  HeldByte recordLock(locks_, file_, slotOffset(counters.slotCount));
  if (int result = recordLock.take()) return result;
  const std::uint64_t position = slotOffset(counters.slotCount);
  if (!cached()) {
    std::uint64_t length = 0;
    if (int result = fileLength(length)) return result;
    if (length < position) return kDbSeekFailed;
  }
  std::string record(static_cast<std::size_t>(header_.recordLength), '\0');
  format::writeInt32(record.data(), counters.nextId);
  if (int result = writeRecordArea(position, record.data(), record.size())) {
    return writeError(result, kDbWriteRecordFailed);
  }
  const std::int32_t slot = counters.slotCount;
  if (int result = writeCounters({counters.slotCount + 1, counters.nextId + 1})) {
    return writeError(result, kDbWriteRecordFailed);
  }
  currentRecord_ = slot;
  return kDbOk;
}

int OpenDatabase::readField(std::size_t index, FieldValue& value) {
  const format::FieldDescriptor& field = fields_[index];
  if (currentRecord_ < 0) return kDbNoCurrentRecord;
  const char* bytes = nullptr;
  char copy[format::kMaxTextLength];
  // Held until a memo or bytes chain is read too, so that no writer elsewhere changes the chain
  // between the slot and its blocks.
  HeldByte lock(locks_, file_, slotOffset(currentRecord_));
  if (collecting(currentRecord_) && pending_->written[index]) {
    bytes = pending_->bytes.data() + field.offset;  // what the record write will store; locked already
  } else if (cached()) {
    const char* record = nullptr;
    if (int result = cachedRecord(currentRecord_, record)) return result;
    bytes = record + field.offset;
  } else {
    if (int result = lock.take()) return result;
    if (int result = readRecordBytes(currentRecord_, field.offset, copy, static_cast<std::size_t>(field.width), false)) {
      return result;
    }
    bytes = copy;
  }
  if (!format::isAuxType(field.type)) {
    value = decodeField(field, bytes);
    return kDbOk;
  }
  if (!aux_) return kDbReadFieldFailed;
  std::string stored;
  if (int result = aux_->read(format::readInt32(bytes), stored)) return result;
  value = decodeAuxValue(field, std::move(stored));
  return kDbOk;
}

int OpenDatabase::readTextView(std::size_t index, std::string_view& text) {
  const format::FieldDescriptor& field = fields_[index];
  if (field.type != kTypeText) return kDbValueKindMismatch;
  if (currentRecord_ < 0) return kDbNoCurrentRecord;
  const char* bytes = nullptr;
  const auto width = static_cast<std::size_t>(field.width);
  if (collecting(currentRecord_) && pending_->written[index]) {
    bytes = pending_->bytes.data() + field.offset;
  } else if (cached()) {
    const char* record = nullptr;
    if (int result = cachedRecord(currentRecord_, record)) return result;
    bytes = record + field.offset;
  } else {
    textBuffer_.resize(width);
    if (int result = readRecordBytes(currentRecord_, field.offset, textBuffer_.data(), width, true)) return result;
    bytes = textBuffer_.data();
  }
  // As decodeField reads it: up to the first NUL.
  const void* end = std::memchr(bytes, '\0', width);
  text = {bytes, end ? static_cast<std::size_t>(static_cast<const char*>(end) - bytes) : width};
  return kDbOk;
}

int OpenDatabase::writeField(std::size_t index, const FieldValue& given) {
  const format::FieldDescriptor& field = fields_[index];
  FieldValue value;
  if (int result = convertForField(field, given, value)) return result;
  if (currentRecord_ < 0) return kDbNoCurrentRecord;
  if (collecting(currentRecord_)) return collectField(field, value);
  HeldByte lock(locks_, file_, slotOffset(currentRecord_));
  if (int result = lock.take()) return result;
  const std::uint64_t position = slotOffset(currentRecord_) + static_cast<std::uint64_t>(field.offset);
  if (cached()) {
    Counters counters{};
    if (int result = readCounters(counters)) return result;
    if (currentRecord_ >= counters.slotCount) return kDbNoCurrentRecord;
  } else {
    std::uint64_t length = 0;
    if (int result = fileLength(length)) return result;
    if (position >= length) return kDbNoCurrentRecord;
  }
  char bytes[format::kMaxTextLength];
  if (format::isAuxType(field.type)) {
    if (!aux_) return kDbAuxAccessFailed;
    char slotBytes[4];
    int result = readRecordBytes(currentRecord_, field.offset, slotBytes, sizeof slotBytes, false);
    if (result != kDbOk) return result == kDbSeekFailed ? kDbReadFieldFailed : result;
    bool pointerWritten = false;
    if (int stored = writeAuxValue(value, format::readInt32(slotBytes), position, bytes, pointerWritten)) return stored;
    if (pointerWritten) return kDbOk;
  } else {
    encodeField(field, value, bytes);
  }
  if (int result = writeRecordArea(position, bytes, static_cast<std::size_t>(field.width))) {
    return writeError(result, kDbWriteFieldFailed);
  }
  return kDbOk;
}

int OpenDatabase::writeAuxValue(const FieldValue& value, std::int32_t old, std::uint64_t position, char* pointer,
                                bool& pointerWritten) {
  pointerWritten = false;
  if (value.asText().empty() && old != 0) {
    // The slot lets go of the chain before the chain is freed: a failure between the two leaves
    // lost blocks, never a slot that points into the free list.
    format::writeInt32(pointer, 0);
    if (int result = writeRecordArea(position, pointer, 4)) return writeError(result, kDbWriteFieldFailed);
    pointerWritten = true;
    return aux_->free(old);
  }
  std::int32_t first = 0;
  if (int stored = aux_->write(value.asText(), old, first)) return stored;
  format::writeInt32(pointer, first);
  return kDbOk;
}

int OpenDatabase::collectField(const format::FieldDescriptor& field, const FieldValue& value) {
  PendingRecord& pending = *pending_;
  const auto index = static_cast<std::size_t>(&field - fields_.data());
  char* bytes = pending.bytes.data() + field.offset;
  if (format::isAuxType(field.type)) {
    if (!aux_) return kDbAuxAccessFailed;
    if (!pending.written[index]) {
      int result = readRecordBytes(pending.slot, field.offset, bytes, 4, false);
      if (result != kDbOk) return result == kDbSeekFailed ? kDbReadFieldFailed : result;
    }
    // The chain is written at once; the record takes the new pointer with the other fields.
    bool pointerWritten = false;
    const std::uint64_t position = slotOffset(pending.slot) + static_cast<std::uint64_t>(field.offset);
    if (int stored = writeAuxValue(value, format::readInt32(bytes), position, bytes, pointerWritten)) return stored;
  } else {
    encodeField(field, value, bytes);
  }
  pending.written[index] = true;
  return kDbOk;
}

int OpenDatabase::beginRecordWrite() {
  if (currentRecord_ < 0) return kDbNoCurrentRecord;
  int depth = 0;
  if (pending_ && pending_->slot != currentRecord_) {
    depth = pending_->depth;
    if (int result = finishPending()) return result;
  }
  if (!pending_) {
    if (int result = startPending(currentRecord_)) return result;
    pending_->depth = depth;
  }
  ++pending_->depth;
  return kDbOk;
}

int OpenDatabase::endRecordWrite() {
  if (!pending_) return kDbOk;
  if (--pending_->depth > 0) return kDbOk;
  return finishPending();
}

int OpenDatabase::startPending(std::int32_t slot) {
  if (int result = locks_.lockByte(file_, slotOffset(slot))) return result;
  int exists = kDbOk;
  if (cached()) {
    Counters counters{};
    exists = readCounters(counters);
    if (exists == kDbOk && slot >= counters.slotCount) exists = kDbNoCurrentRecord;
  } else {
    std::uint64_t length = 0;
    exists = fileLength(length);
    if (exists == kDbOk && slotOffset(slot) + static_cast<std::uint64_t>(header_.recordLength) > length) {
      exists = kDbNoCurrentRecord;
    }
  }
  if (exists != kDbOk) {
    (void)locks_.unlockByte(file_, slotOffset(slot));
    return exists;
  }
  // The buffers are kept from one record write to the next.
  pending_.emplace(std::move(spare_));
  pending_->slot = slot;
  pending_->bytes.resize(static_cast<std::size_t>(header_.recordLength));
  pending_->written.assign(fields_.size(), false);
  pending_->depth = 0;
  return kDbOk;
}

int OpenDatabase::finishPending() {
  if (!pending_) return kDbOk;
  PendingRecord pending = std::move(*pending_);
  pending_.reset();
  // One write for each run of adjacent written fields: one in all when every field was written.
  int result = kDbOk;
  for (std::size_t i = 0; i < fields_.size() && result == kDbOk;) {
    if (!pending.written[i]) {
      ++i;
      continue;
    }
    const auto from = static_cast<std::size_t>(fields_[i].offset);
    std::size_t to = from;
    for (; i < fields_.size() && pending.written[i] && static_cast<std::size_t>(fields_[i].offset) == to; ++i) {
      to += static_cast<std::size_t>(fields_[i].width);
    }
    const int written = writeRecordArea(slotOffset(pending.slot) + from, pending.bytes.data() + from, to - from);
    if (written != platform::kFileOk) result = writeError(written, kDbWriteFieldFailed);
  }
  const int unlocked = locks_.unlockByte(file_, slotOffset(pending.slot));
  spare_ = std::move(pending);
  return result != kDbOk ? result : unlocked;
}

int OpenDatabase::deleteCurrent() {
  if (currentRecord_ < 0) return kDbNoCurrentRecord;
  if (collecting(currentRecord_)) {
    if (int result = finishPending()) return result;  // the fields land before the mark
  }
  HeldByte lock(locks_, file_, slotOffset(currentRecord_));
  if (int result = lock.take()) return result;
  std::int32_t id = 0;
  int result = readStoredId(currentRecord_, id, false);
  if (result == kDbSeekFailed) return kDbNoCurrentRecord;
  if (result != kDbOk) return result;
  if (id <= 0) return kDbOk;
  char bytes[4];
  format::writeInt32(bytes, -id);
  if (int written = writeRecordArea(slotOffset(currentRecord_), bytes, sizeof bytes)) {
    return writeError(written, kDbWriteRecordFailed);
  }
  return kDbOk;
}

int OpenDatabase::findId(std::int32_t id, bool& found) {
  found = false;
  HeldByte headerLock(locks_, file_, kHeaderLockOffset);
  if (!cached()) {
    if (int result = headerLock.take()) return result;
  }
  Counters counters{};
  if (int result = readCounters(counters)) return result;
  std::int32_t lo = 0;
  std::int32_t hi = counters.slotCount - 1;
  while (lo <= hi) {
    const std::int32_t mid = lo + (hi - lo) / 2;
    std::int32_t stored = 0;
    int result = readStoredId(mid, stored, true);
    if (result != kDbOk) return result == kDbReadFieldFailed || result == kDbSeekFailed ? kDbReadRecordFailed : result;
    const std::int64_t m = std::llabs(static_cast<std::int64_t>(stored));
    if (m == id) {
      currentRecord_ = mid;
      found = true;
      return kDbOk;
    }
    if (id < m) {
      hi = mid - 1;
    } else {
      lo = mid + 1;
    }
  }
  return kDbOk;
}

}  // namespace recorddb
