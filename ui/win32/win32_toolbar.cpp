#include "ui/win32/win32_toolbar.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/win32/win32_picture.h"

namespace ui::win32 {

Win32Toolbar::Win32Toolbar(Win32Window& window, Control* parent, const LayoutEntry& entry)
    : Win32Control(window, parent, entry) {
  create(TOOLBARCLASSNAMEW, TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER);
  send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  // Tooltip notifications come from the toolbar's tooltip window.
  adopt(reinterpret_cast<HWND>(send(TB_GETTOOLTIPS)));
}

void Win32Toolbar::setButtons(const std::vector<ToolbarButton>& buttons, const std::vector<const Picture*>& images) {
  Quiet quiet(*this);
  while (send(TB_BUTTONCOUNT) > 0) send(TB_DELETEBUTTON, 0);

  pictures_ = images;
  setImageList();

  buttons_ = buttons;
  captions_.clear();
  tooltips_.clear();
  for (const ToolbarButton& button : buttons) {
    captions_.push_back(wideText(button.caption));
    tooltips_.push_back(wideText(button.tooltip));
  }
  std::vector<TBBUTTON> native(buttons.size());
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    TBBUTTON& made = native[i];
    made.idCommand = kFirstCommand + static_cast<int>(i);
    if (buttons[i].separator()) {
      made.iBitmap = 0;
      made.fsStyle = BTNS_SEP;
    } else {
      made.iBitmap = buttons[i].image;
      made.fsStyle = BTNS_BUTTON;
      made.fsState = TBSTATE_ENABLED;
      made.iString = reinterpret_cast<INT_PTR>(captions_[i].c_str());
    }
  }
  send(TB_ADDBUTTONSW, native.size(), reinterpret_cast<LPARAM>(native.data()));
  fitButtonsToHeight();
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void Win32Toolbar::fitButtonsToHeight() {
  // Buttons taller than the toolbar (a large font) give up padding above and below their image
  // and caption, so that the caption stays inside the designed height.
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  const int overflow = HIWORD(send(TB_GETBUTTONSIZE)) - (client.bottom - client.top);
  if (overflow <= 0) return;
  const auto padding = static_cast<DWORD>(send(TB_GETPADDING));
  const int vertical = std::max(0, static_cast<int>(HIWORD(padding)) - overflow);
  send(TB_SETPADDING, 0, MAKELPARAM(LOWORD(padding), vertical));
  send(TB_AUTOSIZE);
}

void Win32Toolbar::setImageList() {
  Size imageSize{16, 16};
  if (!pictures_.empty() && pictures_.front() != nullptr) imageSize = pictures_.front()->size();
  const Size device = scale().toDevice(imageSize);
  OwnedImageList list = makeImageList(pictures_, device);
  send(TB_SETBITMAPSIZE, 0, MAKELPARAM(device.width, device.height));
  send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list.get()));
  images_ = std::move(list);
}

void Win32Toolbar::applyScale() {
  Win32Control::applyScale();
  setImageList();
  send(TB_AUTOSIZE);
  fitButtonsToHeight();
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

int Win32Toolbar::state(int index) const {
  const LRESULT state = ::SendMessageW(hwnd(), TB_GETSTATE, static_cast<WPARAM>(kFirstCommand + index), 0);
  return state < 0 ? 0 : static_cast<int>(state);
}

void Win32Toolbar::setState(int index, int state) {
  send(TB_SETSTATE, static_cast<WPARAM>(kFirstCommand + index), MAKELPARAM(state, 0));
}

bool Win32Toolbar::isChecked(int index) const { return valid(index) && (state(index) & TBSTATE_CHECKED) != 0; }

void Win32Toolbar::setChecked(int index, bool checked) {
  if (!valid(index) || buttons_[static_cast<std::size_t>(index)].separator()) return;
  const int now = state(index);
  setState(index, checked ? now | TBSTATE_CHECKED : now & ~TBSTATE_CHECKED);
}

base::TextValue Win32Toolbar::buttonCaption(int index) const {
  return valid(index) ? buttons_[static_cast<std::size_t>(index)].caption : base::TextValue();
}

void Win32Toolbar::setButtonCaption(int index, const base::TextValue& caption) {
  if (!valid(index) || buttons_[static_cast<std::size_t>(index)].separator()) return;
  const auto at = static_cast<std::size_t>(index);
  buttons_[at].caption = caption;
  captions_[at] = wideText(caption);
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_TEXT;
  info.pszText = captions_[at].data();
  send(TB_SETBUTTONINFOW, static_cast<WPARAM>(kFirstCommand + index), reinterpret_cast<LPARAM>(&info));
}

bool Win32Toolbar::isButtonEnabled(int index) const { return valid(index) && (state(index) & TBSTATE_ENABLED) != 0; }

void Win32Toolbar::setButtonEnabled(int index, bool enabled) {
  if (!valid(index) || buttons_[static_cast<std::size_t>(index)].separator()) return;
  send(TB_ENABLEBUTTON, static_cast<WPARAM>(kFirstCommand + index), MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

Rect Win32Toolbar::buttonBounds(int index) const {
  RECT area{};
  if (!valid(index) || !::SendMessageW(hwnd(), TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&area))) {
    return {};
  }
  return scale().toLayout(Rect{area.left, area.top, area.right - area.left, area.bottom - area.top});
}

bool Win32Toolbar::handleCommand(int, int id) {
  const int index = id - kFirstCommand;
  if (!quiet() && valid(index) && !buttons_[static_cast<std::size_t>(index)].separator() && isButtonEnabled(index)) {
    raiseButtonClick(index);
  }
  return true;
}

bool Win32Toolbar::handleNotify(NMHDR& header, LRESULT& result) {
  if (header.code != TTN_GETDISPINFOW) return false;
  auto& tip = reinterpret_cast<NMTTDISPINFOW&>(header);
  const int index = static_cast<int>(header.idFrom) - kFirstCommand;
  if (valid(index)) {
    tip.lpszText = tooltips_[static_cast<std::size_t>(index)].data();
    tip.hinst = nullptr;
  }
  result = 0;
  return true;
}

}  // namespace ui::win32
