#pragma once
// Positions, sizes, colours, fonts and key states of the toolkit.

#include <cstdint>

#include "base/text_value.h"

namespace ui {

class Control;

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const Rect&) const = default;
};

// A colour value as the system writes it: red in the low byte, then green, then blue (255 is red,
// 8421504 is grey). rgb(0x46, 0x82, 0xB4) is #4682B4.
using Color = std::uint32_t;
constexpr Color rgb(int red, int green, int blue) {
  return static_cast<Color>(red & 0xFF) | static_cast<Color>(green & 0xFF) << 8 | static_cast<Color>(blue & 0xFF) << 16;
}
inline constexpr Color kBlack = 0;
inline constexpr Color kWhite = rgb(255, 255, 255);

// A font of the toolkit. The empty name is the user-interface font that the toolkit chose once for
// every control (the system's message font, or a face with Chinese characters where that has none).
struct Font {
  base::TextValue name;
  int size = 9;  // points
  bool bold = false;
  bool underline = false;
  bool operator==(const Font&) const = default;
};

// Keys held during a mouse event or asked for: added together.
enum KeyState : int { kNoKeys = 0, kCtrl = 1, kShift = 2, kAlt = 4 };

enum class MouseButton { None, Left, Right };

struct MouseEvent {
  int x = 0;  // relative to the control's client area
  int y = 0;
  int keys = kNoKeys;
  MouseButton button = MouseButton::None;
  Control* sender = nullptr;  // the control the event is raised by; set when it is raised
};

}  // namespace ui
