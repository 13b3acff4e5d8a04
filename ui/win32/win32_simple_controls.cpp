#include "ui/win32/win32_simple_controls.h"

#include <commdlg.h>

#include <algorithm>
#include <array>
#include <utility>

#include "platform/win32/wide_text.h"

namespace ui::win32 {

namespace {

constexpr DWORD kSingleLineEdit = WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
constexpr DWORD kMultiLineEdit = WS_TABSTOP | ES_LEFT | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL;

// The clipboard's text (CF_UNICODETEXT), or nothing.
std::wstring clipboardWideText(HWND owner) {
  std::wstring text;
  if (!::OpenClipboard(owner)) return text;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* locked = static_cast<const wchar_t*>(::GlobalLock(data))) {
      text.assign(locked, ::wcsnlen(locked, ::GlobalSize(data) / sizeof(wchar_t)));
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

// What an edit put into a text: the part of `after` between what it has in common with `before`
// at the start and at the end.
std::wstring_view insertedPart(std::wstring_view before, std::wstring_view after) {
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t start = 0;
  while (start < shorter && before[start] == after[start]) ++start;
  std::size_t end = 0;
  while (end < shorter - start && before[before.size() - 1 - end] == after[after.size() - 1 - end]) ++end;
  return after.substr(start, after.size() - start - end);
}

}  // namespace

Win32Label::Win32Label(Win32Window& window, Control* parent, const LayoutEntry& entry)
    : Win32Control(window, parent, entry) {
  create(L"STATIC", SS_LEFT | SS_NOTIFY | SS_NOPREFIX);
}

bool Win32Label::handleCommand(int code, int) {
  if (code == STN_CLICKED) raiseClick();
  return true;
}

Win32Button::Win32Button(Win32Window& window, Control* parent, const LayoutEntry& entry)
    : Win32Control(window, parent, entry) {
  create(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP);
}

bool Win32Button::handleCommand(int code, int) {
  if (code == BN_CLICKED && !quiet()) raiseClick();
  return true;
}

Win32GroupBox::Win32GroupBox(Win32Window& window, Control* parent, const LayoutEntry& entry)
    : Win32Control(window, parent, entry) {
  create(L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN);
}

bool Win32GroupBox::handleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message != WM_ERASEBKGND) return false;
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  ::FillRect(reinterpret_cast<HDC>(wParam), &client, ::GetSysColorBrush(COLOR_BTNFACE));
  result = 1;
  return true;
}

Win32EditBox::Win32EditBox(Win32Window& window, Control* parent, const LayoutEntry& entry)
    : Win32Control(window, parent, entry) {
  createEdit(kSingleLineEdit);
}

void Win32EditBox::createEdit(DWORD style) {
  create(L"EDIT", style, WS_EX_CLIENTEDGE);
  // Without this the system's control stops the user at 32,767 characters (0: as many as it can).
  send(EM_SETLIMITTEXT, 0);
}

void Win32EditBox::writeText(const base::TextValue& text) {
  Quiet quiet(*this);
  written_ = text;
  nativeText(text);
  takeSnapshot(wideWindowText(hwnd()));
}

void Win32EditBox::applyMultiLine(bool multiLine) {
  const bool now = (::GetWindowLongPtrW(hwnd(), GWL_STYLE) & ES_MULTILINE) != 0;
  if (now == multiLine) return;
  const base::TextValue text = readText();
  createEdit(multiLine ? kMultiLineEdit : kSingleLineEdit);
  writeText(text);
}

bool Win32EditBox::handleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  result = 0;
  if (message == WM_CHAR) return typed(static_cast<wchar_t>(wParam));
  if (message == WM_PASTE) {
    paste();
    return true;
  }
  return false;
}

bool Win32EditBox::typed(wchar_t unit) {
  if (IS_HIGH_SURROGATE(unit)) {
    highHalf_ = unit;  // the character is whole with the next unit
    return true;
  }
  const wchar_t high = std::exchange(highHalf_, L'\0');
  char32_t character = unit;
  if (IS_LOW_SURROGATE(unit)) {
    if (high == L'\0') return true;  // half of no character
    character = 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) + (unit - 0xDC00);
  }
  if (character == U'\r' && !multiLine()) {
    raiseEnter();
    return true;
  }
  if ((character == U'\r' || character == U'\n') && multiLine()) return !admitLineBreak(contentBytes());
  // Control characters (editing keys) always pass.
  if (character < 0x20 || character == 0x7F) return false;
  if (!admitTyped(character, contentBytes())) return true;
  if (high == L'\0') return false;
  const wchar_t pair[] = {high, unit, L'\0'};
  send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pair));
  return true;
}

void Win32EditBox::paste() {
  const std::wstring pasted = clipboardWideText(hwnd());
  if (pasted.empty()) return;
  const std::wstring kept = wideText(admitPasted(platform::win32::utf16FromWide(pasted), contentBytes()));
  if (!kept.empty()) send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(kept.c_str()));
}

ContentBytes Win32EditBox::contentBytes() const {
  if (!hasByteLimit()) return {};
  const std::wstring shown = wideWindowText(hwnd());
  DWORD start = 0;
  DWORD end = 0;
  send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const std::size_t from = std::min<std::size_t>(start, shown.size());
  const std::size_t to = std::clamp<std::size_t>(end, from, shown.size());
  return {keptText(shown, written_).size(), gbkText(shown.substr(from, to - from)).size()};
}

bool Win32EditBox::handleCommand(int code, int) {
  if (code == EN_CHANGE && !quiet() && editStays()) raiseContentChanged();
  return true;
}

bool Win32EditBox::editStays() {
  std::wstring now = wideWindowText(hwnd());
  const std::wstring_view inserted = insertedPart(kept_.text, now);
  const bool limited = hasByteLimit();
  const std::size_t bytesBefore = limited ? gbkText(kept_.text).size() : 0;
  const std::size_t bytesAfter = limited ? gbkText(now).size() : 0;
  if (admitDoneEdit(platform::win32::utf16FromWide(inserted), bytesBefore, bytesAfter)) {
    takeSnapshot(std::move(now));
    return true;
  }
  Quiet quiet(*this);
  ::SetWindowTextW(hwnd(), kept_.text.c_str());
  send(EM_SETSEL, kept_.selectionStart, static_cast<LPARAM>(kept_.selectionEnd));
  return false;
}

void Win32EditBox::takeSnapshot(std::wstring shown) {
  kept_.text = std::move(shown);
  send(EM_GETSEL, reinterpret_cast<WPARAM>(&kept_.selectionStart), reinterpret_cast<LPARAM>(&kept_.selectionEnd));
}

Win32CheckBox::Win32CheckBox(Win32Window& window, Control* parent, const LayoutEntry& entry)
    : Win32Control(window, parent, entry) {
  create(L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP);
}

bool Win32CheckBox::checked() const { return ::SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Win32CheckBox::setChecked(bool checked) {
  Quiet quiet(*this);
  send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32CheckBox::handleCommand(int code, int) {
  if (code == BN_CLICKED && !quiet()) raiseClick();
  return true;
}

Win32RadioButton::Win32RadioButton(Win32Window& window, Control* parent, const LayoutEntry& entry)
    : Win32Control(window, parent, entry) {
  create(L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP);
}

bool Win32RadioButton::checked() const { return ::SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Win32RadioButton::setChecked(bool checked) {
  Quiet quiet(*this);
  send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32RadioButton::handleCommand(int code, int) {
  if (code == BN_CLICKED && !quiet()) raiseClick();
  return true;
}

Win32ColorPicker::Win32ColorPicker(Win32Window& window, Control* parent, const LayoutEntry& entry)
    : Win32Control(window, parent, entry), brush_(::CreateSolidBrush(kWhite)) {
  create(L"STATIC", SS_NOTIFY, WS_EX_CLIENTEDGE);
}

void Win32ColorPicker::setColor(Color color) {
  color_ = color;
  brush_.reset(::CreateSolidBrush(color));
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

HBRUSH Win32ColorPicker::controlColor(HDC dc, UINT) {
  ::SetBkColor(dc, color_);
  return brush_.get();
}

bool Win32ColorPicker::handleCommand(int code, int) {
  if (code != STN_CLICKED) return true;
  std::array<COLORREF, 16> custom{};
  custom.fill(kWhite);
  CHOOSECOLORW choice{};
  choice.lStructSize = sizeof(choice);
  choice.hwndOwner = ::GetAncestor(hwnd(), GA_ROOT);
  choice.rgbResult = color_;
  choice.lpCustColors = custom.data();
  choice.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (::ChooseColorW(&choice)) setColor(choice.rgbResult);
  raiseClick();
  return true;
}

}  // namespace ui::win32
