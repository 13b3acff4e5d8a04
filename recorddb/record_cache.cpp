#include "recorddb/record_cache.h"

#include <algorithm>
#include <cstring>

namespace recorddb {
namespace {

constexpr std::int32_t kChunkBytes = 64 * 1024;

}  // namespace

RecordCache::RecordCache(std::int32_t recordLength)
    : recordLength_(recordLength), perChunk_(std::max<std::int32_t>(1, kChunkBytes / recordLength)) {}

std::size_t RecordCache::locate(std::int32_t slot) const {
  const auto chunk = static_cast<std::size_t>(chunkOf(slot));
  if (chunk >= chunks_.size()) return std::string::npos;
  const auto offset = static_cast<std::size_t>(slot % perChunk_) * static_cast<std::size_t>(recordLength_);
  if (offset + static_cast<std::size_t>(recordLength_) > chunks_[chunk].size()) return std::string::npos;
  return offset;
}

const char* RecordCache::record(std::int32_t slot) const {
  std::size_t offset = locate(slot);
  return offset == std::string::npos ? nullptr : chunks_[static_cast<std::size_t>(chunkOf(slot))].data() + offset;
}

void RecordCache::storeChunk(std::int32_t chunk, std::string bytes) {
  if (static_cast<std::size_t>(chunk) >= chunks_.size()) chunks_.resize(static_cast<std::size_t>(chunk) + 1);
  chunks_[static_cast<std::size_t>(chunk)] = std::move(bytes);
}

void RecordCache::update(std::int32_t slot, std::int32_t offset, const char* data, std::size_t size) {
  std::size_t at = locate(slot);
  if (at == std::string::npos) return;
  std::memcpy(chunks_[static_cast<std::size_t>(chunkOf(slot))].data() + at + static_cast<std::size_t>(offset),
              data, size);
}

void RecordCache::append(std::int32_t slot, const std::string& bytes) {
  const std::int32_t chunk = chunkOf(slot);
  const auto offset = static_cast<std::size_t>(slot % perChunk_) * static_cast<std::size_t>(recordLength_);
  if (offset == 0) {
    storeChunk(chunk, bytes);
    return;
  }
  if (static_cast<std::size_t>(chunk) >= chunks_.size()) return;
  std::string& loaded = chunks_[static_cast<std::size_t>(chunk)];
  if (loaded.size() == offset) {
    loaded += bytes;
  } else {
    loaded.clear();  // not in step: read again when needed
  }
}

}  // namespace recorddb
