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

// One run of writeAuxValue: the header (read when first needed) and the blocks touched so far.
//
// The steps are ordered so that a run that stops at any write leaves every block in at most one
// chain or on the free list, and every chain linked soundly; what may be left is a value that is
// part old, part new, and blocks that are neither in a chain nor free (lost space):
// 1. every block of the new chain is picked first (the old chain's blocks in order, then the free
//    list's head, then new blocks at the end);
// 2. when blocks were taken from the free list or the end, the header records that before any of
//    them is written, so that no block is free and in a chain at once;
// 3. the chain is written from its last block to its first, so that a block is linked to only
//    once it holds its part;
// 4. the old blocks left over (no longer linked once the last reused block was written) are put on
//    the free list, and the header written with them;
// 5. when they were the last blocks of the file, the file is cut after the header is written.
class AuxStore::Writer {
 public:
  explicit Writer(AuxStore& store)
      : store_(store), file_(store.file_), headerLock_(file_, store.lockWrites_), blockLock_(file_, store.lockWrites_) {}

  int run(std::string_view value, std::int32_t old, std::int32_t& first) {
    first = 0;
    if (int result = store_.blocksInFile(blocksInFile_)) return result;
    touched_.assign(static_cast<std::size_t>(blocksInFile_), false);
    nextOld_ = old;
    std::vector<std::int32_t> chain;
    chain.reserve((value.size() + kBlockDataSize - 1) / kBlockDataSize);
    for (std::size_t done = 0; done < value.size(); done += kBlockDataSize) {
      std::int32_t picked = 0;
      if (int result = pick(picked)) return result;
      chain.push_back(picked);
    }
    if (header_ && takenAny_) {
      if (int result = writeHeader()) return result;
    }
    for (std::size_t k = chain.size(); k-- > 0;) {
      const std::size_t start = k * kBlockDataSize;
      const auto used = static_cast<std::int32_t>(std::min<std::size_t>(value.size() - start, kBlockDataSize));
      const BlockHead head{k > 0 ? chain[k - 1] : 0, k + 1 < chain.size() ? chain[k + 1] : 0, used};
      if (int result = blockLock_.take(blockOffset(chain[k]))) return result;
      if (int result = writeBlock(chain[k], head, value.substr(start, static_cast<std::size_t>(used)))) return result;
    }
    blockLock_.release();
    first = chain.empty() ? 0 : chain.front();
    if (nextOld_ != 0) {
      if (int result = freeRest()) return result;
    }
    return finish();
  }

 private:
  // A block number that may be used: inside the file (or just added) and not touched before.
  bool claim(std::int32_t block) {
    if (block < 1) return false;
    if (static_cast<std::size_t>(block) >= touched_.size()) touched_.resize(static_cast<std::size_t>(block) + 1, false);
    if (touched_[static_cast<std::size_t>(block)]) return false;
    touched_[static_cast<std::size_t>(block)] = true;
    return true;
  }

  bool insideFile(std::int32_t block) const { return block >= 1 && block < blocksInFile_; }

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
    // Whole blocks past the count are lost space (a cut that never happened) or, in a damaged
    // file, blocks of a chain: the count takes them in, so that no block past it is given out as a
    // new one while in use, and no cut takes off a block in use (the header is written with the
    // count when the run ends).
    header_->blockCount = std::max(header_->blockCount, blocksInFile_);
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
      if (int result = blockLock_.take(blockOffset(picked))) return result;
      BlockHead head;
      if (int result = readHead(picked, head)) return result;
      nextOld_ = head.next;
      return kDbOk;
    }
    if (int result = loadHeader()) return result;
    takenAny_ = true;
    if (header_->freeCount > 0) {
      picked = header_->firstFree;
      if (!insideFile(picked) || !claim(picked)) return kDbAuxAccessFailed;
      if (int result = blockLock_.take(blockOffset(picked))) return result;
      BlockHead head;
      if (int result = readHead(picked, head)) return result;
      header_->firstFree = head.next;
      --header_->freeCount;
      return kDbOk;
    }
    if (header_->blockCount == INT32_MAX) return kDbAuxAccessFailed;
    picked = header_->blockCount++;
    return claim(picked) ? kDbOk : kDbAuxAccessFailed;
  }

  // Frees the old blocks that were not reused, putting them at the head of the free list.
  int freeRest() {
    if (int result = loadHeader()) return result;
    const std::int32_t oldHead = header_->freeCount > 0 ? header_->firstFree : 0;
    for (std::int32_t n = nextOld_; n != 0;) {
      if (!insideFile(n) || !claim(n)) return kDbAuxAccessFailed;
      if (int result = blockLock_.take(blockOffset(n))) return result;
      BlockHead head;
      if (int result = readHead(n, head)) return result;
      head.used = 0;
      if (freed_.empty()) head.previous = 0;
      const bool last = head.next == 0;
      if (last) {
        head.next = oldHead;
        if (oldHead != 0) {
          if (!insideFile(oldHead)) return kDbAuxAccessFailed;
          BlockHead oldHeadBlock;
          if (int result = readHead(oldHead, oldHeadBlock)) return result;
          oldHeadBlock.previous = n;
          if (int result = writeHead(oldHead, oldHeadBlock)) return result;
        }
      }
      const std::int32_t next = last ? 0 : head.next;
      if (int result = writeBlock(n, head, {})) return result;
      freed_.push_back(n);
      n = next;
    }
    blockLock_.release();
    header_->firstFree = freed_.empty() ? header_->firstFree : freed_.front();
    header_->freeCount += static_cast<std::int32_t>(freed_.size());
    listAfterFreed_ = oldHead;
    return kDbOk;
  }

  // The blocks just freed head the free list; those of them that are the last blocks of the file
  // leave it and the file, when they are the list's first entries (one header write then takes
  // them off the list). Free blocks elsewhere stay: taking them off would need several writes.
  void cutFreedTail() {
    // The first `k` freed blocks are the file's last `k` blocks when none of them lies below
    // blockCount - k (they are distinct); the largest such k is found in one walk.
    std::size_t cut = 0;
    std::int32_t lowestSoFar = INT32_MAX;
    for (std::size_t k = 1; k <= freed_.size(); ++k) {
      lowestSoFar = std::min(lowestSoFar, freed_[k - 1]);
      if (lowestSoFar >= header_->blockCount - static_cast<std::int32_t>(k)) cut = k;
    }
    if (cut == 0) return;
    header_->firstFree = cut < freed_.size() ? freed_[cut] : listAfterFreed_;
    header_->freeCount -= static_cast<std::int32_t>(cut);
    header_->blockCount -= static_cast<std::int32_t>(cut);
    cutFile_ = true;
  }

  int writeHeader() {
    // Only the counters change; the rest of the header stays as read.
    format::writeInt32(headerBytes_ + 16, header_->blockCount);
    format::writeInt32(headerBytes_ + 20, header_->freeCount);
    format::writeInt32(headerBytes_ + 24, header_->firstFree);
    int result = file_.writeAt(0, headerBytes_, sizeof headerBytes_);
    return result == platform::kFileOk ? kDbOk : auxError(result);
  }

  int finish() {
    if (!header_) return kDbOk;
    if (!freed_.empty()) cutFreedTail();
    if (int result = writeHeader()) return result;
    if (!cutFile_) return kDbOk;
    // Blocks past the header's count are never read; a file left longer is only space lost.
    int result = file_.setLength(blockOffset(header_->blockCount));
    return result == platform::kFileOk ? kDbOk : auxError(result);
  }

  AuxStore& store_;
  platform::File& file_;
  ByteLock headerLock_;
  ByteLock blockLock_;
  char headerBytes_[format::kAuxHeaderSize] = {};
  std::optional<format::AuxHeader> header_;
  std::vector<bool> touched_;
  std::vector<std::int32_t> freed_;    // the old blocks freed, in list order
  std::int32_t listAfterFreed_ = 0;    // the free list's head before they were put on it
  std::int32_t blocksInFile_ = 0;
  std::int32_t nextOld_ = 0;
  bool takenAny_ = false;              // blocks came from the free list or the end
  bool cutFile_ = false;
};

int AuxStore::write(std::string_view value, std::int32_t old, std::int32_t& first) {
  first = 0;
  if (!file_.isOpen()) return kDbAuxAccessFailed;
  return Writer(*this).run(value, old, first);
}

}  // namespace recorddb
