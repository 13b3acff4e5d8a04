// A database pair read from damaged bytes: the input is the database file, optionally followed by
// "\0--aux--\0" and the auxiliary file. Both are held in memory. The pair is opened (inputs of odd
// length sharing everything, so that reads go to the file under locks; even ones exclusively, so
// that reads are kept in memory), its layout and every field of its first records read, a record
// appended and written, a record delete-marked and the database packed; whatever the bytes, each
// step ends in a value or an error code, never in a crash or a hang, and closing leaves no file
// open.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/input_parts.h"
#include "platform/file_operations.h"
#include "platform/memory_files.h"
#include "platform/paths.h"
#include "recorddb/record_database.h"

namespace {

constexpr std::string_view kAuxMarker{"\0--aux--\0", 9};
// Records read: exclusively, enough for the read window to double several times; through the file,
// where every record is read alike, fewer.
constexpr int kRecordsReadExclusive = 64;
constexpr int kRecordsReadShared = 16;
// A damaged count may make the engine grow a file; past this the memory reports a full disk.
constexpr std::uint64_t kLargestFile = std::uint64_t{64} << 20;

platform::MemoryFiles& memory() {
  static platform::MemoryFiles files;
  static const platform::ScopedFileOperations scope(files.operations());
  return files;
}

void readRecords(int most) {
  const int fields = recorddb::fieldCount();
  const int records = recorddb::recordCount();
  (void)recorddb::currentDatabaseLayout();
  for (int record = 1; record <= records && record <= most; ++record) {
    if (!recorddb::gotoRecord(record)) continue;
    (void)recorddb::currentRecordId();
    (void)recorddb::currentRecordDeleted();
    for (int field = 1; field <= fields; ++field) {
      (void)recorddb::readField(field);
      (void)recorddb::readTextView(field);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const base::TextValue database = platform::fullPath("/mem/d.EDB");
  static const base::TextValue auxiliary = platform::fullPath("/mem/d.EDT");
  platform::MemoryFiles& files = memory();
  files.clear();
  files.setSizeLimit(kLargestFile);
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t marker = fuzzing::findMarker(input, kAuxMarker);
  files.put(database, input.substr(0, marker));
  if (marker != std::string_view::npos) files.put(auxiliary, input.substr(marker + kAuxMarker.size()));

  const int share = size % 2 == 1 ? recorddb::kShareDenyNone : recorddb::kShareExclusive;
  if (!recorddb::openDatabase(database, "", false, share)) return 0;
  readRecords(share == recorddb::kShareExclusive ? kRecordsReadExclusive : kRecordsReadShared);
  const int fields = recorddb::fieldCount();
  if (recorddb::appendRecord() && fields > 0) {
    recorddb::RecordWriteScope change;
    for (int field = 1; field <= fields; ++field) (void)recorddb::writeField(field, recorddb::FieldValue::text("新"));
    (void)change.commit();
  }
  if (recorddb::gotoRecord(1)) (void)recorddb::deleteRecord();
  (void)recorddb::packDatabase();
  (void)recorddb::gotoRecordId(2);
  recorddb::closeAllDatabases();
  if (files.openHandles() != 0) {
    std::fprintf(stderr, "database: a file stays open after closing\n");
    std::abort();
  }
  return 0;
}
