#include "grid/text_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace grid {
namespace {

int saturated(double value) {
  constexpr double kLimit = std::numeric_limits<int>::max();
  return static_cast<int>(std::clamp(value, -kLimit, kLimit));
}

}  // namespace

base::TextValue fitHeaderTitle(const base::TextValue& title, int width) {
  const long long room = static_cast<long long>(width) - 10;
  if (static_cast<long long>(title.size()) * 8 <= room) return title;
  base::TextValue shown = room < 0 ? base::TextValue{} : base::cutToBytes(title, static_cast<std::size_t>(room / 8));
  if (width >= 10) shown += "..";
  return shown;
}

base::TextValue fitCellText(std::string_view cell, int available, int charWidth, bool columnHasTitle) {
  const double unit = std::max(charWidth, 1);
  base::TextValue text = base::cutToCharacters(cell, kCellTextCap);
  const double room = static_cast<double>(available) - 12;
  std::size_t characters = base::countCharacters(text);
  for (;;) {
    const double estimate = static_cast<double>(text.size()) * unit * 0.5;
    if (estimate <= room || text.empty()) break;
    const double excess = std::trunc((estimate - room) / unit / 4);
    const std::size_t cut = excess >= static_cast<double>(characters) ? characters : std::max<std::size_t>(1, static_cast<std::size_t>(excess));
    if (characters < cut + 1) {
      text.clear();
      break;
    }
    characters -= cut;
    text = base::cutToCharacters(text, characters);
  }
  if (std::string_view(text) != cell && available >= 10 && columnHasTitle) text += "..";
  return text;
}

// Eight pixels per byte, so a Chinese title (two bytes a character) keeps room for its characters.
int titleWidthEstimate(const base::TextValue& title) {
  return saturated(static_cast<double>(title.size()) * 8 + 10);
}

int cellWidthEstimate(std::size_t cellBytes, int charWidth) {
  return saturated(std::trunc(static_cast<double>(cellBytes) * (charWidth * 0.5 + 1) + 10));
}

}  // namespace grid
