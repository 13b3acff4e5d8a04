#include "ui/headless/headless_canvas.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace ui::headless {

namespace {

std::uint32_t littleEndian(const std::string& bytes, std::size_t at, std::size_t count) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < count; ++i) value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return value;
}

bool inside(const Rect& area, Point point) {
  return point.x >= area.left && point.x < area.right() && point.y >= area.top && point.y < area.bottom();
}

bool onEdge(const Rect& area, Point point, int width) {
  const Rect inner{area.left + width, area.top + width, area.width - 2 * width, area.height - 2 * width};
  return inside(area, point) && !inside(inner, point);
}

// Whether the point lies in one of the four corner boxes a round rectangle cuts away or curves.
bool inCorner(const DrawOperation& op, Point point) {
  const Rect& a = op.area;
  const int cw = op.corner.width / 2;
  const int ch = op.corner.height / 2;
  const bool nearX = point.x < a.left + cw || point.x >= a.right() - cw;
  const bool nearY = point.y < a.top + ch || point.y >= a.bottom() - ch;
  return nearX && nearY;
}

bool onLine(const DrawOperation& op, Point point) {
  const int half = op.state.penWidth / 2;
  if (op.from.y == op.to.y) {
    const bool across = point.y >= op.from.y - half && point.y < op.from.y - half + op.state.penWidth;
    const bool along = op.from.x <= op.to.x ? point.x >= op.from.x && point.x < op.to.x : point.x <= op.from.x && point.x > op.to.x;
    return across && along;
  }
  if (op.from.x == op.to.x) {
    const bool across = point.x >= op.from.x - half && point.x < op.from.x - half + op.state.penWidth;
    const bool along = op.from.y <= op.to.y ? point.y >= op.from.y && point.y < op.to.y : point.y <= op.from.y && point.y > op.to.y;
    return across && along;
  }
  return false;
}

}  // namespace

std::optional<Size> pictureSize(const std::string& bytes) {
  // BMP: "BM", then the info header at 14 with its width at 18 and height at 22 (negative: top-down).
  if (bytes.size() >= 26 && bytes.compare(0, 2, "BM") == 0) {
    const auto width = static_cast<std::int32_t>(littleEndian(bytes, 18, 4));
    const auto height = static_cast<std::int32_t>(littleEndian(bytes, 22, 4));
    if (width <= 0 || height == 0) return std::nullopt;
    return Size{width, std::abs(height)};
  }
  // ICO: reserved 0, type 1, at least one image; the first entry's width and height (0 means 256).
  if (bytes.size() >= 22 && littleEndian(bytes, 0, 2) == 0 && littleEndian(bytes, 2, 2) == 1 && littleEndian(bytes, 4, 2) > 0) {
    const int width = static_cast<unsigned char>(bytes[6]);
    const int height = static_cast<unsigned char>(bytes[7]);
    return Size{width == 0 ? 256 : width, height == 0 ? 256 : height};
  }
  return std::nullopt;
}

void HeadlessCanvas::setPen(Color color, int width) {
  state_.pen = color;
  state_.penWidth = std::max(1, width);
}

DrawOperation& HeadlessCanvas::record(DrawKind kind, const Rect& area) {
  DrawOperation& op = operations_.emplace_back();
  op.kind = kind;
  op.area = area;
  op.state = state_;
  return op;
}

void HeadlessCanvas::line(Point from, Point to) {
  DrawOperation& op = record(DrawKind::Line, {});
  op.from = from;
  op.to = to;
}

void HeadlessCanvas::roundRectangle(const Rect& area, int cornerWidth, int cornerHeight) {
  record(DrawKind::RoundRectangle, area).corner = {cornerWidth, cornerHeight};
}

void HeadlessCanvas::picture(const Picture& picture, const Rect& area) {
  record(DrawKind::Picture, area).pictureSize = picture.size();
}

void HeadlessCanvas::text(Point at, const base::TextValue& text) {
  const Size size = measureText(text);
  record(DrawKind::Text, {at.x, at.y, size.width, size.height}).text = text;
}

Size HeadlessCanvas::measure(const Font& font, const base::TextValue& text) {
  const int height = font.size * 4 / 3;
  return {static_cast<int>(text.size()) * (height / 2), height};
}

std::vector<base::TextValue> HeadlessCanvas::texts() const {
  std::vector<base::TextValue> drawn;
  for (const DrawOperation& op : operations_) {
    if (op.kind == DrawKind::Text) drawn.push_back(op.text);
  }
  return drawn;
}

std::optional<Color> HeadlessCanvas::colorAt(Point point) const {
  for (auto it = operations_.rbegin(); it != operations_.rend(); ++it) {
    const DrawOperation& op = *it;
    switch (op.kind) {
      case DrawKind::Clear:
        if (inside(op.area, point)) return op.state.background;
        break;
      case DrawKind::Fill:
        if (inside(op.area, point) && op.state.brush) return *op.state.brush;
        break;
      case DrawKind::RoundRectangle:
        if (inCorner(op, point)) break;
        [[fallthrough]];
      case DrawKind::Rectangle:
        if (onEdge(op.area, point, op.state.penWidth)) return op.state.pen;
        if (inside(op.area, point) && op.state.brush) return *op.state.brush;
        break;
      case DrawKind::Line:
        if (onLine(op, point)) return op.state.pen;
        break;
      case DrawKind::Picture:
      case DrawKind::Text:
        break;
    }
  }
  return std::nullopt;
}

}  // namespace ui::headless
