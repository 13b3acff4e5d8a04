#pragma once
// Drawing on a drawing panel. What is drawn stays until drawn over: the panel keeps a back buffer
// and shows it whenever the platform asks it to repaint.

#include <memory>
#include <string>

#include "base/text_value.h"
#include "ui/geometry.h"

namespace ui {

// A picture loaded from picture bytes (a format the platform reads: BMP, ICO).
class Picture {
 public:
  virtual ~Picture() = default;
  virtual Size size() const = 0;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual Size size() const = 0;
  virtual void setBackground(Color color) = 0;
  // The pen draws lines and outlines; the brush fills (no brush: outlines only).
  virtual void setPen(Color color, int width = 1) = 0;
  virtual void setBrush(Color color) = 0;
  virtual void setNoBrush() = 0;
  virtual void setFont(const Font& font) = 0;
  virtual void setTextColor(Color color) = 0;

  // Clears the rectangle (from left/top to right/bottom, exclusive) to the background colour.
  virtual void clear(const Rect& area) = 0;
  virtual void line(Point from, Point to) = 0;
  virtual void rectangle(const Rect& area) = 0;  // pen outline, brush fill
  virtual void fill(const Rect& area) = 0;       // brush only
  virtual void roundRectangle(const Rect& area, int cornerWidth, int cornerHeight) = 0;
  virtual void picture(const Picture& picture, const Rect& area) = 0;
  // Text in the current font and text colour, its top-left corner at `at`, background untouched.
  virtual void text(Point at, const base::TextValue& text) = 0;
  virtual Size measureText(const base::TextValue& text) = 0;
};

}  // namespace ui
