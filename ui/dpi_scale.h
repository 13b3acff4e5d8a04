#pragma once
// The scale between the designed layouts, which are in pixels of a 96-DPI screen, and the device
// pixels of a window's screen. Backends scale at their boundary: what the program sets (positions,
// sizes, fonts) goes to the device scaled up, and what the device reports (sizes, mouse positions)
// comes back scaled down, so every layout computation works in designed pixels at any DPI.
//
// A rectangle is scaled by its edges, not by its origin and size: two controls that touch in the
// layout touch on the device, and two that do not overlap in the layout do not overlap there.

#include <cstdint>

#include "ui/geometry.h"

namespace ui {

inline constexpr int kLayoutDpi = 96;
// DPIs outside this range (a platform answer of 0, a damaged setting) are taken as the nearest end.
inline constexpr int kMinimumDpi = 48;
inline constexpr int kMaximumDpi = 960;

class DpiScale {
 public:
  DpiScale() = default;
  explicit DpiScale(int dpi) : dpi_(dpi < kMinimumDpi ? kMinimumDpi : dpi > kMaximumDpi ? kMaximumDpi : dpi) {}

  int dpi() const { return dpi_; }
  bool operator==(const DpiScale&) const = default;

  // Lengths and coordinates, rounded to the nearest pixel (halves away from zero). At 96 DPI and
  // above, toLayout(toDevice(v)) == v.
  int toDevice(int layout) const { return scaled(layout, dpi_, kLayoutDpi); }
  int toLayout(int device) const { return scaled(device, kLayoutDpi, dpi_); }

  Point toDevice(Point at) const { return {toDevice(at.x), toDevice(at.y)}; }
  Point toLayout(Point at) const { return {toLayout(at.x), toLayout(at.y)}; }
  Size toDevice(Size size) const { return {toDevice(size.width), toDevice(size.height)}; }
  Size toLayout(Size size) const { return {toLayout(size.width), toLayout(size.height)}; }
  Rect toDevice(const Rect& area) const { return byEdges(area, [this](int v) { return toDevice(v); }); }
  Rect toLayout(const Rect& area) const { return byEdges(area, [this](int v) { return toLayout(v); }); }

  // The character height in device pixels of a font of `points` (a point is 1/72 inch).
  int fontPixels(int points) const { return scaled(points, dpi_, 72); }

 private:
  static int scaled(int value, int numerator, int denominator) {
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    const std::int64_t half = denominator / 2;
    const std::int64_t rounded = product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    constexpr std::int64_t kLargest = INT32_MAX;
    return static_cast<int>(rounded > kLargest ? kLargest : rounded < -kLargest ? -kLargest : rounded);
  }
  template <typename Scale>
  static Rect byEdges(const Rect& area, Scale scale) {
    const int left = scale(area.left);
    const int top = scale(area.top);
    return {left, top, scale(area.right()) - left, scale(area.bottom()) - top};
  }

  int dpi_ = kLayoutDpi;
};

}  // namespace ui
