#pragma once
// SettingsStore: every remembered setting, in one INI-like GBK text file kept wholly in memory.
// Every change is applied at once to the memory copy and to the open file, at the changed offset.
// Changes requested while one is being applied (from UI events let run during a search) wait in a
// queue and follow in order.

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/event_pump.h"
#include "base/text_value.h"
#include "settings/store_file.h"
#include "ui/message_box.h"

namespace settings {

// Lets pending UI events run; called before every section search step (the search goes on whatever
// it answers: a change to the settings is never left half done).
using base::EventPump;

enum class RenameResult : int { Renamed = 0, NoSection = 1, NoKey = 2, Queued = 3 };

class SettingsStore {
 public:
  explicit SettingsStore(ui::MessagePresenter* messages = nullptr, EventPump pump = {});

  void setMessagePresenter(ui::MessagePresenter* messages) { messages_ = messages; }
  void setEventPump(EventPump pump) { pump_ = std::move(pump); }
  // Lets pending UI events run (long walks over the store's users call it between steps).
  void letEventsRun() const {
    if (pump_) pump_();
  }

  // Reads the file into memory and keeps it open (created when missing, other writers denied).
  // False when it cannot be opened or its whole content cannot be read: the store then works on
  // its memory copy only and never writes the file.
  bool open(const base::TextValue& path);
  // Reads the file into memory without opening it for writing; changes stay in memory.
  void load(const base::TextValue& path);
  // Works on the given file (tests use this to put in a file that fails).
  void attachFile(std::unique_ptr<StoreFile> file, std::string content);

  void selectSection(const base::TextValue& section) { section_ = section; }
  const base::TextValue& section() const { return section_; }

  // Writes answer false when the change was only queued, the section could not be made, or the
  // open file could not take the change (memory holds it; the next change writes the file anew).
  bool writeText(const base::TextValue& key, const base::TextValue& value);
  bool writeNumber(const base::TextValue& key, double value);
  bool writeLogical(const base::TextValue& key, bool value);
  // A missing key, and a key with an empty value, read as the default.
  base::TextValue readText(const base::TextValue& key, const base::TextValue& defaultValue = {});
  double readNumber(const base::TextValue& key, double defaultValue);
  bool readLogical(const base::TextValue& key, bool defaultValue);

  // Bytes values live in files of their own: <settings folder>/inibin/<section>-<key>.ibn.
  bool writeBytes(const base::TextValue& key, const std::string& bytes);
  std::string readBytes(const base::TextValue& key, const std::string& defaultValue = {});

  // Renames the first key `oldKey` of the first section `section`; an existing `newKey` is not
  // checked for.
  RenameResult renameKey(const base::TextValue& section, const base::TextValue& oldKey,
                         const base::TextValue& newKey);

  const std::string& content() const { return content_; }
  const base::TextValue& path() const { return path_; }

 private:
  enum class ChangeKind { Write, Rename };
  struct Change {
    ChangeKind kind;
    base::TextValue section;
    base::TextValue first;   // the key, or the old key
    base::TextValue second;  // the value, or the new key
  };

  int request(Change change);
  int apply(const Change& change);
  int applyWrite(const Change& change);
  int applyRename(const Change& change);
  // Replaces `length` bytes at `offset` of the memory copy and brings the file in step; false when
  // the file could not take it (it is brought in step with the next change).
  bool splice(std::size_t offset, std::size_t length, const std::string& bytes);
  void reportSectionFailure();
  base::TextValue bytesValuePath(const base::TextValue& key) const;

  std::string content_;
  std::unique_ptr<StoreFile> file_;
  // Where the file may differ from memory after a failed write (rewritten by the next change).
  std::optional<std::size_t> fileStaleFrom_;
  base::TextValue path_;
  base::TextValue section_;
  bool busy_ = false;
  std::deque<Change> pending_;
  ui::MessagePresenter* messages_;
  EventPump pump_;
};

}  // namespace settings
