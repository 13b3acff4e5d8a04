#pragma once
// Windows share modes on POSIX. Every opener holds shared open-file-description locks on reserved
// bytes near the largest file offset, one byte each for "reads", "writes", "denies reading" and
// "denies writing". A new opener takes an exclusive guard byte, looks at the others' markers,
// places its own and lets the guard go, so two openers never race. The locks belong to the open
// file description: they hold between processes and between two opens in one process, and go away
// when the file is closed.

#include <cstdint>

#include "platform/file.h"

namespace platform::posix {

// The first reserved byte; byte-range locks of the system stay below it.
inline constexpr std::uint64_t kShareMarkerBase = 0x7FFFFFFFFFFFFF00;

// Checks `access` and `share` of a newly opened `fd` against the other openers and places its
// markers. 0, kFileSharingViolation, or another FileError. Without `guarded` (a descriptor opened
// read-only cannot take the exclusive guard) the check runs unguarded.
int claimShareMarkers(int fd, FileAccess access, ShareMode share, bool guarded);

}  // namespace platform::posix
