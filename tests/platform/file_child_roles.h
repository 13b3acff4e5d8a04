#pragma once
// A second process that opens or locks a file, for the tests of share modes and locks between
// processes. Each returns the FileError the child got.

#include <cstdint>

#include "base/text_value.h"
#include "platform/file.h"

namespace platform_tests {

int openInChild(const base::TextValue& path, platform::FileAccess access, platform::ShareMode share);

// Opens the existing file for reading and writing, sharing everything, and locks the range.
int lockInChild(const base::TextValue& path, std::uint64_t offset, std::uint64_t length);

}  // namespace platform_tests
