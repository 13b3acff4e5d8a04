#pragma once
// The benchmark's data: the columns of a list made from the sample form, and records of realistic
// values (Chinese included) drawn from a seeded generator, so every run and both sides see the
// same bytes.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "recorddb/field_value.h"

namespace bench {

struct Column {
  const char* name;  // GBK
  std::int32_t type;
  std::int32_t length;
};

inline constexpr int kColumnCount = 12;

// 平台 text 10, 域名 30, IP 30, FTP 80, 域名续费商 512, 服务器续费商 512, 域名到期 30, 服务器到期 30,
// 账号 30, 密码 30, PING 64, 备注 text 100.
std::span<const Column, kColumnCount> sampleColumns();

// A PING result as the program stores it: "N 毫秒(状态码:200)" (GBK).
std::string pingText(std::int32_t milliseconds);

// 1-based positions of the columns the find and update workloads use.
inline constexpr int kDomainColumn = 2;
inline constexpr int kPingColumn = 11;

using SampleRecord = std::array<recorddb::FieldValue, kColumnCount>;

// A small, fast generator whose sequence is fixed by its seed (splitmix64).
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next();
  // Uniform in [0, bound).
  std::uint32_t below(std::uint32_t bound) { return static_cast<std::uint32_t>(next() % bound); }

 private:
  std::uint64_t state_;
};

// `count` records, each value fitting its column.
std::vector<SampleRecord> makeRecords(int count, Random& random);

// `draws` record IDs from 1..count.
std::vector<int> randomIds(int count, int draws, Random& random);

}  // namespace bench
