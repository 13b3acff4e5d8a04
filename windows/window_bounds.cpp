#include "windows/window_bounds.h"

#include <algorithm>
#include <cstdlib>

#include "base/exact_number.h"

namespace windows {
namespace {

constexpr char kLeft[] = ".左";
constexpr char kTop[] = ".上";
constexpr char kWidth[] = ".宽";
constexpr char kHeight[] = ".高";
constexpr char kMaximized[] = ".最大化";
// Farther out than any screen: a damaged or edited value.
constexpr int kFarthest = 1000000;

long long sharedArea(const ui::Rect& a, const ui::Rect& b) {
  const long long width = std::min(a.right(), b.right()) - std::max(a.left, b.left);
  const long long height = std::min(a.bottom(), b.bottom()) - std::max(a.top, b.top);
  return width > 0 && height > 0 ? width * height : 0;
}

// The stored whole number, or nothing when it is missing or no position a screen could have.
std::optional<int> readCoordinate(settings::SettingsStore& store, const base::TextValue& key) {
  const base::WholeNumber value = base::readWholeNumber(store.readText(key, {}));
  if (value.reading != base::NumberReading::Exact || std::abs(value.value) > kFarthest) return std::nullopt;
  return value.value;
}

}  // namespace

void writeWindowBounds(settings::SettingsStore& store, const base::TextValue& window, const ui::Window& shown,
                       RememberedParts parts) {
  const ui::Rect bounds = shown.normalBounds();
  store.writeNumber(window + kLeft, bounds.left);
  store.writeNumber(window + kTop, bounds.top);
  if (parts == RememberedParts::Position) return;
  store.writeNumber(window + kWidth, bounds.width);
  store.writeNumber(window + kHeight, bounds.height);
  store.writeLogical(window + kMaximized, shown.maximized());
}

std::optional<RememberedBounds> readWindowBounds(settings::SettingsStore& store, const base::TextValue& window,
                                                 const ui::Rect& designed, RememberedParts parts) {
  const std::optional<int> left = readCoordinate(store, window + kLeft);
  const std::optional<int> top = readCoordinate(store, window + kTop);
  if (!left || !top) return std::nullopt;
  RememberedBounds remembered{{*left, *top, designed.width, designed.height}, false};
  if (parts == RememberedParts::PositionAndSize) {
    const std::optional<int> width = readCoordinate(store, window + kWidth);
    const std::optional<int> height = readCoordinate(store, window + kHeight);
    if (width && *width > 0) remembered.bounds.width = *width;
    if (height && *height > 0) remembered.bounds.height = *height;
    remembered.maximized = store.readLogical(window + kMaximized, false);
  }
  return remembered;
}

ui::Rect placeOnScreens(const ui::Rect& remembered, const std::vector<ui::Rect>& screens) {
  if (screens.empty()) return remembered;
  const auto most = std::max_element(screens.begin(), screens.end(), [&remembered](const ui::Rect& a, const ui::Rect& b) {
    return sharedArea(remembered, a) < sharedArea(remembered, b);
  });
  const ui::Rect& screen = sharedArea(remembered, *most) > 0 ? *most : screens.front();
  ui::Rect placed = remembered;
  placed.width = std::min(placed.width, screen.width);
  placed.height = std::min(placed.height, screen.height);
  placed.left = std::clamp(placed.left, screen.left, screen.right() - placed.width);
  placed.top = std::clamp(placed.top, screen.top, screen.bottom() - placed.height);
  return placed;
}

}  // namespace windows
