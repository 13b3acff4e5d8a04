#pragma once
// What a FileAccess allows.

#include "platform/file.h"

namespace platform {

inline bool grantsRead(FileAccess access) { return access != FileAccess::Write; }
inline bool grantsWrite(FileAccess access) { return access != FileAccess::Read; }

}  // namespace platform
