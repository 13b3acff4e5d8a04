#include "ui/win32/win32_tooltip.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/dpi_scale.h"
#include "ui/win32/win32_control.h"
#include "ui/win32/win32_dpi.h"
#include "ui/win32/win32_toolkit.h"

namespace ui::win32 {

namespace {

constexpr int kLongestDelay = 32767;

// The window of a control of this backend, or null.
HWND windowOf(const Control& control) {
  const auto* native = dynamic_cast<const NativeControl*>(&control);
  return native == nullptr ? nullptr : native->hwnd();
}

// A tip registration as the common control of every version reads it (without the reserved
// field that only the newest knows).
TTTOOLINFOW toolInfo(HWND owner) {
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = owner;
  info.uId = 0;
  return info;
}

}  // namespace

std::unique_ptr<Tooltip> Win32Toolkit::createTooltip(bool balloon) {
  auto tooltip = std::make_unique<Win32Tooltip>(balloon);
  if (!tooltip->exists()) return nullptr;
  return tooltip;
}

Win32Tooltip::Win32Tooltip(bool balloon) {
  // Texts are shown as given: "&" in a cell text is no mnemonic prefix.
  DWORD style = WS_POPUP | TTS_NOPREFIX | (balloon ? TTS_BALLOON : 0);
  window_.reset(::CreateWindowExW(0, TOOLTIPS_CLASSW, L"", style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
  if (window_) ::SetWindowPos(window_.get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT Win32Tooltip::send(UINT message, WPARAM wParam, LPARAM lParam) const {
  if (!window_) return 0;
  return ::SendMessageW(window_.get(), message, wParam, lParam);
}

void Win32Tooltip::noteLength(std::size_t wideLength) { longestText_ = std::max(longestText_, wideLength); }

bool Win32Tooltip::destroy() {
  if (!window_) return false;
  return ::DestroyWindow(window_.release()) != FALSE;
}

bool Win32Tooltip::addTool(const Control& owner, const base::TextValue& text, bool centred) {
  HWND ownerWindow = windowOf(owner);
  if (!window_ || ownerWindow == nullptr) return false;
  std::wstring wide = wideText(text);
  noteLength(wide.size());
  TTTOOLINFOW info = toolInfo(ownerWindow);
  info.uFlags = TTF_SUBCLASS | (centred ? TTF_CENTERTIP : 0);
  ::GetClientRect(ownerWindow, &info.rect);
  info.lpszText = wide.data();
  return send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

void Win32Tooltip::removeTool(const Control& owner) {
  HWND ownerWindow = windowOf(owner);
  if (ownerWindow == nullptr) return;
  TTTOOLINFOW info = toolInfo(ownerWindow);
  send(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void Win32Tooltip::updateText(const Control& owner, const base::TextValue& text) {
  HWND ownerWindow = windowOf(owner);
  if (ownerWindow == nullptr) return;
  std::wstring wide = wideText(text);
  noteLength(wide.size());
  TTTOOLINFOW info = toolInfo(ownerWindow);
  info.lpszText = wide.data();
  send(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

base::TextValue Win32Tooltip::textOf(HWND owner, UINT_PTR id) const {
  std::vector<wchar_t> buffer(longestText_ + 1, L'\0');
  TTTOOLINFOW info = toolInfo(owner);
  info.uId = id;
  info.lpszText = buffer.data();
  send(TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&info));
  if (info.lpszText != buffer.data()) return {};  // no text of its own (none, or asked for by callback)
  buffer.back() = L'\0';
  return gbkText(std::wstring(buffer.data()));
}

std::optional<base::TextValue> Win32Tooltip::toolText(const Control& owner) const {
  HWND ownerWindow = windowOf(owner);
  if (!window_ || ownerWindow == nullptr) return std::nullopt;
  TTTOOLINFOW info = toolInfo(ownerWindow);
  if (!send(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info))) return std::nullopt;
  return textOf(ownerWindow, 0);
}

int Win32Tooltip::toolCount() const { return static_cast<int>(send(TTM_GETTOOLCOUNT)); }

base::TextValue Win32Tooltip::toolTextAt(int index) const {
  if (index < 0) return {};
  TTTOOLINFOW info = toolInfo(nullptr);
  if (!send(TTM_ENUMTOOLSW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info))) return {};
  return textOf(info.hwnd, info.uId);
}

Color Win32Tooltip::backgroundColor() const { return static_cast<Color>(send(TTM_GETTIPBKCOLOR)); }

void Win32Tooltip::setBackgroundColor(Color color) { send(TTM_SETTIPBKCOLOR, color); }

Color Win32Tooltip::textColor() const { return static_cast<Color>(send(TTM_GETTIPTEXTCOLOR)); }

void Win32Tooltip::setTextColor(Color color) { send(TTM_SETTIPTEXTCOLOR, color); }

void Win32Tooltip::setDelay(TooltipDelay which, int milliseconds) {
  WPARAM kind = which == TooltipDelay::Initial ? TTDT_INITIAL : TTDT_AUTOPOP;
  send(TTM_SETDELAYTIME, kind, MAKELPARAM(std::clamp(milliseconds, 0, kLongestDelay), 0));
}

int Win32Tooltip::setMaxWidth(int pixels) {
  // In designed pixels of the system's DPI (a tip shows over any window); -1 is no limit.
  const DpiScale scale(systemDpi());
  const int device = pixels < 0 ? -1 : scale.toDevice(pixels);
  const int previous = static_cast<int>(send(TTM_SETMAXTIPWIDTH, 0, device));
  return previous < 0 ? -1 : scale.toLayout(previous);
}

void Win32Tooltip::pop() { send(TTM_POP); }

}  // namespace ui::win32
