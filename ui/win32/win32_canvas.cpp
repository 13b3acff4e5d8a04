#include "ui/win32/win32_canvas.h"

#include <algorithm>

#include "ui/win32/win32_control.h"
#include "ui/win32/win32_fonts.h"
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
  font_ = createFont(currentFont_, scale_, uiFace_);
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

void GdiCanvas::resize(Size size, Size device) {
  size_ = {std::max(size.width, 0), std::max(size.height, 0)};
  device.width = std::max(device.width, 0);
  device.height = std::max(device.height, 0);
  if (device == deviceSize_) return;
  OwnedBitmap made;
  {
    WindowDc screen(nullptr);
    made.reset(::CreateCompatibleBitmap(screen.get(), std::max(device.width, 1), std::max(device.height, 1)));
  }
  OwnedDc copy(::CreateCompatibleDC(dc()));
  {
    Selection target(copy.get(), made.get());
    OwnedBrush background(::CreateSolidBrush(background_));
    RECT all{0, 0, std::max(device.width, 1), std::max(device.height, 1)};
    ::FillRect(copy.get(), &all, background.get());
    ::BitBlt(copy.get(), 0, 0, std::min(device.width, deviceSize_.width), std::min(device.height, deviceSize_.height), dc(), 0,
             0, SRCCOPY);
  }
  ::SelectObject(dc(), made.get());
  bitmap_ = std::move(made);
  deviceSize_ = device;
}

void GdiCanvas::setScale(const DpiScale& scale, const std::wstring& uiFace) {
  scale_ = scale;
  uiFace_ = uiFace;
  setFont(currentFont_);
}

RECT GdiCanvas::deviceBox(const Rect& area) const {
  const Rect device = scale_.toDevice(area);
  return {device.left, device.top, device.right(), device.bottom()};
}

Color GdiCanvas::pixel(Point at) const {
  const Point device = scale_.toDevice(at);
  return ::GetPixel(dc(), device.x, device.y);
}

void GdiCanvas::setPen(Color color, int width) {
  OwnedPen made(::CreatePen(PS_SOLID, std::max(scale_.toDevice(width), 1), color));
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
  OwnedFont made = createFont(font, scale_, uiFace_);
  ::SelectObject(dc(), made.get());
  font_ = std::move(made);
  currentFont_ = font;
}

void GdiCanvas::setTextColor(Color color) { ::SetTextColor(dc(), color); }

void GdiCanvas::clear(const Rect& area) {
  OwnedBrush background(::CreateSolidBrush(background_));
  const RECT box = deviceBox(area);
  ::FillRect(dc(), &box, background.get());
}

void GdiCanvas::line(Point from, Point to) {
  const Point start = scale_.toDevice(from);
  const Point end = scale_.toDevice(to);
  ::MoveToEx(dc(), start.x, start.y, nullptr);
  ::LineTo(dc(), end.x, end.y);
}

void GdiCanvas::rectangle(const Rect& area) {
  const RECT box = deviceBox(area);
  ::Rectangle(dc(), box.left, box.top, box.right, box.bottom);
}

void GdiCanvas::fill(const Rect& area) {
  if (!brush_) return;
  const RECT box = deviceBox(area);
  ::FillRect(dc(), &box, brush_.get());
}

void GdiCanvas::roundRectangle(const Rect& area, int cornerWidth, int cornerHeight) {
  const RECT box = deviceBox(area);
  ::RoundRect(dc(), box.left, box.top, box.right, box.bottom, scale_.toDevice(cornerWidth), scale_.toDevice(cornerHeight));
}

void GdiCanvas::picture(const Picture& picture, const Rect& area) {
  if (const auto* native = dynamic_cast<const Win32Picture*>(&picture)) native->draw(dc(), scale_.toDevice(area));
}

void GdiCanvas::text(Point at, const base::TextValue& text) {
  const std::wstring wide = wideText(text);
  const Point device = scale_.toDevice(at);
  ::TextOutW(dc(), device.x, device.y, wide.c_str(), static_cast<int>(wide.size()));
}

Size GdiCanvas::measureText(const base::TextValue& text) {
  const std::wstring wide = wideText(text);
  if (wide.empty()) {
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc(), &metrics);
    return {0, scale_.toLayout(static_cast<int>(metrics.tmHeight))};
  }
  SIZE extent{};
  ::GetTextExtentPoint32W(dc(), wide.c_str(), static_cast<int>(wide.size()), &extent);
  return scale_.toLayout(Size{extent.cx, extent.cy});
}

}  // namespace ui::win32
