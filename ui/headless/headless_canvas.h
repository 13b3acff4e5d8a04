#pragma once
// The recording canvas of headless drawing panels: every drawing operation is kept, in order, with
// the drawing state it was made in, so tests can assert on what was painted. A simple model of
// the pixels answers colorAt for what is filled, cleared, outlined or drawn as straight lines.
//
// Text measures as the platform's Song typeface does on screen: a font of `size` points is
// h = size * 4 / 3 pixels high (truncated; 12 for 9 points), every byte of the text is h / 2 wide,
// so a double-byte character such as "川" is twice as wide as an ASCII one. Bold and underline
// change nothing. An empty text is 0 wide and h high.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/canvas.h"

namespace ui::headless {

// A picture of the size read from its BMP or ICO header.
class HeadlessPicture : public Picture {
 public:
  explicit HeadlessPicture(Size size) : size_(size) {}
  Size size() const override { return size_; }

 private:
  Size size_;
};

// The picture's size, or nothing when the bytes are not a BMP or ICO file.
std::optional<Size> pictureSize(const std::string& bytes);

struct DrawState {
  Color background = kWhite;
  Color pen = kBlack;
  int penWidth = 1;
  std::optional<Color> brush = kWhite;  // none: outlines only
  Font font;
  Color textColor = kBlack;
  bool operator==(const DrawState&) const = default;
};

enum class DrawKind { Clear, Line, Rectangle, Fill, RoundRectangle, Picture, Text };

struct DrawOperation {
  DrawKind kind = DrawKind::Clear;
  Rect area;            // clear, rectangles, fill, picture; text: where it went and its measured size
  Point from;           // line
  Point to;             // line
  Size corner;          // round rectangle
  base::TextValue text;  // text
  Size pictureSize;     // picture
  DrawState state;
};

class HeadlessCanvas : public Canvas {
 public:
  // `size` tells the canvas the size of its panel, which it follows.
  explicit HeadlessCanvas(std::function<Size()> size) : size_(std::move(size)) {}

  Size size() const override { return size_(); }
  void setBackground(Color color) override { state_.background = color; }
  void setPen(Color color, int width = 1) override;
  void setBrush(Color color) override { state_.brush = color; }
  void setNoBrush() override { state_.brush.reset(); }
  void setFont(const Font& font) override { state_.font = font; }
  void setTextColor(Color color) override { state_.textColor = color; }

  void clear(const Rect& area) override { record(DrawKind::Clear, area); }
  void line(Point from, Point to) override;
  void rectangle(const Rect& area) override { record(DrawKind::Rectangle, area); }
  void fill(const Rect& area) override { record(DrawKind::Fill, area); }
  void roundRectangle(const Rect& area, int cornerWidth, int cornerHeight) override;
  void picture(const Picture& picture, const Rect& area) override;
  void text(Point at, const base::TextValue& text) override;
  Size measureText(const base::TextValue& text) override { return measure(state_.font, text); }

  static Size measure(const Font& font, const base::TextValue& text);

  const DrawState& state() const { return state_; }
  const std::vector<DrawOperation>& operations() const { return operations_; }
  // The texts drawn, in order.
  std::vector<base::TextValue> texts() const;
  // Forgets what was recorded (the pixels' model too); the drawing state stays.
  void forget() { operations_.clear(); }

  // The colour of the pixel as the recorded operations left it: the last clear, fill, rectangle
  // (pen on its edge, brush inside) or horizontal or vertical line covering it. Nothing when no
  // such operation covers it. Text, pictures and slanted lines are not modelled.
  std::optional<Color> colorAt(Point point) const;

 private:
  DrawOperation& record(DrawKind kind, const Rect& area);

  std::function<Size()> size_;
  DrawState state_;
  std::vector<DrawOperation> operations_;
};

}  // namespace ui::headless
