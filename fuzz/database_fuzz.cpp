// A database pair read from damaged bytes: the input is the database file, optionally followed by
// "\0--aux--\0" and the auxiliary file. It is opened, every field of its first records read, a
// record appended and written, a record delete-marked and the database packed; whatever the bytes,
// each step ends in a value or an error code, never in a crash or a hang.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "recorddb/record_database.h"

namespace {

constexpr std::string_view kAuxMarker{"\0--aux--\0", 9};
constexpr int kRecordsRead = 64;

const std::filesystem::path& folder() {
  static const std::filesystem::path path = [] {
    auto made = std::filesystem::temp_directory_path() / ("gebu-fuzz-database-" + std::to_string(::getpid()));
    std::filesystem::create_directories(made);
    return made;
  }();
  return path;
}

void put(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t marker = input.find(kAuxMarker);
  std::filesystem::remove(folder() / "d.EDT");
  put(folder() / "d.EDB", input.substr(0, marker));
  if (marker != std::string_view::npos) put(folder() / "d.EDT", input.substr(marker + kAuxMarker.size()));

  if (!recorddb::openDatabase((folder() / "d").string(), "", false, recorddb::kShareExclusive)) return 0;
  const int fields = recorddb::fieldCount();
  const int records = recorddb::recordCount();
  for (int record = 1; record <= records && record <= kRecordsRead; ++record) {
    if (!recorddb::gotoRecord(record)) continue;
    (void)recorddb::currentRecordId();
    for (int field = 1; field <= fields; ++field) (void)recorddb::readField(field);
  }
  if (recorddb::appendRecord() && fields > 0) {
    recorddb::RecordWriteScope change;
    for (int field = 1; field <= fields; ++field) (void)recorddb::writeField(field, recorddb::FieldValue::text("新"));
    (void)change.commit();
  }
  if (recorddb::gotoRecord(1)) (void)recorddb::deleteRecord();
  (void)recorddb::packDatabase();
  (void)recorddb::gotoRecordId(2);
  recorddb::closeAllDatabases();
  return 0;
}
