#include "recorddb/database_files.h"

#include <cstring>

#include "platform/clock.h"
#include "recorddb/db_paths.h"
#include "recorddb/error_codes.h"
#include "recorddb/lock_wait.h"

namespace recorddb {
namespace {

using format::kDescriptorSize;
using format::kHeaderSize;

bool isPlatformError(int code) { return code < 0 && code >= platform::kFileEndOfFile; }

int writeAll(platform::File& file, std::uint64_t offset, const std::string& bytes, int otherFailure) {
  int result = file.writeAt(offset, bytes.data(), bytes.size());
  if (result == platform::kFileOk) return kDbOk;
  return isPlatformError(result) ? result : otherFailure;
}

int createFile(const base::TextValue& path, platform::File& file) {
  return file.open(path, platform::FileAccess::Write, platform::ShareMode::DenyAll,
                   platform::OpenMode::CreateAlways);
}

int createAuxiliaryFile(const base::TextValue& path, double created) {
  platform::File file;
  if (createFile(path, file) != platform::kFileOk) return kDbAuxCreateFailed;
  format::AuxHeader header;
  std::memcpy(header.magic, format::kAuxMagic, 4);
  header.created = created;
  std::string block(format::kBlockSize, '\0');
  header.encode(block.data());
  return file.writeAt(0, block.data(), block.size()) == platform::kFileOk ? kDbOk : kDbAuxCreateFailed;
}

// Validates the field list; the fields before the first one without a name count.
int checkFields(const std::vector<FieldSpec>& fields, std::vector<FieldSpec>& accepted, bool& needsAux) {
  needsAux = false;
  for (const FieldSpec& field : fields) {
    if (field.name.empty()) break;
    if (!format::isValidName(field.name) || field.name.size() > format::kMaxFieldNameLength) return kDbBadFieldName;
    // The size of a text field is checked first: a negative size is a bad size, not a bad type.
    if (field.type == kTypeText && (field.declaredLength < 1 || field.declaredLength > format::kMaxTextLength)) {
      return kDbBadFieldSize;
    }
    if (format::fieldWidth(field.type, field.declaredLength) < 0) return kDbBadFieldType;
    needsAux = needsAux || format::isAuxType(field.type);
    accepted.push_back(field);
  }
  if (accepted.empty()) return kDbNoFields;
  // A layout that opening would refuse is not written.
  if (accepted.size() > static_cast<std::size_t>(kMaxFieldCount)) return kDbTooManyFields;
  for (std::size_t i = 0; i < accepted.size(); ++i) {
    for (std::size_t j = i + 1; j < accepted.size(); ++j) {
      if (equalsIgnoringCase(accepted[i].name, accepted[j].name)) return kDbDuplicateFieldName;
    }
  }
  return kDbOk;
}

}  // namespace

int createDatabaseFiles(const base::TextValue& path, const std::vector<FieldSpec>& fields) {
  if (path.empty()) return kDbFileNotFound;
  if (fields.empty()) return kDbNoFields;
  std::vector<FieldSpec> accepted;
  bool needsAux = false;
  if (int result = checkFields(fields, accepted, needsAux)) return result;

  const base::TextValue databasePath = databasePathFor(path);
  platform::File file;
  if (int result = createFile(databasePath, file)) return result;

  const double created = base::dateTimeFromParts(platform::localTimeNow());
  format::Header header;
  std::memcpy(header.magic, format::kDatabaseMagic, 4);
  header.created = created;
  header.recordLength = static_cast<std::int32_t>(format::kRecordIdSize);
  std::vector<format::FieldDescriptor> descriptors;
  for (const FieldSpec& field : accepted) {
    format::FieldDescriptor descriptor;
    descriptor.name = field.name;
    descriptor.type = field.type;
    descriptor.offset = header.recordLength;
    descriptor.declaredLength = field.type == kTypeText ? field.declaredLength : 0;
    header.recordLength += format::fieldWidth(field.type, field.declaredLength);
    descriptors.push_back(descriptor);
  }
  std::string bytes(kHeaderSize + format::kFieldCountSize + kDescriptorSize * descriptors.size(), '\0');
  header.encode(bytes.data());
  format::writeInt32(bytes.data() + kHeaderSize, static_cast<std::int32_t>(descriptors.size()));
  for (std::size_t i = 0; i < descriptors.size(); ++i) {
    descriptors[i].encode(bytes.data() + kHeaderSize + format::kFieldCountSize + i * kDescriptorSize);
  }
  if (int result = writeAll(file, 0, bytes, kDbCreateFailed)) return result;
  file.close();
  if (!needsAux) return kDbOk;
  return createAuxiliaryFile(auxiliaryPathFor(path), created);
}

namespace {

// The whole-file lock taken while a file is checked, released when the check ends.
class CheckLock {
 public:
  CheckLock(platform::File& file, bool wanted) : file_(file), wanted_(wanted) {}
  ~CheckLock() { release(); }
  int take() {
    if (!wanted_) return kDbOk;
    int result = retryWhileBusy([&] { return file_.lock(0, format::kWholeFileLockLength); });
    if (result == platform::kFileNotSupported) return kDbOk;  // the platform cannot lock: counts as taken
    if (result != platform::kFileOk) return result;
    held_ = true;
    return kDbOk;
  }
  int release() {
    if (!held_) return kDbOk;
    held_ = false;
    return file_.unlock(0, format::kWholeFileLockLength) == platform::kFileOk ? kDbOk : kDbUnlockFailed;
  }

 private:
  platform::File& file_;
  bool wanted_;
  bool held_ = false;
};

int readExactly(platform::File& file, std::uint64_t offset, char* buffer, std::size_t size) {
  std::size_t got = 0;
  int result = file.readAt(offset, buffer, size, got);
  if (result == platform::kFileOk && got == size) return kDbOk;
  if (result == platform::kFileOk || result == platform::kFileEndOfFile) return kDbNotADatabase;
  return result;
}

int openFile(const base::TextValue& path, bool readOnly, platform::ShareMode share, platform::File& file) {
  auto access = readOnly ? platform::FileAccess::Read : platform::FileAccess::ReadWrite;
  return retryWhileBusy([&] { return file.open(path, access, share, platform::OpenMode::OpenExisting); });
}

// Descriptors must describe the record exactly: packed in order from offset 4, every width known
// and the sum equal to the record length.
int checkDescriptors(std::vector<format::FieldDescriptor>& fields, std::int32_t recordLength, bool& hasAux) {
  std::int64_t expectedOffset = static_cast<std::int64_t>(format::kRecordIdSize);
  for (format::FieldDescriptor& field : fields) {
    if (field.type == kTypeText && (field.declaredLength <= 0 || field.declaredLength > format::kMaxTextLength)) {
      return kDbNotADatabase;
    }
    field.width = format::fieldWidth(field.type, field.declaredLength);
    if (field.width <= 0 || field.offset != expectedOffset) return kDbNotADatabase;
    expectedOffset += field.width;
    hasAux = hasAux || format::isAuxType(field.type);
  }
  return expectedOffset == recordLength ? kDbOk : kDbNotADatabase;
}

int openAuxiliary(const base::TextValue& databasePath, bool readOnly, platform::ShareMode share,
                  std::int32_t databaseVersion, OpenedFiles& opened) {
  platform::File aux;
  if (openFile(auxiliaryPathFor(databasePath), readOnly, share, aux) != platform::kFileOk) return kDbAuxReadFailed;
  CheckLock lock(aux, true);
  if (int result = lock.take()) return result;
  char bytes[format::kAuxHeaderSize];
  std::size_t got = 0;
  if (aux.readAt(0, bytes, sizeof bytes, got) != platform::kFileOk || got < sizeof bytes) return kDbAuxReadFailed;
  format::AuxHeader header = format::AuxHeader::decode(bytes);
  if (std::memcmp(header.magic, format::kAuxMagic, 4) != 0 || header.blockCount <= 0 || header.freeCount < 0 ||
      header.freeCount > header.blockCount - 1 || header.firstFree < 0 || header.firstFree > header.blockCount - 1) {
    return kDbAuxReadFailed;
  }
  if (header.version != databaseVersion) return kDbAuxVersionMismatch;
  std::uint64_t length = 0;
  if (aux.length(length) != platform::kFileOk) return kDbAuxReadFailed;
  const std::uint64_t wholeBlocks = length / format::kBlockSize;
  if (wholeBlocks < static_cast<std::uint64_t>(header.blockCount)) {
    if (readOnly || wholeBlocks == 0) return kDbAuxDamaged;
    char count[4];
    format::writeInt32(count, static_cast<std::int32_t>(wholeBlocks));
    if (aux.writeAt(16, count, 4) != platform::kFileOk) return kDbAuxReadFailed;
  }
  if (int result = lock.release()) return result;
  opened.auxiliary = std::move(aux);
  return kDbOk;
}

int checkAndRepair(const base::TextValue& path, bool readOnly, platform::ShareMode share, OpenedFiles& opened) {
  platform::File& file = opened.database;
  const bool othersMayRead = share != platform::ShareMode::DenyRead && share != platform::ShareMode::DenyAll;
  CheckLock lock(file, othersMayRead);
  if (int result = lock.take()) return result;

  char headerBytes[kHeaderSize];
  if (int result = readExactly(file, 0, headerBytes, kHeaderSize)) return result;
  format::Header& header = opened.header;
  header = format::Header::decode(headerBytes);
  if (std::memcmp(header.magic, format::kProtectedMagic, 4) == 0) return kDbPasswordRequired;
  if (std::memcmp(header.magic, format::kDatabaseMagic, 4) != 0) return kDbNotADatabase;
  if (header.recordLength <= 0 || header.slotCount < 0 || header.nextId < 1) return kDbNotADatabase;
  if (header.version > format::kVersion) return kDbVersionTooHigh;

  char countBytes[format::kFieldCountSize];
  if (int result = readExactly(file, kHeaderSize, countBytes, sizeof countBytes)) return result;
  const std::int32_t fieldCount = format::readInt32(countBytes);
  std::uint64_t length = 0;
  if (file.length(length) != platform::kFileOk) return kDbOpenFailed;
  const std::uint64_t descriptorsEnd = kHeaderSize + format::kFieldCountSize +
                                       static_cast<std::uint64_t>(fieldCount > 0 ? fieldCount : 0) * kDescriptorSize;
  // Layouts of more descriptors are damage, not data: refused before anything is allocated for them.
  if (fieldCount <= 0 || fieldCount > kMaxFieldCount || descriptorsEnd > length) return kDbNotADatabase;
  std::string descriptorBytes(static_cast<std::size_t>(fieldCount) * kDescriptorSize, '\0');
  if (int result = readExactly(file, kHeaderSize + format::kFieldCountSize, descriptorBytes.data(),
                               descriptorBytes.size())) {
    return result;
  }
  opened.dataStart = static_cast<std::int32_t>(descriptorsEnd);

  // The descriptors are checked before any repair, so a damaged layout never cuts the file.
  bool hasAux = false;
  for (std::int32_t i = 0; i < fieldCount; ++i) {
    const char* bytes = descriptorBytes.data() + static_cast<std::size_t>(i) * kDescriptorSize;
    if (std::memchr(bytes, '\0', format::kFieldNameBytes) == nullptr) return kDbNotADatabase;
    opened.fields.push_back(format::FieldDescriptor::decode(bytes));
  }
  if (int result = checkDescriptors(opened.fields, header.recordLength, hasAux)) return result;

  const std::uint64_t slotsPresent = (length - descriptorsEnd) / static_cast<std::uint64_t>(header.recordLength);
  if (slotsPresent < static_cast<std::uint64_t>(header.slotCount)) {
    if (readOnly) return kDbBadFileSize;
    header.slotCount = static_cast<std::int32_t>(slotsPresent);
    char count[4];
    format::writeInt32(count, header.slotCount);
    if (file.writeAt(format::kSlotCountOffset, count, 4) != platform::kFileOk) return kDbOpenFailed;
  }
  if (!readOnly) {
    const std::uint64_t end = descriptorsEnd + static_cast<std::uint64_t>(header.slotCount) *
                                                   static_cast<std::uint64_t>(header.recordLength);
    if (end != length && file.setLength(end) != platform::kFileOk) return kDbOpenFailed;
  }

  if (hasAux) {
    if (int result = openAuxiliary(path, readOnly, share, header.version, opened)) return result;
  }
  return lock.release();
}

}  // namespace

int openDatabaseFiles(const base::TextValue& path, bool readOnly, platform::ShareMode share, OpenedFiles& opened) {
  opened = OpenedFiles{};
  if (int result = openFile(path, readOnly, share, opened.database)) return result;
  int result = checkAndRepair(path, readOnly, share, opened);
  if (result != kDbOk) {
    opened = OpenedFiles{};  // closes whatever was opened
    return result < 0 && result >= platform::kFileEndOfFile ? result
           : result == kDbUnknown                           ? kDbOpenFailed
                                                            : result;
  }
  return kDbOk;
}

}  // namespace recorddb
