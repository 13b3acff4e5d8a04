#pragma once
// The records of a database that no other process can write, kept in memory as they are read, in
// chunks of whole records. The engine's own writes go to the file and to the chunks alike, so a
// cached record is always the file's record.

#include <cstdint>
#include <string>
#include <vector>

namespace recorddb {

class RecordCache {
 public:
  explicit RecordCache(std::int32_t recordLength);

  std::int32_t recordsPerChunk() const { return perChunk_; }
  std::int32_t chunkOf(std::int32_t slot) const { return slot / perChunk_; }

  // The record's bytes, or null when its chunk is not loaded.
  const char* record(std::int32_t slot) const;
  // Takes a chunk read from the file (whole records from its first slot).
  void storeChunk(std::int32_t chunk, std::string bytes);
  // Mirrors a write of `size` bytes at `offset` inside the record.
  void update(std::int32_t slot, std::int32_t offset, const char* data, std::size_t size);
  // Mirrors a record appended at `slot`.
  void append(std::int32_t slot, const std::string& bytes);
  void clear() { chunks_.clear(); }

 private:
  // Where the record lies in its chunk; npos when the chunk is not loaded.
  std::size_t locate(std::int32_t slot) const;

  std::int32_t recordLength_;
  std::int32_t perChunk_;
  std::vector<std::string> chunks_;  // empty: not loaded
};

}  // namespace recorddb
