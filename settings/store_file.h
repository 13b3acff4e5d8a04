#pragma once
// The settings file on disk as the store sees it: a byte sequence whose tail is rewritten from the
// offset where the memory copy changed.

#include <cstdint>
#include <memory>
#include <string_view>

#include "base/text_value.h"
#include "platform/file.h"

namespace settings {

class StoreFile {
 public:
  virtual ~StoreFile() = default;
  // Makes the file's bytes from `offset` on equal to `tail` (and the file end right after it).
  virtual bool replaceFrom(std::uint64_t offset, std::string_view tail) = 0;
};

// The real file, open for reading and writing with other writers denied. Every rewrite goes
// through the side record of settings/store_journal.h, so that a process stopping half-way never
// leaves the file half changed.
class DiskStoreFile final : public StoreFile {
 public:
  // Opens (creating, never truncating) `path`; `content` receives its bytes, with the changes of a
  // side record left by a process that stopped applied to it and to the file. Null when it cannot
  // be opened, its whole content cannot be read or a left side record cannot be applied (`content`
  // then holds what a plain read and the side record give).
  static std::unique_ptr<DiskStoreFile> open(const base::TextValue& path, std::string& content);

  bool replaceFrom(std::uint64_t offset, std::string_view tail) override;

 private:
  DiskStoreFile(platform::File file, base::TextValue journal, std::uint64_t journalLength)
      : file_(std::move(file)), journal_(std::move(journal)), journalLength_(journalLength) {}
  // Appends the change to the side record after its whole changes, and flushes it.
  bool recordChange(std::uint64_t offset, std::string_view tail);
  bool writeTail(std::uint64_t offset, std::string_view tail);
  void dropJournal();

  platform::File file_;
  base::TextValue journal_;
  // The side record's bytes that hold whole changes not known to be in the file (0: none on disk).
  std::uint64_t journalLength_;
};

// The settings file's content as a reader that does not write it sees it: the file's bytes with
// the side record's whole changes applied. 0 or a FileError of reading the file.
int readStoreContent(const base::TextValue& path, std::string& content);

}  // namespace settings
