#include "ui/win32/win32_toolkit.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "ui/win32/win32_control.h"
#include "ui/win32/win32_dpi.h"
#include "ui/win32/win32_fonts.h"
#include "ui/win32/win32_keys.h"
#include "ui/win32/win32_picture.h"
#include "ui/win32/win32_window.h"

namespace ui::win32 {

namespace {

constexpr wchar_t kMessageWindowClass[] = L"gebuMessages";
constexpr wchar_t kDefaultWindowClass[] = L"gebuWindow";

UINT boxStyle(const MessageBoxRequest& request) {
  UINT style = request.buttons == MessageButtons::OkCancel ? MB_OKCANCEL : MB_OK;
  switch (request.icon) {
    case MessageIcon::None: break;
    case MessageIcon::Information: style |= MB_ICONINFORMATION; break;
    case MessageIcon::Warning: style |= MB_ICONEXCLAMATION; break;
    case MessageIcon::Error: style |= MB_ICONERROR; break;
    case MessageIcon::Question: style |= MB_ICONQUESTION; break;
  }
  switch (request.modality) {
    case MessageModality::Application: style |= MB_APPLMODAL; break;
    case MessageModality::Task: style |= MB_TASKMODAL; break;
    case MessageModality::System: style |= MB_SYSTEMMODAL; break;
  }
  return style;
}

// The key of a key-down message that windows hear of before their controls, or nothing.
std::optional<Key> windowKey(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return std::nullopt;
  if (keyBelongsToControl(message.hwnd)) return std::nullopt;
  return keyOfVirtualKey(message.wParam);
}

// The window's control that `hwnd` belongs to: its own window, or the nearest one it lies in (the
// edit part of a combo box, a tree's label editor); null when none.
Control* controlHolding(const Window& window, HWND hwnd) {
  for (HWND at = hwnd; at != nullptr; at = ::GetParent(at)) {
    NativeControl* native = NativeControl::of(at);
    if (native != nullptr && &native->control().window() == &window) return &native->control();
    if ((::GetWindowLongPtrW(at, GWL_STYLE) & WS_CHILD) == 0) break;
  }
  return nullptr;
}

}  // namespace

Win32Toolkit::Win32Toolkit() : instance_(::GetModuleHandleW(nullptr)) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES;
  ::InitCommonControlsEx(&controls);
  uiFontFace_ = chooseUiFontFace();

  registerClass(kPanelClass, IDC_ARROW, ::GetSysColorBrush(COLOR_BTNFACE), 0);
  registerClass(kDrawingPanelClass, IDC_ARROW, nullptr, 0);
  registerClass(kSplitterClass, IDC_SIZEWE, ::GetSysColorBrush(COLOR_BTNFACE), 0);

  WNDCLASSEXW messages{};
  messages.cbSize = sizeof(messages);
  messages.lpfnWndProc = &Win32Toolkit::messageProc;
  messages.hInstance = instance_;
  messages.lpszClassName = kMessageWindowClass;
  if (::RegisterClassExW(&messages)) registered_.emplace_back(kMessageWindowClass);
  messages_.reset(::CreateWindowExW(0, kMessageWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, nullptr));
  ::SetWindowLongPtrW(messages_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32Toolkit::~Win32Toolkit() {
  for (const auto& [id, tick] : timers_) ::KillTimer(messages_.get(), static_cast<UINT_PTR>(id));
  messages_.reset();
  for (const std::wstring& name : registered_) ::UnregisterClassW(name.c_str(), instance_);
}

void Win32Toolkit::registerClass(const wchar_t* name, const wchar_t* cursor, HBRUSH background, UINT style) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = style;
  windowClass.lpfnWndProc = &::DefWindowProcW;
  windowClass.hInstance = instance_;
  windowClass.hCursor = ::LoadCursorW(nullptr, cursor);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  if (::RegisterClassExW(&windowClass)) registered_.emplace_back(name);
}

std::wstring Win32Toolkit::windowClass(const base::TextValue& name) {
  std::wstring className = name.empty() ? std::wstring(kDefaultWindowClass) : wideText(name);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (::GetClassInfoExW(instance_, className.c_str(), &existing)) return className;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = &Win32Window::windowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
  windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = className.c_str();
  if (::RegisterClassExW(&windowClass)) registered_.push_back(className);
  return className;
}

std::unique_ptr<Window> Win32Toolkit::createWindow(const WindowLayout& layout, Window* owner) {
  return std::make_unique<Win32Window>(*this, layout, dynamic_cast<Win32Window*>(owner));
}

void Win32Toolkit::show(Window& window) {
  if (auto* native = dynamic_cast<Win32Window*>(&window)) native->showByToolkit();
}

void Win32Toolkit::windowOpened(Win32Window& window) { windows_.push_back(&window); }

void Win32Toolkit::windowGone(Win32Window& window) { std::erase(windows_, &window); }

void Win32Toolkit::runMessageLoop() {
  MSG message{};
  while (!windows_.empty()) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(message.wParam));  // for an outer loop
      break;
    }
    if (got < 0) break;
    if (preTranslate(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

void Win32Toolkit::runWaitingEvents() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (preTranslate(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

Win32Window* Win32Toolkit::windowHolding(HWND hwnd) const {
  HWND root = hwnd != nullptr ? ::GetAncestor(hwnd, GA_ROOT) : nullptr;
  if (root == nullptr) return nullptr;
  const auto found = std::find_if(windows_.begin(), windows_.end(), [root](const Win32Window* window) { return window->hwnd() == root; });
  return found != windows_.end() ? *found : nullptr;
}

bool Win32Toolkit::preTranslate(const MSG& message) {
  const std::optional<Key> key = windowKey(message);
  if (!key) return false;
  Win32Window* window = windowHolding(message.hwnd);
  if (window == nullptr) return false;
  // Key messages go to the window with the focus, so the message's window is where the focus was.
  return window->handleKeyPress({controlHolding(*window, message.hwnd), *key, heldKeys()});
}

MessageAnswer Win32Toolkit::presentMessageBox(const MessageBoxRequest& request) {
  const int answer = ::MessageBoxW(::GetActiveWindow(), wideText(request.text).c_str(), wideText(request.caption).c_str(),
                                   boxStyle(request));
  return answer == IDOK ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

int Win32Toolkit::keyState() {
  // Held when the keyboard says so now, or when the input this thread has read says so: the
  // messages it reacts to may carry keys the keyboard has let go of since.
  const auto held = [](int virtualKey) { return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0 || ::GetKeyState(virtualKey) < 0; };
  int keys = kNoKeys;
  if (held(VK_CONTROL)) keys += kCtrl;
  if (held(VK_SHIFT)) keys += kShift;
  if (held(VK_MENU)) keys += kAlt;
  return keys;
}

DpiScale Win32Toolkit::screenScale() const { return DpiScale(systemDpi()); }

Point Win32Toolkit::cursorPosition() {
  POINT at{};
  ::GetCursorPos(&at);
  return screenScale().toLayout(Point{at.x, at.y});
}

Rect Win32Toolkit::screenArea() {
  RECT area{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return screenScale().toLayout(Rect{area.left, area.top, area.right - area.left, area.bottom - area.top});
}

namespace {

// Collects the work areas of the screens other than the primary one.
BOOL CALLBACK addOtherScreen(HMONITOR monitor, HDC, LPRECT, LPARAM others) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (::GetMonitorInfoW(monitor, &info) && (info.dwFlags & MONITORINFOF_PRIMARY) == 0) {
    reinterpret_cast<std::vector<RECT>*>(others)->push_back(info.rcWork);
  }
  return TRUE;
}

}  // namespace

std::vector<Rect> Win32Toolkit::screenAreas() {
  // The primary screen first (its work area is screenArea's), then the others.
  std::vector<RECT> others;
  ::EnumDisplayMonitors(nullptr, nullptr, addOtherScreen, reinterpret_cast<LPARAM>(&others));
  std::vector<Rect> areas{screenArea()};
  const DpiScale scale = screenScale();
  for (const RECT& area : others) {
    areas.push_back(scale.toLayout(Rect{area.left, area.top, area.right - area.left, area.bottom - area.top}));
  }
  return areas;
}

void Win32Toolkit::setClipboardText(const base::TextValue& text) {
  const std::wstring wide = wideText(text);
  if (!::OpenClipboard(messages_.get())) return;
  ::EmptyClipboard();
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (void* locked = ::GlobalLock(memory)) {
      std::memcpy(locked, wide.c_str(), bytes);
      ::GlobalUnlock(memory);
      // The clipboard owns the memory once it took it.
      if (!::SetClipboardData(CF_UNICODETEXT, memory)) ::GlobalFree(memory);
    } else {
      ::GlobalFree(memory);
    }
  }
  ::CloseClipboard();
}

base::TextValue Win32Toolkit::clipboardText() {
  std::wstring text;
  if (!::OpenClipboard(messages_.get())) return {};
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* locked = static_cast<const wchar_t*>(::GlobalLock(data))) {
      text.assign(locked, ::wcsnlen(locked, ::GlobalSize(data) / sizeof(wchar_t)));
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return gbkText(text);
}

void Win32Toolkit::beep() { ::MessageBeep(MB_OK); }

std::unique_ptr<Picture> Win32Toolkit::loadPicture(const std::string& bytes) { return Win32Picture::load(bytes); }

std::optional<int> Win32Toolkit::presentPopupMenu(Window& owner, Point screen, const base::TextValue& title,
                                                  const std::vector<MenuItem>& items) {
  auto* window = dynamic_cast<Win32Window*>(&owner);
  if (window == nullptr) return std::nullopt;
  OwnedMenu menu(::CreatePopupMenu());
  HMENU submenu = ::CreatePopupMenu();
  // Menu item IDs are 16 bits in WM_COMMAND: the items are numbered from 1, and the chosen number
  // finds the item's command, which may be any int.
  for (std::size_t index = 0; index < items.size(); ++index) {
    ::AppendMenuW(submenu, MF_STRING, index + 1, wideText(items[index].caption).c_str());
  }
  // The menu owns the submenu from here on.
  ::AppendMenuW(menu.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu), wideText(title).c_str());
  HWND hwnd = window->hwnd();
  ::SetForegroundWindow(hwnd);
  const Point at = screenScale().toDevice(screen);
  const BOOL command = ::TrackPopupMenu(submenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x,
                                        at.y, 0, hwnd, nullptr);
  ::PostMessageW(hwnd, WM_NULL, 0, 0);
  if (command <= 0 || static_cast<std::size_t>(command) > items.size()) return std::nullopt;
  return items[static_cast<std::size_t>(command) - 1].command;
}

void Win32Toolkit::addTrayIcon(Window& window, const Picture& icon, const base::TextValue& tooltip,
                               std::function<void(TrayEvent)> handler) {
  auto* native = dynamic_cast<Win32Window*>(&window);
  const auto* picture = dynamic_cast<const Win32Picture*>(&icon);
  if (native == nullptr || picture == nullptr) return;
  native->setTrayIcon(picture->makeIcon(), tooltip, std::move(handler));
}

void Win32Toolkit::removeTrayIcon(Window& window) {
  if (auto* native = dynamic_cast<Win32Window*>(&window)) native->removeTrayIcon();
}

int Win32Toolkit::startTimer(int milliseconds, std::function<void()> tick) {
  const int id = nextTimer_++;
  timers_[id] = std::move(tick);
  ::SetTimer(messages_.get(), static_cast<UINT_PTR>(id), static_cast<UINT>(std::max(milliseconds, 1)), nullptr);
  return id;
}

void Win32Toolkit::stopTimer(int id) {
  ::KillTimer(messages_.get(), static_cast<UINT_PTR>(id));
  timers_.erase(id);
}

LRESULT CALLBACK Win32Toolkit::messageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32Toolkit*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self != nullptr && message == WM_TIMER) {
    const auto found = self->timers_.find(static_cast<int>(wParam));
    if (found != self->timers_.end()) {
      // The tick may stop its own timer.
      std::function<void()> tick = found->second;
      tick();
    }
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace ui::win32
