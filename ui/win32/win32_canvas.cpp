#include "ui/win32/win32_canvas.h"

#include <algorithm>

#include "ui/win32/win32_control.h"
#include "ui/win32/win32_picture.h"

namespace ui::win32 {

GdiCanvas::GdiCanvas() {
  {
    WindowDc screen(nullptr);
    dc_.reset(::CreateCompatibleDC(screen.get()));
    bitmap_.reset(::CreateCompatibleBitmap(screen.get(), 1, 1));
  }
  originalBitmap_ = ::SelectObject(dc(), bitmap_.get());
  pen_.reset(::CreatePen(PS_SOLID, 1, kBlack));
  originalPen_ = ::SelectObject(dc(), pen_.get());
  brush_.reset(::CreateSolidBrush(kWhite));
  originalBrush_ = ::SelectObject(dc(), brush_.get());
  font_ = createFont(Font{});
  originalFont_ = ::SelectObject(dc(), font_.get());
  ::SetBkMode(dc(), TRANSPARENT);
  ::SetTextColor(dc(), kBlack);
}

GdiCanvas::~GdiCanvas() {
  // The owned objects leave the device context before they are freed.
  ::SelectObject(dc(), originalFont_);
  ::SelectObject(dc(), originalBrush_);
  ::SelectObject(dc(), originalPen_);
  ::SelectObject(dc(), originalBitmap_);
}

void GdiCanvas::resize(Size size) {
  size.width = std::max(size.width, 0);
  size.height = std::max(size.height, 0);
  if (size == size_) return;
  OwnedBitmap made;
  {
    WindowDc screen(nullptr);
    made.reset(::CreateCompatibleBitmap(screen.get(), std::max(size.width, 1), std::max(size.height, 1)));
  }
  OwnedDc copy(::CreateCompatibleDC(dc()));
  {
    Selection target(copy.get(), made.get());
    OwnedBrush background(::CreateSolidBrush(background_));
    RECT all{0, 0, std::max(size.width, 1), std::max(size.height, 1)};
    ::FillRect(copy.get(), &all, background.get());
    ::BitBlt(copy.get(), 0, 0, std::min(size.width, size_.width), std::min(size.height, size_.height), dc(), 0, 0, SRCCOPY);
  }
  ::SelectObject(dc(), made.get());
  bitmap_ = std::move(made);
  size_ = size;
}

Color GdiCanvas::pixel(Point at) const { return ::GetPixel(dc(), at.x, at.y); }

void GdiCanvas::setPen(Color color, int width) {
  OwnedPen made(::CreatePen(PS_SOLID, std::max(width, 1), color));
  ::SelectObject(dc(), made.get());
  pen_ = std::move(made);
}

void GdiCanvas::setBrush(Color color) {
  OwnedBrush made(::CreateSolidBrush(color));
  ::SelectObject(dc(), made.get());
  brush_ = std::move(made);
}

void GdiCanvas::setNoBrush() {
  ::SelectObject(dc(), ::GetStockObject(NULL_BRUSH));
  brush_.reset();
}

void GdiCanvas::setFont(const Font& font) {
  OwnedFont made = createFont(font);
  ::SelectObject(dc(), made.get());
  font_ = std::move(made);
}

void GdiCanvas::setTextColor(Color color) { ::SetTextColor(dc(), color); }

void GdiCanvas::clear(const Rect& area) {
  OwnedBrush background(::CreateSolidBrush(background_));
  RECT box{area.left, area.top, area.right(), area.bottom()};
  ::FillRect(dc(), &box, background.get());
}

void GdiCanvas::line(Point from, Point to) {
  ::MoveToEx(dc(), from.x, from.y, nullptr);
  ::LineTo(dc(), to.x, to.y);
}

void GdiCanvas::rectangle(const Rect& area) { ::Rectangle(dc(), area.left, area.top, area.right(), area.bottom()); }

void GdiCanvas::fill(const Rect& area) {
  if (!brush_) return;
  RECT box{area.left, area.top, area.right(), area.bottom()};
  ::FillRect(dc(), &box, brush_.get());
}

void GdiCanvas::roundRectangle(const Rect& area, int cornerWidth, int cornerHeight) {
  ::RoundRect(dc(), area.left, area.top, area.right(), area.bottom(), cornerWidth, cornerHeight);
}

void GdiCanvas::picture(const Picture& picture, const Rect& area) {
  if (const auto* native = dynamic_cast<const Win32Picture*>(&picture)) native->draw(dc(), area);
}

void GdiCanvas::text(Point at, const base::TextValue& text) {
  const std::wstring wide = wideText(text);
  ::TextOutW(dc(), at.x, at.y, wide.c_str(), static_cast<int>(wide.size()));
}

Size GdiCanvas::measureText(const base::TextValue& text) {
  const std::wstring wide = wideText(text);
  SIZE extent{};
  if (wide.empty()) {
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc(), &metrics);
    return {0, metrics.tmHeight};
  }
  ::GetTextExtentPoint32W(dc(), wide.c_str(), static_cast<int>(wide.size()), &extent);
  return {extent.cx, extent.cy};
}

}  // namespace ui::win32
