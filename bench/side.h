#pragma once
// One side of the benchmark (the engine or SQLite) and the workloads both run on the same data.
// Each workload answers a digest of what it read, so the two sides can be checked against each
// other, or nothing when it failed (error() then says why).

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "bench/sample_data.h"
#include "recorddb/field_value.h"

namespace bench {

// An FNV-style hash over the kinds and contents of values, taking texts eight bytes at a time so
// that it weighs little beside the work it checks.
class Digest {
 public:
  void add(const recorddb::FieldValue& value) {
    mix(static_cast<std::uint64_t>(value.kind()));
    if (value.kind() == recorddb::ValueKind::Text || value.kind() == recorddb::ValueKind::Bytes) {
      const std::string& text = value.asText();
      mix(text.size());
      for (std::size_t i = 0; i < text.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + i, std::min<std::size_t>(8, text.size() - i));
        mix(word);
      }
    } else {
      mix(static_cast<std::uint64_t>(value.asInteger()));
    }
  }
  void add(std::int64_t number) { mix(static_cast<std::uint64_t>(number)); }
  std::uint64_t value() const { return hash_; }

 private:
  void mix(std::uint64_t bits) {
    hash_ ^= bits;
    hash_ *= 0x100000001B3ull;
  }
  std::uint64_t hash_ = 0xCBF29CE484222325ull;
};

class Side {
 public:
  virtual ~Side() = default;

  // Adds every record, one at a time, each written by itself.
  virtual std::optional<std::uint64_t> append(const std::vector<SampleRecord>& records) = 0;
  // Reads the ID and every column of every record, in order (what opening a list does).
  virtual std::optional<std::uint64_t> scan() = 0;
  // Finds each record by its ID and reads the column at `position` (1-based).
  virtual std::optional<std::uint64_t> find(std::span<const int> ids, int position) = 0;
  // Finds each record by its ID and writes the PING text of `values[i]` milliseconds into the PING
  // column.
  virtual std::optional<std::uint64_t> update(std::span<const int> ids, std::span<const std::int32_t> values) = 0;
  // Removes every second record (the even IDs) and compacts the storage; the digest is the count left.
  virtual std::optional<std::uint64_t> pack() = 0;

  virtual const std::string& error() const = 0;
};

}  // namespace bench
