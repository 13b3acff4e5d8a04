#pragma once
// The FileError of a failure errno reports.

#include <string>

namespace platform::posix {

int lastFileError();

// As fileErrorFromNative; a missing file whose folder is missing as well gives kFileBadPath, as
// Windows tells "path not found" from "file not found".
int fileErrorAt(int nativeError, const std::string& nativePath);
int lastFileErrorAt(const std::string& nativePath);

}  // namespace platform::posix
