#include "settings/store_file.h"

#include "platform/paths.h"
#include "settings/store_journal.h"

namespace settings {

namespace {

// The whole content of the open `file`; false unless every byte was read.
bool readContent(platform::File& file, std::string& content) {
  std::uint64_t length = 0;
  if (file.length(length) != platform::kFileOk || length > content.max_size()) return false;
  content.resize(static_cast<std::size_t>(length));
  if (length == 0) return true;
  std::size_t bytesRead = 0;
  return file.readAt(0, content.data(), content.size(), bytesRead) == platform::kFileOk && bytesRead == length;
}

// The side record's bytes (empty when there is none); false when it is there but cannot be read.
bool readJournal(const base::TextValue& journal, std::string& bytes) {
  bytes.clear();
  return !platform::pathExists(journal) || platform::readWholeFile(journal, bytes) == platform::kFileOk;
}

}  // namespace

int readStoreContent(const base::TextValue& path, std::string& content) {
  if (int result = platform::readWholeFile(path, content)) return result;
  std::string pending;
  if (readJournal(journalPath(path), pending)) (void)replayJournal(pending, content);
  return platform::kFileOk;
}

std::unique_ptr<DiskStoreFile> DiskStoreFile::open(const base::TextValue& path, std::string& content) {
  content.clear();
  platform::File file;
  const int opened = file.open(path, platform::FileAccess::ReadWrite, platform::ShareMode::DenyWrite,
                               platform::OpenMode::OpenOrCreate);
  const base::TextValue journal = journalPath(path);
  std::string pending;
  // A side record that cannot be read may hold a change the file has only half: nothing is written.
  if (opened == platform::kFileOk && readContent(file, content) && readJournal(journal, pending)) {
    const JournalReplay replay = replayJournal(pending, content);
    std::unique_ptr<DiskStoreFile> store(new DiskStoreFile(std::move(file), journal, replay.wholeLength));
    if (replay.changes == 0) {
      if (!pending.empty()) store->dropJournal();  // only a torn first change: the file never saw it
      return store;
    }
    const auto from = static_cast<std::size_t>(std::min<std::uint64_t>(replay.firstOffset, content.size()));
    if (store->writeTail(from, std::string_view(content).substr(from))) {
      store->dropJournal();
      return store;
    }
    // The side record stays for the next open; until then this run works on memory only.
    return nullptr;
  }
  // Changes are written from the offset where memory changed: over content that was not read they
  // would destroy it. Without the whole content the file stays untouched and the store works on
  // whatever can be read.
  file.close();
  if (readStoreContent(path, content) != platform::kFileOk) content.clear();
  return nullptr;
}

bool DiskStoreFile::replaceFrom(std::uint64_t offset, std::string_view tail) {
  if (!recordChange(offset, tail)) return false;
  if (!writeTail(offset, tail)) return false;
  dropJournal();
  return true;
}

bool DiskStoreFile::recordChange(std::uint64_t offset, std::string_view tail) {
  const std::string change = encodeJournalChange(offset, tail);
  platform::File journal;
  // Without whole changes on disk the side record starts anew (over whatever a failed write left).
  const auto mode = journalLength_ == 0 ? platform::OpenMode::CreateAlways : platform::OpenMode::OpenOrCreate;
  if (journal.open(journal_, platform::FileAccess::ReadWrite, platform::ShareMode::DenyWrite, mode) != platform::kFileOk ||
      journal.writeAt(journalLength_, change.data(), change.size()) != platform::kFileOk ||
      journal.setLength(journalLength_ + change.size()) != platform::kFileOk || journal.flush() != platform::kFileOk) {
    return false;
  }
  journalLength_ += change.size();
  return true;
}

bool DiskStoreFile::writeTail(std::uint64_t offset, std::string_view tail) {
  if (!tail.empty() && file_.writeAt(offset, tail.data(), tail.size()) != platform::kFileOk) return false;
  return file_.setLength(offset + tail.size()) == platform::kFileOk && file_.flush() == platform::kFileOk;
}

void DiskStoreFile::dropJournal() {
  // A side record that cannot be deleted holds only changes the file has: replaying them again
  // gives the same bytes, and the next change is appended after them.
  if (platform::deleteFile(journal_) == platform::kFileOk) journalLength_ = 0;
}

}  // namespace settings
