#pragma once
// The FileError of the failure GetLastError reports.

namespace platform::win32 {

int lastFileError();

}  // namespace platform::win32
