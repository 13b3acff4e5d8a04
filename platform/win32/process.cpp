// The process on Windows: the wide command line, binary C runtime streams, CreateProcessW.

#include "platform/process.h"

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <memory>

#include "platform/command_line_quoting.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace platform {
namespace {

struct LocalFreeDeleter {
  void operator()(LPWSTR* memory) const { ::LocalFree(memory); }
};

}  // namespace

std::vector<std::string> commandLineArguments(int argc, char** argv) {
  int count = 0;
  std::unique_ptr<LPWSTR, LocalFreeDeleter> wideArguments(::CommandLineToArgvW(::GetCommandLineW(), &count));
  if (!wideArguments) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  for (int index = 0; index < count; ++index)
    arguments.push_back(win32::utf8FromWide(wideArguments.get()[index]));
  return arguments;
}

void useBinaryStandardStreams() {
  ::_setmode(::_fileno(stdin), _O_BINARY);
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
}

int runProcess(const std::string& program, const std::vector<std::string>& arguments) {
  std::wstring commandLine = win32::wideFromUtf8(windowsCommandLine(program, arguments));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
    return -1;
  }
  win32::UniqueHandle process(started.hProcess);
  win32::UniqueHandle thread(started.hThread);
  DWORD exitCode = 0;
  if (::WaitForSingleObject(process.get(), INFINITE) != WAIT_OBJECT_0) return -1;
  if (!::GetExitCodeProcess(process.get(), &exitCode)) return -1;
  return static_cast<int>(exitCode);
}

}  // namespace platform
