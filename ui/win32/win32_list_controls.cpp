#include "ui/win32/win32_list_controls.h"

#include <windowsx.h>

#include <algorithm>

namespace ui::win32 {

namespace {

// The list's messages: a combo box's CB_* or a list box's LB_*.
struct ListMessages {
  UINT count, textLength, text, insert, remove, reset;
};
constexpr ListMessages kComboMessages{CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT};
constexpr ListMessages kListMessages{LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT};

int countOf(HWND list, const ListMessages& messages) {
  const LRESULT count = ::SendMessageW(list, messages.count, 0, 0);
  return count < 0 ? 0 : static_cast<int>(count);
}

base::TextValue textOf(HWND list, const ListMessages& messages, int index) {
  const LRESULT length = ::SendMessageW(list, messages.textLength, static_cast<WPARAM>(index), 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = ::SendMessageW(list, messages.text, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return gbkText(text);
}

std::vector<base::TextValue> itemsOf(HWND list, const ListMessages& messages) {
  std::vector<base::TextValue> items;
  const int count = countOf(list, messages);
  items.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) items.push_back(textOf(list, messages, i));
  return items;
}

// Inserts before `index`, clamped to the items; the index it went to.
int insertInto(HWND list, const ListMessages& messages, int index, const base::TextValue& text) {
  index = std::clamp(index, 0, countOf(list, messages));
  const std::wstring wide = wideText(text);
  return static_cast<int>(::SendMessageW(list, messages.insert, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.c_str())));
}

bool validIndex(HWND list, const ListMessages& messages, int index) { return index >= 0 && index < countOf(list, messages); }

}  // namespace

// ---- drop-down list

Win32ComboBox::Win32ComboBox(Win32Window& window, Control* parent, const LayoutEntry& entry)
    : Win32Control(window, parent, entry) {
  create(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
}

void Win32ComboBox::applyBounds(const Rect& bounds) {
  constexpr int kListHeight = 240;
  nativeBounds({bounds.left, bounds.top, bounds.width, bounds.height + kListHeight});
}

std::vector<base::TextValue> Win32ComboBox::items() const { return itemsOf(hwnd(), kComboMessages); }

void Win32ComboBox::insertItem(int index, const base::TextValue& text) { insertInto(hwnd(), kComboMessages, index, text); }

void Win32ComboBox::removeItem(int index) {
  if (!validIndex(hwnd(), kComboMessages, index)) return;
  Quiet quiet(*this);
  const bool wasCurrent = currentIndex() == index;
  send(CB_DELETESTRING, static_cast<WPARAM>(index));
  if (wasCurrent) send(CB_SETCURSEL, static_cast<WPARAM>(-1));
}

void Win32ComboBox::setItemText(int index, const base::TextValue& text) {
  if (!validIndex(hwnd(), kComboMessages, index)) return;
  Quiet quiet(*this);
  const int current = currentIndex();
  send(CB_DELETESTRING, static_cast<WPARAM>(index));
  insertInto(hwnd(), kComboMessages, index, text);
  send(CB_SETCURSEL, static_cast<WPARAM>(current));
}

void Win32ComboBox::clearItems() {
  Quiet quiet(*this);
  send(CB_RESETCONTENT);
}

int Win32ComboBox::currentIndex() const {
  const LRESULT index = ::SendMessageW(hwnd(), CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

void Win32ComboBox::applyCurrentIndex(int index) {
  Quiet quiet(*this);
  send(CB_SETCURSEL, static_cast<WPARAM>(index));
}

base::TextValue Win32ComboBox::editText() const { return windowText(hwnd()); }

void Win32ComboBox::setEditText(const base::TextValue& text) {
  const std::wstring wide = wideText(text);
  const LRESULT found = send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()));
  if (found != CB_ERR) applyCurrentIndex(static_cast<int>(found));
}

bool Win32ComboBox::handleCommand(int code, int) {
  if (quiet()) return true;
  if (code == CBN_SELCHANGE) raiseSelectionChanged();
  if (code == CBN_DBLCLK) raiseDoubleClick();
  return true;
}

// ---- list box

Win32ListBox::Win32ListBox(Win32Window& window, Control* parent, const LayoutEntry& entry)
    : Win32Control(window, parent, entry) {
  create(L"LISTBOX", LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
}

std::vector<base::TextValue> Win32ListBox::items() const { return itemsOf(hwnd(), kListMessages); }

void Win32ListBox::insertItem(int index, const base::TextValue& text) {
  const int caret = currentIndex();
  const int at = insertInto(hwnd(), kListMessages, index, text);
  // The current item moves along with the items before it (set, whatever the list did itself).
  if (caret >= 0) send(LB_SETCARETINDEX, static_cast<WPARAM>(at >= 0 && at <= caret ? caret + 1 : caret), FALSE);
}

void Win32ListBox::removeItem(int index) {
  if (!validIndex(hwnd(), kListMessages, index)) return;
  const int caret = currentIndex();
  send(LB_DELETESTRING, static_cast<WPARAM>(index));
  if (caret == index) {
    hasCurrent_ = false;
  } else if (caret > index) {
    send(LB_SETCARETINDEX, static_cast<WPARAM>(caret - 1), FALSE);
  }
}

void Win32ListBox::setItemText(int index, const base::TextValue& text) {
  if (!validIndex(hwnd(), kListMessages, index)) return;
  const bool selected = isSelected(index);
  const int caret = currentIndex();
  send(LB_DELETESTRING, static_cast<WPARAM>(index));
  insertInto(hwnd(), kListMessages, index, text);
  setSelected(index, selected);
  if (caret >= 0) send(LB_SETCARETINDEX, static_cast<WPARAM>(caret), FALSE);
}

void Win32ListBox::clearItems() {
  send(LB_RESETCONTENT);
  hasCurrent_ = false;
}

int Win32ListBox::currentIndex() const {
  if (!hasCurrent_ || countOf(hwnd(), kListMessages) == 0) return -1;
  const LRESULT caret = ::SendMessageW(hwnd(), LB_GETCARETINDEX, 0, 0);
  return caret == LB_ERR ? -1 : static_cast<int>(caret);
}

bool Win32ListBox::isSelected(int index) const { return ::SendMessageW(hwnd(), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0; }

void Win32ListBox::setSelected(int index, bool selected) {
  if (!validIndex(hwnd(), kListMessages, index)) return;
  send(LB_SETSEL, selected ? TRUE : FALSE, index);
}

void Win32ListBox::applyCurrentIndex(int index) {
  send(LB_SETSEL, FALSE, -1);
  hasCurrent_ = index >= 0;
  if (index < 0) return;
  send(LB_SETSEL, TRUE, index);
  send(LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
}

bool Win32ListBox::handleCommand(int code, int) {
  if (code == LBN_SELCHANGE) {
    hasCurrent_ = true;
    raiseSelectionChanged();
  } else if (code == LBN_DBLCLK) {
    raiseDoubleClick();
  }
  return true;
}

// ---- checked list box

Win32CheckedListBox::Win32CheckedListBox(Win32Window& window, Control* parent, const LayoutEntry& entry)
    : Win32Control(window, parent, entry) {
  create(L"LISTBOX", LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
         WS_EX_CLIENTEDGE);
  send(LB_SETITEMHEIGHT, 0, itemHeight());
}

int Win32CheckedListBox::itemHeight() const {
  WindowDc dc(hwnd());
  Selection selected(dc.get(), fontHandle());
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc.get(), &metrics);
  return std::max<int>(scale().toDevice(16), metrics.tmHeight + scale().toDevice(2));
}

void Win32CheckedListBox::applyFont(const Font& font) {
  nativeFont(font);
  send(LB_SETITEMHEIGHT, 0, itemHeight());
}

std::vector<base::TextValue> Win32CheckedListBox::items() const { return itemsOf(hwnd(), kListMessages); }

void Win32CheckedListBox::insertItem(int index, const base::TextValue& text) {
  const int at = insertInto(hwnd(), kListMessages, index, text);
  if (at >= 0) send(LB_SETITEMDATA, static_cast<WPARAM>(at), 0);
}

void Win32CheckedListBox::removeItem(int index) {
  if (validIndex(hwnd(), kListMessages, index)) send(LB_DELETESTRING, static_cast<WPARAM>(index));
}

void Win32CheckedListBox::setItemText(int index, const base::TextValue& text) {
  if (!validIndex(hwnd(), kListMessages, index)) return;
  const bool wasChecked = isChecked(index);
  const int current = currentIndex();
  send(LB_DELETESTRING, static_cast<WPARAM>(index));
  insertInto(hwnd(), kListMessages, index, text);
  setChecked(index, wasChecked);
  send(LB_SETCURSEL, static_cast<WPARAM>(current));
}

void Win32CheckedListBox::clearItems() { send(LB_RESETCONTENT); }

int Win32CheckedListBox::currentIndex() const {
  const LRESULT index = ::SendMessageW(hwnd(), LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

bool Win32CheckedListBox::isChecked(int index) const {
  if (!validIndex(hwnd(), kListMessages, index)) return false;
  return ::SendMessageW(hwnd(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0) == 1;
}

void Win32CheckedListBox::setChecked(int index, bool checked) {
  if (!validIndex(hwnd(), kListMessages, index)) return;
  send(LB_SETITEMDATA, static_cast<WPARAM>(index), checked ? 1 : 0);
  RECT area{};
  if (send(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&area)) != LB_ERR) {
    ::InvalidateRect(hwnd(), &area, TRUE);
  }
}

void Win32CheckedListBox::applyCurrentIndex(int index) { send(LB_SETCURSEL, static_cast<WPARAM>(index)); }

void Win32CheckedListBox::toggle(int index) {
  if (validIndex(hwnd(), kListMessages, index)) setChecked(index, !isChecked(index));
}

bool Win32CheckedListBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
  if (message == WM_LBUTTONDOWN) {
    // A click on an item's check box flips it; the list then makes the item current.
    const LRESULT hit = send(LB_ITEMFROMPOINT, 0, lParam);
    if (HIWORD(hit) == 0 && GET_X_LPARAM(lParam) < itemHeight()) toggle(LOWORD(hit));
  } else if (message == WM_KEYDOWN && wParam == VK_SPACE) {
    toggle(currentIndex());
    if (currentIndex() >= 0) raiseSelectionChanged();
    return true;
  }
  return false;
}

bool Win32CheckedListBox::handleDrawItem(DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return true;
  const int index = static_cast<int>(item.itemID);
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  HDC dc = item.hDC;
  RECT area = item.rcItem;
  ::FillRect(dc, &area, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const int box = area.bottom - area.top - 2;
  RECT check{area.left + 1, area.top + 1, area.left + 1 + box, area.top + 1 + box};
  ::DrawFrameControl(dc, &check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (isChecked(index) ? DFCS_CHECKED : 0));
  Selection selectedFont(dc, fontHandle());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : textColor());
  const std::wstring text = wideText(textOf(hwnd(), kListMessages, index));
  RECT textArea{check.right + 4, area.top, area.right, area.bottom};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textArea, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &area);
  return true;
}

bool Win32CheckedListBox::handleCommand(int code, int) {
  if (code == LBN_SELCHANGE) {
    raiseSelectionChanged();
  } else if (code == LBN_DBLCLK) {
    raiseDoubleClick();
  }
  return true;
}

}  // namespace ui::win32
