#include "tests/support/scratch_dir.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>

#include "platform/paths.h"
#include "platform/text_codec.h"

namespace testing_support {
namespace {

std::filesystem::path nativePath(const base::TextValue& gbk) {
  std::u16string wide = platform::gbkToUtf16(gbk);
  return std::filesystem::path(wide);
}

}  // namespace

ScratchDir::ScratchDir() {
  static std::atomic<unsigned> counter{0};
  auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  std::filesystem::path base = std::filesystem::temp_directory_path();
  std::filesystem::path dir;
  do {
    dir = base / ("gebu-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  } while (std::filesystem::exists(dir));
  std::filesystem::create_directories(dir);
  std::u16string wide = dir.u16string();
  path_ = platform::pathTextFromUtf16(wide);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(nativePath(path_), ignored);
}

base::TextValue ScratchDir::file(const base::TextValue& name) const {
  return platform::joinPath(path_, name);
}

}  // namespace testing_support
