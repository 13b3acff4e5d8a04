#pragma once
// Quoting of program arguments for a Windows command line. Plain text work, so it lives outside
// win32/ and is checked on every platform.

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// `argument` quoted so that CommandLineToArgvW and the C runtime give it back unchanged: inside
// quotes, backslashes are doubled only where a quote follows them, and quotes are escaped.
std::string quoteWindowsArgument(std::string_view argument);

// The command line that starts `program` with `arguments`.
std::string windowsCommandLine(std::string_view program, const std::vector<std::string>& arguments);

}  // namespace platform
