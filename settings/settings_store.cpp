#include "settings/settings_store.h"

#include <algorithm>

#include "base/number_text.h"
#include "platform/file.h"
#include "platform/paths.h"
#include "settings/ini_text.h"

namespace settings {
namespace {

// Creating a missing section is retried this many times before the store gives up.
constexpr int kSectionAppendAttempts = 11;
// The result of a write that memory holds but the file could not take.
constexpr int kNotStored = -2;

constexpr char kSectionFailureText[] = "配置模块出现意外，可能导致无法正常保存！详情请咨询砚川。";
constexpr char kSectionFailureCaption[] = "砚川：";
constexpr char kBytesFolder[] = "inibin";
constexpr char kBytesExtension[] = ".ibn";

// Characters that cannot stand in a file name become "_", so a key can never name another folder.
base::TextValue fileNamePart(const base::TextValue& text) {
  base::TextValue safe;
  safe.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t size = base::characterSize(text, i);
    char c = text[i];
    bool forbidden = size == 1 && (static_cast<unsigned char>(c) < 0x20 ||
                                   std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos);
    if (forbidden) {
      safe.push_back('_');
    } else {
      safe.append(text, i, size);
    }
    i += size;
  }
  return safe;
}

}  // namespace

SettingsStore::SettingsStore(ui::MessagePresenter* messages, EventPump pump)
    : messages_(messages), pump_(std::move(pump)) {}

bool SettingsStore::open(const base::TextValue& path) {
  file_.reset();
  fileStaleFrom_.reset();
  content_.clear();
  path_ = platform::fullPath(path);
  file_ = DiskStoreFile::open(path_, content_);
  return file_ != nullptr;
}

void SettingsStore::load(const base::TextValue& path) {
  file_.reset();
  fileStaleFrom_.reset();
  path_ = platform::fullPath(path);
  if (readStoreContent(path_, content_) != platform::kFileOk) content_.clear();
}

void SettingsStore::attachFile(std::unique_ptr<StoreFile> file, std::string content) {
  file_ = std::move(file);
  fileStaleFrom_.reset();
  content_ = std::move(content);
}

bool SettingsStore::writeText(const base::TextValue& key, const base::TextValue& value) {
  return request({ChangeKind::Write, section_, key, escapeLineBreaks(value)}) == 0;
}

bool SettingsStore::writeNumber(const base::TextValue& key, double value) {
  return writeText(key, base::formatDouble(value));
}

bool SettingsStore::writeLogical(const base::TextValue& key, bool value) {
  return writeText(key, base::logicalText(value));
}

base::TextValue SettingsStore::readText(const base::TextValue& key, const base::TextValue& defaultValue) {
  base::TextValue stored = escapeLineBreaks(defaultValue);
  if (auto section = findSection(content_, section_, 0, pump_)) {
    if (auto found = findKey(content_, *section, key); found && found->valueEnd > found->valueStart) {
      stored = content_.substr(found->valueStart, found->valueEnd - found->valueStart);
    }
  }
  return unescapeLineBreaks(stored);
}

double SettingsStore::readNumber(const base::TextValue& key, double defaultValue) {
  return base::textToNumber(readText(key, base::formatDouble(defaultValue)));
}

bool SettingsStore::readLogical(const base::TextValue& key, bool defaultValue) {
  return base::isTrueText(readText(key, base::logicalText(defaultValue)));
}

RenameResult SettingsStore::renameKey(const base::TextValue& section, const base::TextValue& oldKey,
                                      const base::TextValue& newKey) {
  return static_cast<RenameResult>(request({ChangeKind::Rename, section, oldKey, newKey}));
}

// A change is queued; when no change is in progress the queue is worked off at once and the result
// is that of the first change worked off. While busy the caller gets "queued".
int SettingsStore::request(Change change) {
  const int queued = change.kind == ChangeKind::Rename ? static_cast<int>(RenameResult::Queued) : -1;
  pending_.push_back(std::move(change));
  if (busy_) return queued;
  std::optional<int> firstResult;
  while (!pending_.empty()) {
    Change next = std::move(pending_.front());
    pending_.pop_front();
    busy_ = true;
    int result = apply(next);
    busy_ = false;
    if (!firstResult) firstResult = result;
  }
  return *firstResult;
}

int SettingsStore::apply(const Change& change) {
  return change.kind == ChangeKind::Write ? applyWrite(change) : applyRename(change);
}

int SettingsStore::applyWrite(const Change& change) {
  std::size_t searchFrom = 0;
  bool stored = true;  // every splice reached the file
  for (int attempt = 0; attempt <= kSectionAppendAttempts; ++attempt) {
    if (auto section = findSection(content_, change.section, searchFrom, pump_)) {
      if (auto key = findKey(content_, *section, change.first)) {
        stored = splice(key->valueStart, key->valueEnd - key->valueStart, change.second) && stored;
      } else {
        stored = splice(section->headerEnd, 0, "\r\n" + change.first + "=" + change.second) && stored;
      }
      return stored ? 0 : kNotStored;
    }
    if (attempt == kSectionAppendAttempts) break;
    searchFrom = content_.size();
    std::string header = (content_.empty() ? "" : "\r\n") + ("[" + change.section + "]");
    // A new section and its key reach the file in one rewrite, so that the file never holds the
    // section without the key.
    // (Events run during the search may replace the content; then the header goes in alone.)
    const std::string before = content_;
    if (findSection(before + header, change.section, searchFrom, pump_) && content_ == before) {
      stored = splice(searchFrom, 0, header + "\r\n" + change.first + "=" + change.second) && stored;
      return stored ? 0 : kNotStored;
    }
    searchFrom = content_.size();
    stored = splice(content_.size(), 0, header) && stored;
  }
  reportSectionFailure();
  return -1;
}

int SettingsStore::applyRename(const Change& change) {
  auto section = findSection(content_, change.section, 0, pump_);
  if (!section) return static_cast<int>(RenameResult::NoSection);
  auto key = findKey(content_, *section, change.first);
  if (!key) return static_cast<int>(RenameResult::NoKey);
  // The file catches up with the next change when this one cannot be written; the result tells
  // only what memory holds.
  (void)splice(key->keyStart, change.first.size(), change.second);
  return static_cast<int>(RenameResult::Renamed);
}

bool SettingsStore::splice(std::size_t offset, std::size_t length, const std::string& bytes) {
  content_.replace(offset, length, bytes);
  if (!file_) return true;
  // A write that failed earlier left the file stale from some offset: rewrite from there too.
  std::size_t from = std::min(offset, fileStaleFrom_.value_or(offset));
  from = std::min(from, content_.size());
  if (file_->replaceFrom(from, std::string_view(content_).substr(from))) {
    fileStaleFrom_.reset();
    return true;
  }
  fileStaleFrom_ = from;
  return false;
}

void SettingsStore::reportSectionFailure() {
  if (!messages_) return;
  ui::MessageBoxRequest warning;
  warning.text = kSectionFailureText;
  warning.caption = kSectionFailureCaption;
  warning.icon = ui::MessageIcon::Warning;
  warning.modality = ui::MessageModality::System;
  messages_->show(warning);
  ui::MessageBoxRequest dump;
  dump.text = content_;
  messages_->show(dump);
}

base::TextValue SettingsStore::bytesValuePath(const base::TextValue& key) const {
  base::TextValue folder = platform::joinPath(platform::parentDirectory(path_), kBytesFolder);
  return platform::joinPath(folder, fileNamePart(section_) + "-" + fileNamePart(key) + kBytesExtension);
}

bool SettingsStore::writeBytes(const base::TextValue& key, const std::string& bytes) {
  base::TextValue file = bytesValuePath(key);
  if (platform::createDirectory(platform::parentDirectory(file)) != platform::kFileOk) return false;
  return platform::writeWholeFile(file, bytes) == platform::kFileOk;
}

std::string SettingsStore::readBytes(const base::TextValue& key, const std::string& defaultValue) {
  std::string bytes;
  if (platform::readWholeFile(bytesValuePath(key), bytes) != platform::kFileOk || bytes.empty()) {
    return defaultValue;
  }
  return bytes;
}

}  // namespace settings
