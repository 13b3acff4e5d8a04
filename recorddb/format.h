#pragma once
// The database file and the auxiliary file, byte for byte. All integers are little-endian.
//
// Database file: a 112-byte header, the field count (int32), 72 bytes per field descriptor, then
// fixed-length record slots. A record starts with its int32 ID (negated when delete-marked).
// Auxiliary file: 512-byte blocks; block 0 is its header; value chains and the free list link
// blocks through their 12-byte block heads.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "base/text_value.h"

namespace recorddb::format {

inline constexpr char kDatabaseMagic[4] = {'W', 'E', 'D', 'B'};
inline constexpr char kProtectedMagic[4] = {'W', 'C', 'D', 'B'};
inline constexpr char kAuxMagic[4] = {'W', 'E', 'D', 'T'};
inline constexpr std::int32_t kVersion = 0x00010000;

inline constexpr std::size_t kHeaderSize = 112;
inline constexpr std::size_t kFieldCountSize = 4;
inline constexpr std::size_t kDescriptorSize = 72;
inline constexpr std::size_t kFieldNameBytes = 17;  // 16 bytes of name and a NUL
inline constexpr std::size_t kMaxFieldNameLength = 16;
inline constexpr std::int32_t kMaxTextLength = 1024;
inline constexpr std::size_t kRecordIdSize = 4;

inline constexpr std::uint64_t kSlotCountOffset = 16;  // slot count, then next ID
inline constexpr std::uint64_t kBlockSize = 512;
inline constexpr std::size_t kBlockHeadSize = 12;
inline constexpr std::int32_t kBlockDataSize = 500;
inline constexpr std::size_t kAuxHeaderSize = 32;

// The range that locks of the whole database or file cover.
inline constexpr std::uint64_t kWholeFileLockLength = 0x7FFFFFFF;

inline std::int32_t readInt32(const char* bytes) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return static_cast<std::int32_t>(value);
}

inline void writeInt32(char* bytes, std::int32_t value) {
  auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
}

inline std::int64_t readInt64(const char* bytes) {
  std::uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return static_cast<std::int64_t>(value);
}

inline void writeInt64(char* bytes, std::int64_t value) {
  auto bits = static_cast<std::uint64_t>(value);
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
}

inline double readDouble(const char* bytes) {
  std::int64_t bits = readInt64(bytes);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

inline void writeDouble(char* bytes, double value) {
  std::int64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  writeInt64(bytes, bits);
}

struct Header {
  char magic[4] = {};
  std::int32_t version = kVersion;
  double created = 0;
  std::int32_t slotCount = 0;
  std::int32_t nextId = 1;
  std::int32_t recordLength = 0;

  static Header decode(const char* bytes);
  void encode(char* bytes) const;  // kHeaderSize bytes, the reserved part zero
};

struct FieldDescriptor {
  base::TextValue name;
  std::int32_t type = 0;
  std::int32_t offset = 0;
  std::int32_t declaredLength = 0;
  std::int32_t width = 0;  // derived from type and declared length

  static FieldDescriptor decode(const char* bytes);  // width left 0
  void encode(char* bytes) const;                     // kDescriptorSize bytes
};

struct AuxHeader {
  char magic[4] = {};
  std::int32_t version = kVersion;
  double created = 0;
  std::int32_t blockCount = 1;
  std::int32_t freeCount = 0;
  std::int32_t firstFree = 0;

  static AuxHeader decode(const char* bytes);
  void encode(char* bytes) const;  // kAuxHeaderSize bytes
};

struct BlockHead {
  std::int32_t previous = 0;
  std::int32_t next = 0;
  std::int32_t used = 0;

  static BlockHead decode(const char* bytes);
  void encode(char* bytes) const;  // kBlockHeadSize bytes
};

// Width of a field in the record: the declared length for text, fixed for the others; -1 for a
// type code outside 1..12.
std::int32_t fieldWidth(std::int32_t type, std::int32_t declaredLength);

// Whether a field type keeps its value in the auxiliary file (bytes and memo).
bool isAuxType(std::int32_t type);

// The name rule of field names and aliases.
bool isValidName(std::string_view name);

}  // namespace recorddb::format
