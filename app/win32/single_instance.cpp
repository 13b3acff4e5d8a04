#include "app/single_instance.h"

#include <windows.h>
#include <psapi.h>

#include <string>

#include "platform/text_codec.h"
#include "platform/win32/unique_handle.h"

namespace app {
namespace {

constexpr char kDefaultClass[] = "ycsoft";

// The full path of the main module of `process` (null: this process), however long it is.
std::wstring executablePathOf(HANDLE process) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const auto capacity = static_cast<DWORD>(path.size());
    DWORD length = process ? ::GetModuleFileNameExW(process, nullptr, path.data(), capacity)
                           : ::GetModuleFileNameW(nullptr, path.data(), capacity);
    if (length == 0) return {};
    if (length < capacity - 1) {
      path.resize(length);
      return path;
    }
    if (capacity > 32768) return {};
    path.resize(path.size() * 2);
  }
}

std::wstring executablePathOf(DWORD processId) {
  platform::win32::UniqueHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  return process.valid() ? executablePathOf(process.get()) : std::wstring();
}

}  // namespace

bool findRunningCopy(const base::TextValue& windowClass) {
  const std::u16string className = platform::gbkToUtf16(windowClass.empty() ? kDefaultClass : windowClass);
  const std::wstring ownPath = executablePathOf(static_cast<HANDLE>(nullptr));
  const DWORD ownProcess = ::GetCurrentProcessId();
  HWND previous = nullptr;
  while (HWND found = ::FindWindowExW(nullptr, previous, reinterpret_cast<const wchar_t*>(className.c_str()), nullptr)) {
    previous = found;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(found, &processId);
    if (processId == ownProcess) continue;
    if (ownPath.empty() || executablePathOf(processId) != ownPath) continue;
    ::ShowWindowAsync(found, SW_SHOWNORMAL);
    ::SetForegroundWindow(found);
    return true;
  }
  return false;
}

}  // namespace app
