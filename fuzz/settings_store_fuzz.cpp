// The settings store on a damaged settings file held in memory. The input is the file, optionally
// followed by "\0--ops--\0" and the steps to take, NUL-separated; each step is a letter and its
// first argument, later arguments are the words after it:
//   S<section>            select a section
//   T<key> <value>        write a text        N<key> <text>   write the number the text reads as
//   L<key>                write a logical (true for a key of odd length)
//   r<key>                read it as text, number and logical
//   R<section> <old> <new> rename a key
//   B<key> <bytes>        write a bytes value to its own file and read it back
//   O                     close the store and open the file again
// A write that succeeds reads back as written where the names keep to one line (the key holds no
// "=") and the section's header ends its line. Whenever the store is opened again, it reads what the memory copy held before.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/number_text.h"
#include "fuzz/input_parts.h"
#include "platform/file_operations.h"
#include "platform/memory_files.h"
#include "platform/paths.h"
#include "settings/ini_text.h"
#include "settings/settings_store.h"

namespace {

constexpr std::string_view kOpsMarker{"\0--ops--\0", 9};
constexpr std::size_t kMaxSteps = 64;

platform::MemoryFiles& memory() {
  static platform::MemoryFiles files;
  static const platform::ScopedFileOperations scope(files.operations());
  return files;
}

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "settings store: %s\n", what);
  std::abort();
}

std::vector<std::string_view> wordsOf(std::string_view text) {
  std::vector<std::string_view> words;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\0', start), text.size());
    words.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return words;
}

// Names that a settings line holds as they are: no line break, and a key without "=".
bool keepsToItsLine(std::string_view name, bool key) {
  return name.find_first_of(key ? "\r\n=" : "\r\n") == std::string_view::npos;
}

// Whether the header of `section` in `content` ends its line (a new key line inserted after a
// header followed by more text takes that text into its value), or the section is not there yet.
bool headerEndsItsLine(const std::string& content, std::string_view section) {
  const std::optional<settings::SectionLocation> found = settings::findSection(content, section);
  return !found || found->headerEnd == content.size() || content.compare(found->headerEnd, 2, "\r\n") == 0;
}

class Run {
 public:
  explicit Run(base::TextValue path) : path_(std::move(path)) { reopen(); }

  void step(char letter, std::string_view argument, const std::vector<std::string_view>& words, std::size_t& next) {
    auto word = [&]() -> base::TextValue { return next < words.size() ? base::TextValue(words[next++]) : ""; };
    const base::TextValue key(argument);
    // Asked before the write: whether what it writes must read back.
    auto plain = [&] {
      return keepsToItsLine(store_->section(), false) && keepsToItsLine(key, true) &&
             headerEndsItsLine(store_->content(), store_->section());
    };
    switch (letter) {
      case 'S':
        store_->selectSection(key);
        break;
      case 'T': {
        const base::TextValue value = word();
        const bool checked = plain();
        if (store_->writeText(key, value) && checked &&
            store_->readText(key) != settings::unescapeLineBreaks(settings::escapeLineBreaks(value))) {
          fail("a text written reads back otherwise");
        }
        break;
      }
      case 'N': {
        const double value = base::textToNumber(word());
        const bool checked = plain();
        if (store_->writeNumber(key, value) && checked && store_->readText(key) != base::formatDouble(value)) {
          fail("a number written reads back otherwise");
        }
        break;
      }
      case 'L': {
        const bool value = key.size() % 2 == 1;
        const bool checked = plain();
        if (store_->writeLogical(key, value) && checked && store_->readLogical(key, !value) != value) {
          fail("a logical written reads back otherwise");
        }
        break;
      }
      case 'r':
        (void)store_->readText(key, "默认");
        (void)store_->readNumber(key, 1.5);
        (void)store_->readLogical(key, true);
        break;
      case 'R': {
        const base::TextValue oldKey = word();
        const base::TextValue newKey = word();
        (void)store_->renameKey(key, oldKey, newKey);
        break;
      }
      case 'B': {
        const std::string bytes(word());
        if (store_->writeBytes(key, bytes) && !bytes.empty() && store_->readBytes(key) != bytes) {
          fail("a bytes value written reads back otherwise");
        }
        break;
      }
      case 'O':
        reopen();
        break;
      default:
        break;
    }
  }

  // Opens the file again (after the store before let it go): it holds what that store held.
  void reopen() {
    std::optional<std::string> held;
    if (store_) held = store_->content();
    const base::TextValue section = store_ ? store_->section() : base::TextValue();
    store_.reset();
    store_ = std::make_unique<settings::SettingsStore>();
    if (!store_->open(path_)) fail("the settings file in memory does not open");
    if (held && store_->content() != *held) fail("the file opened again differs from memory");
    store_->selectSection(section);
  }

 private:
  base::TextValue path_;
  std::unique_ptr<settings::SettingsStore> store_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const base::TextValue path = platform::fullPath("/mem/gebu.ini");
  platform::MemoryFiles& files = memory();
  files.clear();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t marker = fuzzing::findMarker(input, kOpsMarker);
  files.put(path, input.substr(0, marker));
  const std::vector<std::string_view> words =
      marker == std::string_view::npos ? std::vector<std::string_view>{} : wordsOf(input.substr(marker + kOpsMarker.size()));

  Run run(path);
  std::size_t steps = 0;
  for (std::size_t next = 0; next < words.size() && steps < kMaxSteps; ++steps) {
    const std::string_view word = words[next++];
    if (!word.empty()) run.step(word[0], word.substr(1), words, next);
  }
  run.reopen();
  return 0;
}
