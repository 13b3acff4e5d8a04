#include "settings/store_journal.h"

#include <algorithm>
#include <array>

namespace settings {
namespace {

constexpr std::string_view kMagic = "GBSJ";
constexpr char kExtension[] = ".journal";
// magic, offset, tail length; then the tail, then the check sum.
constexpr std::size_t kHeadSize = 4 + 8 + 8;
constexpr std::size_t kSumSize = 8;
// The store keeps the whole settings file in memory; a change beyond this is damage, not a change.
constexpr std::uint64_t kLargestSettingsFile = 256ull << 20;

void putUint64(std::string& out, std::uint64_t value) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint64_t getUint64(std::string_view bytes) {
  std::uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
  return value;
}

// FNV-1a, 64 bits.
std::uint64_t checkSum(std::string_view bytes) {
  std::uint64_t sum = 0xcbf29ce484222325ull;
  for (char c : bytes) {
    sum ^= static_cast<unsigned char>(c);
    sum *= 0x100000001b3ull;
  }
  return sum;
}

}  // namespace

base::TextValue journalPath(const base::TextValue& settingsPath) { return settingsPath + kExtension; }

std::string encodeJournalChange(std::uint64_t offset, std::string_view tail) {
  std::string change;
  change.reserve(kHeadSize + tail.size() + kSumSize);
  change.append(kMagic);
  putUint64(change, offset);
  putUint64(change, tail.size());
  change.append(tail);
  putUint64(change, checkSum(change));
  return change;
}

JournalReplay replayJournal(std::string_view journal, std::string& content) {
  JournalReplay replay;
  std::size_t at = 0;
  while (journal.size() - at >= kHeadSize + kSumSize) {
    const std::string_view rest = journal.substr(at);
    if (rest.substr(0, kMagic.size()) != kMagic) break;
    const std::uint64_t offset = getUint64(rest.substr(4));
    const std::uint64_t length = getUint64(rest.substr(12));
    if (length > rest.size() - kHeadSize - kSumSize || offset > kLargestSettingsFile ||
        length > kLargestSettingsFile - offset) {
      break;
    }
    const std::size_t size = kHeadSize + static_cast<std::size_t>(length);
    if (getUint64(rest.substr(size)) != checkSum(rest.substr(0, size))) break;
    // An offset past the end comes from an earlier change that shrank the file; the bytes between
    // are rewritten by a later change, which starts before them.
    content.resize(static_cast<std::size_t>(offset), '\0');
    content.append(rest.substr(kHeadSize, static_cast<std::size_t>(length)));
    replay.firstOffset = replay.changes == 0 ? offset : std::min(replay.firstOffset, offset);
    ++replay.changes;
    at += size + kSumSize;
    replay.wholeLength = at;
  }
  return replay;
}

}  // namespace settings
