// The Windows shell: ShellExecuteW for web addresses, the file manager (explorer.exe from the
// Windows folder, never found through the search path) for FTP addresses.

#include "platform/shell.h"

#include <windows.h>
// after windows.h, which they need
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <string_view>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace platform {
namespace {

// COM for the shell's handlers, on this thread for as long as the request takes.
class ComForShell {
 public:
  ComForShell() : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ~ComForShell() {
    if (initialised_) ::CoUninitialize();
  }
  ComForShell(const ComForShell&) = delete;
  ComForShell& operator=(const ComForShell&) = delete;

 private:
  bool initialised_;
};

// A double quote or a control character would end the one argument the address travels in.
bool fitsInOneArgument(std::wstring_view text) {
  for (wchar_t c : text) {
    if (c == L'"' || c < 0x20) return false;
  }
  return !text.empty();
}

std::wstring fileManagerPath() {
  wchar_t folder[MAX_PATH];
  const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::wstring(folder, length) + L"\\explorer.exe";
}

class WindowsShell final : public Shell {
 public:
  bool openWebAddress(const base::TextValue& address) override {
    const std::wstring wide = win32::wideFromGbk(address);
    if (!fitsInOneArgument(wide)) return false;
    ComForShell com;
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
  }

  bool openInFileManager(const base::TextValue& ftpAddress) override {
    const std::wstring target = win32::wideFromGbk(ftpAddress);
    const std::wstring program = fileManagerPath();
    if (!fitsInOneArgument(target) || program.empty()) return false;
    std::wstring commandLine = L"\"" + program + L"\" /n,\"" + target + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started)) {
      return false;
    }
    win32::UniqueHandle process(started.hProcess);
    win32::UniqueHandle thread(started.hThread);
    ::WaitForInputIdle(process.get(), 1000);
    return true;
  }
};

}  // namespace

std::unique_ptr<Shell> makeNativeShell() { return std::make_unique<WindowsShell>(); }

}  // namespace platform
