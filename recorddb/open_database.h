#pragma once
// One open database file pair: its layout, current record, locks, and (when no other process can
// write it) the records and counters it has read. Operations return 0 or an error code.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/text_value.h"
#include "recorddb/aux_store.h"
#include "recorddb/database_files.h"
#include "recorddb/field_value.h"
#include "recorddb/lock_table.h"
#include "recorddb/record_view.h"

namespace recorddb {

class OpenDatabase {
 public:
  OpenDatabase(OpenedFiles files, base::TextValue fullPath, base::TextValue alias, int shareMode);
  ~OpenDatabase();
  OpenDatabase(const OpenDatabase&) = delete;
  OpenDatabase& operator=(const OpenDatabase&) = delete;

  const base::TextValue& fullPath() const { return fullPath_; }
  const base::TextValue& fileTitle() const { return fileTitle_; }
  const base::TextValue& alias() const { return alias_; }
  const std::vector<format::FieldDescriptor>& fields() const { return fields_; }
  std::int32_t dataStart() const { return dataStart_; }
  const format::Header& header() const { return header_; }
  // Tells databases apart over their lifetimes (the registry numbers them as they open).
  std::uint64_t serial() const { return serial_; }
  void setSerial(std::uint64_t serial) { serial_ = serial; }

  std::int32_t currentRecord() const { return currentRecord_; }
  void setCurrentRecord(std::int32_t slot) { currentRecord_ = slot; }

  int slotCount(std::int32_t& count);
  int nextId(std::int32_t& id);
  // The stored ID of the current record (negative when delete-marked).
  int currentStoredId(std::int32_t& id);
  int append();
  // How many more records can be appended before the record IDs run out.
  int recordIdsLeft(std::int64_t& left);
  int readField(std::size_t field, FieldValue& value);
  // A text field's stored text, in the record view, the record being written or a buffer of this
  // database: valid until the next operation. kDbValueKindMismatch for other types.
  int readTextView(std::size_t field, std::string_view& text);
  int writeField(std::size_t field, const FieldValue& value);
  int deleteCurrent();
  int pack();
  // Removes the stale copies that a pack stopped half-way (its marker still beside the file) left
  // between the records it had moved and those it had not reached. 0 when there is nothing to do.
  int finishInterruptedPack();
  int findId(std::int32_t id, bool& found);

  // A record write (RecordWriteScope): from the outermost begin to its end the current record's
  // lock is held, and writes to that record change a copy in memory, which the end writes to the
  // file in one write. Begins and ends nest; a begin on another record writes the one before first.
  int beginRecordWrite();
  int endRecordWrite();

 private:
  // The record a record write is collecting: the new bytes of the fields written so far (the
  // record's other bytes are not read), and which fields those are.
  struct PendingRecord {
    std::int32_t slot = -1;
    std::string bytes;          // the record's length; meaningful where a written field lies
    std::vector<bool> written;  // by field index
    int depth = 0;
  };
  struct Counters {
    std::int32_t slotCount;
    std::int32_t nextId;
  };

  // Whether no other process can write: then records are read through a view of the file, the
  // counters are kept in memory, and reads take no locks. Writes still take the record lock (and
  // appends the header lock): readers elsewhere, which share mode 3 lets in, rely on it never to
  // see a record or a memo chain half written.
  bool cached() const { return view_ != nullptr; }
  std::uint64_t slotOffset(std::int32_t slot) const;
  int readCounters(Counters& counters, int minimumWait = 0);
  // The ID an append gives (under the header lock): the header's next ID, or one above the last
  // record's when that is higher.
  int nextAppendId(const Counters& counters, std::int64_t& next);
  int writeCounters(const Counters& counters);
  // Writes bytes of records (every record write goes through here), keeping the record view in step.
  int writeRecordArea(std::uint64_t position, const char* bytes, std::size_t size);
  // `size` bytes at `offset` inside the record in `slot`; `locked`: take the record lock.
  int readRecordBytes(std::int32_t slot, std::int32_t offset, char* out, std::size_t size, bool locked);
  // The slot count for a read through the view; kDbSeekFailed when `slot` lies beyond it.
  int cachedSlotCount(std::int32_t slot, std::int32_t& slotCount);
  // The record's bytes through the view (valid until the next call).
  int cachedRecord(std::int32_t slot, const char*& record);
  int readStoredId(std::int32_t slot, std::int32_t& id, bool locked);
  bool collecting(std::int32_t slot) const { return pending_ && pending_->slot == slot; }
  // Takes the record's lock and makes pending_ for it (a record that exists).
  int startPending(std::int32_t slot);
  // Writes what pending_ changed, lets go of the lock and of pending_.
  int finishPending();
  // A memo or bytes value into its chain (the one at `old` reused); `pointer` receives the slot's
  // new 4 bytes. An empty value lets go of the chain: the slot at `position` is cleared at once,
  // before the chain is freed, and `pointerWritten` tells so.
  int writeAuxValue(const FieldValue& value, std::int32_t old, std::uint64_t position, char* pointer,
                    bool& pointerWritten);
  // writeField on the record being collected.
  int collectField(const format::FieldDescriptor& field, const FieldValue& value);
  int fileLength(std::uint64_t& length);
  // Packing (database_pack.cpp).
  struct PackProgress;
  int packRecords(std::int32_t slotCount, PackProgress& progress);
  int writePackMarker();
  void removePackMarker();
  // Writes the slot count of the moved records and flushes it; the marker goes, and the slots
  // after the count are cut off (`cut`: the cut's result, which the next opening repeats).
  int settleMovedRecords(const PackProgress& progress, std::int32_t nextId, int& cut);
  int restoreSlotOrder(const PackProgress& progress);
  int readCompacted(const PackProgress& progress, std::int32_t from, std::int32_t to, std::string& records);
  int freeDroppedValues(const PackProgress& progress);

  platform::File file_;
  std::unique_ptr<AuxStore> aux_;
  base::TextValue fullPath_;
  base::TextValue fileTitle_;
  base::TextValue alias_;
  format::Header header_;
  std::vector<format::FieldDescriptor> fields_;
  std::int32_t dataStart_;
  std::int32_t currentRecord_ = 0;
  LockTable locks_;
  std::unique_ptr<RecordView> view_;  // set when no other process can write
  std::optional<Counters> cachedCounters_;
  std::optional<PendingRecord> pending_;
  PendingRecord spare_;  // the buffers of the last record write, for the next
  std::string textBuffer_;  // readTextView's text when no record view holds it
  std::uint64_t serial_ = 0;
};

}  // namespace recorddb
