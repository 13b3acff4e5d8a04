#pragma once
// The benchmark on the record database engine, opened with share mode 3 as the program opens its
// lists.

#include <string>

#include "bench/side.h"

namespace bench {

// Appends the records to the current database; false when the engine failed.
bool appendSampleRecords(const std::vector<SampleRecord>& records);

class EngineSide : public Side {
 public:
  // Creates the database at `path` (GBK) with the sample columns and opens it.
  explicit EngineSide(const std::string& path);
  ~EngineSide() override;
  EngineSide(const EngineSide&) = delete;
  EngineSide& operator=(const EngineSide&) = delete;

  bool ok() const { return open_; }

  std::optional<std::uint64_t> append(const std::vector<SampleRecord>& records) override;
  std::optional<std::uint64_t> scan() override;
  std::optional<std::uint64_t> find(std::span<const int> ids, int position) override;
  std::optional<std::uint64_t> update(std::span<const int> ids, std::span<const std::int32_t> values) override;
  std::optional<std::uint64_t> pack() override;
  const std::string& error() const override { return error_; }

 private:
  // Records the engine's last error after `step` failed; always nothing.
  std::nullopt_t fail(const char* step);

  bool open_ = false;
  std::string error_;
};

}  // namespace bench
