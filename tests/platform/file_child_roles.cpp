#include "tests/platform/file_child_roles.h"

#include <string>
#include <vector>

#include "platform/text_codec.h"
#include "tests/support/child_process.h"

namespace platform_tests {
namespace {

using Arguments = std::vector<std::string>;

// A FileError leaves the child as a positive exit code.
int exitCodeOf(int fileError) { return -fileError; }
int fileErrorOf(int exitCode) { return exitCode == -1 ? platform::kFileUnspecified : -exitCode; }

int openRole(const Arguments& args) {
  if (args.size() != 3) return 100;
  platform::File file;
  return exitCodeOf(
      file.open(platform::pathTextFromUtf8(args[0]), static_cast<platform::FileAccess>(std::stoi(args[1])),
                static_cast<platform::ShareMode>(std::stoi(args[2])), platform::OpenMode::OpenExisting));
}

int lockRole(const Arguments& args) {
  if (args.size() != 3) return 100;
  platform::File file;
  int result = file.open(platform::pathTextFromUtf8(args[0]), platform::FileAccess::ReadWrite,
                         platform::ShareMode::DenyNone, platform::OpenMode::OpenExisting);
  if (result == platform::kFileOk) result = file.lock(std::stoull(args[1]), std::stoull(args[2]));
  return exitCodeOf(result);
}

[[maybe_unused]] const bool kOpenRegistered = testing_support::registerChildRole("open-file", openRole);
[[maybe_unused]] const bool kLockRegistered = testing_support::registerChildRole("lock-file", lockRole);

}  // namespace

int openInChild(const base::TextValue& path, platform::FileAccess access, platform::ShareMode share) {
  return fileErrorOf(testing_support::runChild(
      "open-file", {platform::gbkToUtf8(path), std::to_string(static_cast<int>(access)),
                    std::to_string(static_cast<int>(share))}));
}

int lockInChild(const base::TextValue& path, std::uint64_t offset, std::uint64_t length) {
  return fileErrorOf(testing_support::runChild(
      "lock-file", {platform::gbkToUtf8(path), std::to_string(offset), std::to_string(length)}));
}

}  // namespace platform_tests
