#include "platform/command_line_quoting.h"

namespace platform {
namespace {

bool needsQuotes(std::string_view argument) {
  return argument.empty() || argument.find_first_of(" \t\n\v\"") != std::string_view::npos;
}

}  // namespace

std::string quoteWindowsArgument(std::string_view argument) {
  if (!needsQuotes(argument)) return std::string(argument);
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (char byte : argument) {
    if (byte == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote escape each other; the quote itself is escaped by one more.
    std::size_t count = byte == '"' ? backslashes * 2 + 1 : backslashes;
    quoted.append(count, '\\');
    quoted += byte;
    backslashes = 0;
  }
  quoted.append(backslashes * 2, '\\');  // the closing quote follows them
  quoted += '"';
  return quoted;
}

std::string windowsCommandLine(std::string_view program, const std::vector<std::string>& arguments) {
  std::string line = quoteWindowsArgument(program);
  for (const std::string& argument : arguments) {
    line += ' ';
    line += quoteWindowsArgument(argument);
  }
  return line;
}

}  // namespace platform
