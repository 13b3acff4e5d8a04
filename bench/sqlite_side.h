#pragma once
// The benchmark on SQLite: one table of the record ID (its rowid) and the sample columns f1 .. f12,
// WAL journal, synchronous=OFF, prepared statements, each write its own transaction.

#include <string>

#include "bench/side.h"
#include "bench/sqlite_handles.h"

namespace bench {

class SqliteSide : public Side {
 public:
  // Creates the database at `path` (UTF-8) with the table.
  explicit SqliteSide(const std::string& path);

  bool ok() const { return connection_ != nullptr && error_.empty(); }

  std::optional<std::uint64_t> append(const std::vector<SampleRecord>& records) override;
  std::optional<std::uint64_t> scan() override;
  std::optional<std::uint64_t> find(std::span<const int> ids, int position) override;
  std::optional<std::uint64_t> update(std::span<const int> ids, std::span<const std::int32_t> values) override;
  std::optional<std::uint64_t> pack() override;
  const std::string& error() const override { return error_; }

 private:
  // Records SQLite's message after `step` failed; always nothing.
  std::nullopt_t fail(const char* step);

  Connection connection_;
  std::string error_;
};

}  // namespace bench
