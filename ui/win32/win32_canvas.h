#pragma once
// The drawing panels' canvas: GDI drawing into a memory device context holding a bitmap the size
// of the panel. The panel shows the bitmap when it repaints. The program draws in designed pixels;
// the canvas scales every coordinate, pen and font to the device pixels of the panel's DPI.

#include <windows.h>

#include <string>

#include "ui/canvas.h"
#include "ui/dpi_scale.h"
#include "ui/win32/win32_handles.h"

namespace ui::win32 {

class GdiCanvas : public Canvas {
 public:
  GdiCanvas();
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  // A new size, in designed pixels and in the device pixels the panel covers: what was drawn stays
  // where it was, new area is cleared to the background.
  void resize(Size size, Size device);
  // The scale to draw at and the face of the user-interface font (fonts of the empty name); the
  // font is made again at the new scale.
  void setScale(const DpiScale& scale, const std::wstring& uiFace);
  HDC dc() const { return dc_.get(); }
  // The colour of the buffer's pixel under a designed-pixel position (what the panel shows there).
  Color pixel(Point at) const;

  Size size() const override { return size_; }
  void setBackground(Color color) override { background_ = color; }
  void setPen(Color color, int width = 1) override;
  void setBrush(Color color) override;
  void setNoBrush() override;
  void setFont(const Font& font) override;
  void setTextColor(Color color) override;
  void clear(const Rect& area) override;
  void line(Point from, Point to) override;
  void rectangle(const Rect& area) override;
  void fill(const Rect& area) override;
  void roundRectangle(const Rect& area, int cornerWidth, int cornerHeight) override;
  void picture(const Picture& picture, const Rect& area) override;
  void text(Point at, const base::TextValue& text) override;
  Size measureText(const base::TextValue& text) override;

 private:
  OwnedDc dc_;
  OwnedBitmap bitmap_;
  OwnedPen pen_;
  OwnedBrush brush_;
  OwnedFont font_;
  HGDIOBJ originalBitmap_ = nullptr;
  HGDIOBJ originalPen_ = nullptr;
  HGDIOBJ originalBrush_ = nullptr;
  HGDIOBJ originalFont_ = nullptr;
  RECT deviceBox(const Rect& area) const;

  Size size_;        // in designed pixels
  Size deviceSize_;  // of the bitmap
  DpiScale scale_;
  std::wstring uiFace_;
  Font currentFont_;
  Color background_ = kWhite;
};

}  // namespace ui::win32
