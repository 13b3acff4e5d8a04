#include "recorddb/aux_store.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "recorddb/error_codes.h"
#include "recorddb/format.h"
#include "recorddb/lock_wait.h"

namespace recorddb {
namespace {

using format::BlockHead;
using format::kBlockDataSize;
using format::kBlockHeadSize;
using format::kBlockSize;

std::uint64_t blockOffset(std::int32_t block) { return static_cast<std::uint64_t>(block) * kBlockSize; }

// Platform failures keep their code; anything else is a failure of the auxiliary file.
int auxError(int result) { return result < 0 && result >= platform::kFileEndOfFile ? result : kDbAuxAccessFailed; }

// One lock byte of the auxiliary file, released when the object goes.
class ByteLock {
 public:
  ByteLock(platform::File& file, bool enabled) : file_(file), enabled_(enabled) {}
  ~ByteLock() { release(); }
  ByteLock(const ByteLock&) = delete;
  ByteLock& operator=(const ByteLock&) = delete;

  int take(std::uint64_t offset) {
    release();
    if (!enabled_) return kDbOk;
    int result = retryWhileBusy([&] { return file_.lock(offset, 1); });
    if (result == platform::kFileNotSupported) return kDbOk;  // counts as taken, nothing to unlock
    if (result != platform::kFileOk) return result;
    offset_ = offset;
    return kDbOk;
  }
  void release() {
    if (offset_) (void)file_.unlock(*offset_, 1);
    offset_.reset();
  }

 private:
  platform::File& file_;
  bool enabled_;
  std::optional<std::uint64_t> offset_;
};

}  // namespace

int AuxStore::blocksInFile(std::int32_t& count) const {
  std::uint64_t length = 0;
  int result = file_.length(length);
  if (result != platform::kFileOk) return result;
  count = static_cast<std::int32_t>(std::min<std::uint64_t>(length / kBlockSize, INT32_MAX));
  return kDbOk;
}

int AuxStore::read(std::int32_t first, std::string& value) {
  value.clear();
  if (first == 0) return kDbOk;
  if (!file_.isOpen()) return kDbAuxAccessFailed;
  std::int32_t blocks = 0;
  if (int result = blocksInFile(blocks)) return result;
  ByteLock lock(file_, lockReads_);
  char block[kBlockSize];
  std::int32_t steps = 0;
  for (std::int32_t n = first; n != 0;) {
    if (n < 1 || n >= blocks || ++steps > blocks) return kDbAuxAccessFailed;  // outside, or a loop
    if (int result = lock.take(blockOffset(n))) return result;
    std::size_t got = 0;
    int result = file_.readAt(blockOffset(n), block, kBlockSize, got);
    if (result != platform::kFileOk || got < kBlockSize) return auxError(result);
    BlockHead head = BlockHead::decode(block);
    if (head.used < 0 || head.used > kBlockDataSize) return kDbAuxAccessFailed;
    value.append(block + kBlockHeadSize, static_cast<std::size_t>(head.used));
    n = head.next;
  }
  return kDbOk;
}

// One run of writeAuxValue: the header (read when first needed), the blocks touched so far, and
// the block waiting to be written until its successor is known.
class AuxStore::Writer {
 public:
  explicit Writer(AuxStore& store)
      : store_(store), file_(store.file_), headerLock_(file_, store.lockWrites_),
        blockLocks_{{file_, store.lockWrites_}, {file_, store.lockWrites_}} {}

  int run(std::string_view value, std::int32_t old, std::int32_t& first) {
    first = 0;
    if (int result = store_.blocksInFile(blocksInFile_)) return result;
    touched_.assign(static_cast<std::size_t>(blocksInFile_), false);
    nextOld_ = old;
    std::size_t done = 0;
    std::int32_t previous = 0;
    while (done < value.size()) {
      std::int32_t picked = 0;
      if (int result = pick(picked)) return result;
      if (first == 0) first = picked;
      if (pending_) {
        pending_->head.next = picked;
        if (int result = writePending()) return result;
      }
      pendingSlot_ = 1 - pendingSlot_;  // the picked block's lock now belongs to the pending block
      const auto used = static_cast<std::int32_t>(std::min<std::size_t>(value.size() - done, kBlockDataSize));
      pending_ = Pending{picked, BlockHead{previous, 0, used}, std::string(value.substr(done, used))};
      previous = picked;
      done += static_cast<std::size_t>(used);
    }
    if (pending_) {
      if (int result = writePending()) return result;
    }
    if (nextOld_ != 0) {
      if (int result = freeRest()) return result;
    }
    return finish();
  }

 private:
  struct Pending {
    std::int32_t block;
    BlockHead head;
    std::string data;
  };

  // A block number that may be used: inside the file (or just added) and not touched before.
  bool claim(std::int32_t block) {
    if (block < 1) return false;
    if (static_cast<std::size_t>(block) >= touched_.size()) touched_.resize(static_cast<std::size_t>(block) + 1, false);
    if (touched_[static_cast<std::size_t>(block)]) return false;
    touched_[static_cast<std::size_t>(block)] = true;
    return true;
  }

  bool insideFile(std::int32_t block) const { return block >= 1 && block < blocksInFile_; }
  ByteLock& pendingLock() { return blockLocks_[pendingSlot_]; }
  ByteLock& pickLock() { return blockLocks_[1 - pendingSlot_]; }

  int loadHeader() {
    if (header_) return kDbOk;
    if (int result = headerLock_.take(0)) return result;
    // Another process may have added blocks since this run began; under the header lock the file
    // length is settled.
    if (int result = store_.blocksInFile(blocksInFile_)) return result;
    std::size_t got = 0;
    int result = file_.readAt(0, headerBytes_, sizeof headerBytes_, got);
    if (result != platform::kFileOk || got < sizeof headerBytes_) return auxError(result);
    header_ = format::AuxHeader::decode(headerBytes_);
    if (header_->blockCount < 1 || header_->blockCount > blocksInFile_ || header_->freeCount < 0 ||
        header_->freeCount >= header_->blockCount || header_->firstFree < 0 ||
        header_->firstFree >= header_->blockCount) {
      return kDbAuxAccessFailed;
    }
    return kDbOk;
  }

  int readHead(std::int32_t block, BlockHead& head) {
    char bytes[kBlockHeadSize];
    std::size_t got = 0;
    int result = file_.readAt(blockOffset(block), bytes, sizeof bytes, got);
    if (result != platform::kFileOk || got < sizeof bytes) return auxError(result);
    head = BlockHead::decode(bytes);
    if (head.used < 0 || head.used > kBlockDataSize) return kDbAuxAccessFailed;
    return kDbOk;
  }

  int writeHead(std::int32_t block, const BlockHead& head) {
    char bytes[kBlockHeadSize];
    head.encode(bytes);
    int result = file_.writeAt(blockOffset(block), bytes, sizeof bytes);
    return result == platform::kFileOk ? kDbOk : auxError(result);
  }

  int writeBlock(std::int32_t block, const BlockHead& head, std::string_view data) {
    char bytes[kBlockSize] = {};
    head.encode(bytes);
    if (!data.empty()) std::memcpy(bytes + kBlockHeadSize, data.data(), data.size());
    int result = file_.writeAt(blockOffset(block), bytes, kBlockSize);
    return result == platform::kFileOk ? kDbOk : auxError(result);
  }

  int pick(std::int32_t& picked) {
    if (nextOld_ != 0) {
      picked = nextOld_;
      if (!insideFile(picked) || !claim(picked)) return kDbAuxAccessFailed;
      if (int result = pickLock().take(blockOffset(picked))) return result;
      BlockHead head;
      if (int result = readHead(picked, head)) return result;
      nextOld_ = head.next;
      return kDbOk;
    }
    if (int result = loadHeader()) return result;
    if (header_->freeCount > 0) {
      picked = header_->firstFree;
      if (!insideFile(picked) || !claim(picked)) return kDbAuxAccessFailed;
      BlockHead head;
      if (int result = readHead(picked, head)) return result;
      header_->firstFree = head.next;
      --header_->freeCount;
    } else {
      if (header_->blockCount == INT32_MAX) return kDbAuxAccessFailed;
      picked = header_->blockCount++;
      if (!claim(picked)) return kDbAuxAccessFailed;
    }
    return pickLock().take(blockOffset(picked));
  }

  int writePending() {
    int result = writeBlock(pending_->block, pending_->head, pending_->data);
    pendingLock().release();
    pending_.reset();
    return result;
  }

  // Frees the old blocks that were not reused, putting them at the head of the free list.
  int freeRest() {
    if (int result = loadHeader()) return result;
    ByteLock lock(file_, store_.lockWrites_);
    std::int32_t firstFreed = nextOld_;
    std::int32_t freed = 0;
    for (std::int32_t n = nextOld_; n != 0;) {
      if (!insideFile(n) || !claim(n)) return kDbAuxAccessFailed;
      if (int result = lock.take(blockOffset(n))) return result;
      BlockHead head;
      if (int result = readHead(n, head)) return result;
      head.used = 0;
      if (n == firstFreed) head.previous = 0;
      const bool last = head.next == 0;
      if (last) {
        head.next = header_->firstFree;
        if (header_->firstFree != 0 && header_->freeCount > 0) {
          if (!insideFile(header_->firstFree)) return kDbAuxAccessFailed;
          BlockHead oldHead;
          if (int result = readHead(header_->firstFree, oldHead)) return result;
          oldHead.previous = n;
          if (int result = writeHead(header_->firstFree, oldHead)) return result;
        }
      }
      const std::int32_t next = last ? 0 : head.next;
      if (int result = writeBlock(n, head, {})) return result;
      if (n == header_->blockCount - 1) lastBlockFreed_ = true;
      ++freed;
      n = next;
    }
    header_->firstFree = firstFreed;
    header_->freeCount += freed;
    return kDbOk;
  }

  // Cuts free blocks off the end of the file.
  int shrink() {
    std::int32_t j = header_->blockCount - 1;
    for (; j >= 1; --j) {
      if (!insideFile(j)) break;
      BlockHead head;
      if (int result = readHead(j, head)) return result;
      if (head.used != 0) break;
      if (j == header_->firstFree) {
        header_->firstFree = head.next;
      } else {
        if (!insideFile(head.previous)) return kDbAuxAccessFailed;
        BlockHead before;
        if (int result = readHead(head.previous, before)) return result;
        before.next = head.next;
        if (int result = writeHead(head.previous, before)) return result;
      }
      if (head.next != 0) {
        if (!insideFile(head.next)) return kDbAuxAccessFailed;
        BlockHead after;
        if (int result = readHead(head.next, after)) return result;
        after.previous = head.previous;
        if (int result = writeHead(head.next, after)) return result;
      }
      if (header_->freeCount > 0) --header_->freeCount;
    }
    header_->blockCount = j + 1;
    int result = file_.setLength(blockOffset(header_->blockCount));
    return result == platform::kFileOk ? kDbOk : auxError(result);
  }

  int finish() {
    if (!header_) return kDbOk;
    if (lastBlockFreed_) {
      if (int result = shrink()) return result;
    }
    // Only the counters change; the rest of the header stays as read.
    format::writeInt32(headerBytes_ + 16, header_->blockCount);
    format::writeInt32(headerBytes_ + 20, header_->freeCount);
    format::writeInt32(headerBytes_ + 24, header_->firstFree);
    int result = file_.writeAt(0, headerBytes_, sizeof headerBytes_);
    return result == platform::kFileOk ? kDbOk : auxError(result);
  }

  AuxStore& store_;
  platform::File& file_;
  ByteLock headerLock_;
  ByteLock blockLocks_[2];
  int pendingSlot_ = 0;
  char headerBytes_[format::kAuxHeaderSize] = {};
  std::optional<format::AuxHeader> header_;
  std::optional<Pending> pending_;
  std::vector<bool> touched_;
  std::int32_t blocksInFile_ = 0;
  std::int32_t nextOld_ = 0;
  bool lastBlockFreed_ = false;
};

int AuxStore::write(std::string_view value, std::int32_t old, std::int32_t& first) {
  first = 0;
  if (!file_.isOpen()) return kDbAuxAccessFailed;
  return Writer(*this).run(value, old, first);
}

}  // namespace recorddb
