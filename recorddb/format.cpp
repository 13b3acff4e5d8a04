#include "recorddb/format.h"

#include <algorithm>

namespace recorddb::format {
namespace {

constexpr std::size_t kDescriptorTypeOffset = 20;
constexpr std::size_t kDescriptorOffsetOffset = 24;
constexpr std::size_t kDescriptorLengthOffset = 28;

}  // namespace

Header Header::decode(const char* bytes) {
  Header header;
  std::memcpy(header.magic, bytes, 4);
  header.version = readInt32(bytes + 4);
  header.created = readDouble(bytes + 8);
  header.slotCount = readInt32(bytes + 16);
  header.nextId = readInt32(bytes + 20);
  header.recordLength = readInt32(bytes + 24);
  return header;
}

void Header::encode(char* bytes) const {
  std::memset(bytes, 0, kHeaderSize);
  std::memcpy(bytes, magic, 4);
  writeInt32(bytes + 4, version);
  writeDouble(bytes + 8, created);
  writeInt32(bytes + 16, slotCount);
  writeInt32(bytes + 20, nextId);
  writeInt32(bytes + 24, recordLength);
}

FieldDescriptor FieldDescriptor::decode(const char* bytes) {
  FieldDescriptor field;
  const char* end = std::find(bytes, bytes + kFieldNameBytes, '\0');
  field.name.assign(bytes, end);
  field.type = readInt32(bytes + kDescriptorTypeOffset);
  field.offset = readInt32(bytes + kDescriptorOffsetOffset);
  field.declaredLength = readInt32(bytes + kDescriptorLengthOffset);
  return field;
}

void FieldDescriptor::encode(char* bytes) const {
  std::memset(bytes, 0, kDescriptorSize);
  std::memcpy(bytes, name.data(), std::min(name.size(), kMaxFieldNameLength));
  writeInt32(bytes + kDescriptorTypeOffset, type);
  writeInt32(bytes + kDescriptorOffsetOffset, offset);
  writeInt32(bytes + kDescriptorLengthOffset, declaredLength);
}

AuxHeader AuxHeader::decode(const char* bytes) {
  AuxHeader header;
  std::memcpy(header.magic, bytes, 4);
  header.version = readInt32(bytes + 4);
  header.created = readDouble(bytes + 8);
  header.blockCount = readInt32(bytes + 16);
  header.freeCount = readInt32(bytes + 20);
  header.firstFree = readInt32(bytes + 24);
  return header;
}

void AuxHeader::encode(char* bytes) const {
  std::memset(bytes, 0, kAuxHeaderSize);
  std::memcpy(bytes, magic, 4);
  writeInt32(bytes + 4, version);
  writeDouble(bytes + 8, created);
  writeInt32(bytes + 16, blockCount);
  writeInt32(bytes + 20, freeCount);
  writeInt32(bytes + 24, firstFree);
}

BlockHead BlockHead::decode(const char* bytes) {
  return BlockHead{readInt32(bytes), readInt32(bytes + 4), readInt32(bytes + 8)};
}

void BlockHead::encode(char* bytes) const {
  writeInt32(bytes, previous);
  writeInt32(bytes + 4, next);
  writeInt32(bytes + 8, used);
}

std::int32_t fieldWidth(std::int32_t type, std::int32_t declaredLength) {
  switch (type) {
    case 1: case 7: return 1;
    case 2: return 2;
    case 3: case 5: case 9: case 11: case 12: return 4;
    case 4: case 6: case 8: return 8;
    case 10: return declaredLength;
    default: return -1;
  }
}

bool isAuxType(std::int32_t type) { return type == 11 || type == 12; }

namespace {

bool isAsciiNameCharacter(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isFullWidthDigit(unsigned lead, unsigned trail) { return lead == 0xA3 && trail >= 0xB0 && trail <= 0xB9; }

bool isNameCharacter(unsigned lead, unsigned trail) {
  if (lead == 0xA3) return isFullWidthDigit(lead, trail) || (trail >= 0xC1 && trail <= 0xDA) ||
                           (trail >= 0xE1 && trail <= 0xFA);
  if ((lead >= 0x81 && lead <= 0xA0) || lead >= 0xAA) return true;
  if (lead == 0xA9 && trail == 0x60) return true;
  if (lead == 0xA4 && trail >= 0xA1 && trail <= 0xF3) return true;
  return lead == 0xA5 && trail >= 0xA1 && trail <= 0xF6;
}

}  // namespace

bool isValidName(std::string_view name) {
  if (name.empty()) return false;
  auto first = static_cast<unsigned char>(name[0]);
  if ((first >= '0' && first <= '9') || first == '.') return false;
  for (std::size_t i = 0; i < name.size();) {
    auto lead = static_cast<unsigned char>(name[i]);
    if (lead < 0x80) {
      if (!isAsciiNameCharacter(lead)) return false;
      ++i;
      continue;
    }
    if (i + 1 >= name.size()) return false;  // a lead byte without its second byte
    auto trail = static_cast<unsigned char>(name[i + 1]);
    if (i == 0 && isFullWidthDigit(lead, trail)) return false;
    if (!isNameCharacter(lead, trail)) return false;
    i += 2;
  }
  return true;
}

}  // namespace recorddb::format
