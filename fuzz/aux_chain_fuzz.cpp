// The auxiliary file alone, from damaged bytes. The input starts with a count byte and that many
// (count mod 8, plus one) steps of 6 bytes: the block a chain starts at (int32) and the length of a
// new value (uint16, its top bit asking for the new chain to be freed again); the auxiliary file
// follows, held in memory. Each step reads the chain, writes a new value over it and reads that
// back: a write that succeeds must read back as the value written. Whatever the bytes, every step
// ends in a value or an error code, never in a crash or a hang.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/file.h"
#include "platform/file_operations.h"
#include "platform/memory_files.h"
#include "recorddb/aux_store.h"
#include "recorddb/format.h"

namespace {

constexpr std::size_t kStepSize = 6;
constexpr std::size_t kMaxSteps = 8;
constexpr std::uint64_t kLargestFile = std::uint64_t{16} << 20;

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "aux chain: %s\n", what);
  std::abort();
}

platform::MemoryFiles& memory() {
  static platform::MemoryFiles files;
  static const platform::ScopedFileOperations scope(files.operations());
  return files;
}

struct Step {
  std::int32_t first;
  std::size_t length;
  bool freeAgain;
};

Step stepAt(const char* bytes) {
  const auto length = static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[4]) |
                                                 static_cast<unsigned char>(bytes[5]) << 8);
  return {recorddb::format::readInt32(bytes), static_cast<std::size_t>(length & 0x7FFF) % 4096,
          (length & 0x8000) != 0};
}

// A value of `length` bytes that differs from step to step, with GBK bytes among ASCII.
std::string valueFor(std::size_t step, std::size_t length) {
  std::string value(length, '\0');
  for (std::size_t i = 0; i < length; ++i) value[i] = static_cast<char>(i * 131 + step * 29 + length);
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const base::TextValue path = "/mem/a.EDT";
  if (size < 1) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t steps = static_cast<unsigned char>(input[0]) % kMaxSteps + 1;
  if (size < 1 + steps * kStepSize) return 0;
  platform::MemoryFiles& files = memory();
  files.clear();
  files.setSizeLimit(kLargestFile);
  files.put(path, input.substr(1 + steps * kStepSize));

  platform::File file;
  if (file.open(path, platform::FileAccess::ReadWrite, platform::ShareMode::DenyNone,
                platform::OpenMode::OpenExisting) != platform::kFileOk) {
    fail("the file in memory does not open");
  }
  recorddb::AuxStore store(std::move(file), true, true);
  for (std::size_t k = 0; k < steps; ++k) {
    const Step step = stepAt(input.data() + 1 + k * kStepSize);
    std::string old;
    (void)store.read(step.first, old);
    const std::string value = valueFor(k, step.length);
    std::int32_t first = -1;
    if (store.write(value, step.first, first) != 0) continue;
    std::string back;
    if (store.read(first, back) != 0) fail("the chain just written does not read");
    if (back != value) fail("the chain just written reads back otherwise");
    if (step.freeAgain) (void)store.free(first);
  }
  return 0;
}
