#include "checks/duration_text.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "base/number_text.h"

namespace checks {
namespace {

struct DurationUnit {
  double toNextUnit;  // how many of this unit make one of the next; 0 for the last unit
  const char* suffix;
};

constexpr std::array<DurationUnit, 7> kUnits{{
    {1000, " 毫秒"},
    {60, " 秒"},
    {60, " 分"},
    {24, " 时"},
    {30, " 天"},
    {12, " 月"},
    {0, " 年"},
}};

// A unit threshold is met from a hair below it on, so that 999.99999995 ms already counts as a second.
bool isBelow(double value, double threshold) { return value - threshold < -1e-7; }

// 10 to the power `exponent` (0 or more), exact up to 10^22, infinite beyond the double range.
double powerOfTen(std::int64_t exponent) {
  double scale = 1.0;
  for (std::int64_t i = 0; i < exponent && std::isfinite(scale); ++i) scale *= 10.0;
  return scale;
}

base::TextValue numberWithUnit(double value, const char* suffix) {
  return base::formatDouble(roundTo(value, 2)) + suffix;
}

}  // namespace

double roundTo(double value, std::int32_t decimals) {
  if (value == 0.0) return 0.0;
  if (!std::isfinite(value)) return value;
  const std::int64_t places = decimals;
  const double scale = powerOfTen(std::llabs(places));
  const double magnitude = std::fabs(value);
  double scaled;
  if (places >= 0) {
    scaled = magnitude * scale;
    if (!std::isfinite(scaled)) return value;  // finer than any digit the value holds
  } else {
    if (!std::isfinite(scale)) return 0.0;  // a unit beyond every finite value
    scaled = magnitude / scale;
  }
  double whole = 0.0;
  const double fraction = std::modf(scaled + 1e-12, &whole);
  if (fraction >= 0.5) whole += 1.0;
  if (whole == 0.0) return 0.0;  // never a negative zero
  const double rounded = places >= 0 ? whole / scale : whole * scale;
  return std::copysign(rounded, value);
}

base::TextValue durationText(std::int64_t milliseconds) {
  double value = static_cast<double>(milliseconds);
  for (std::size_t i = 0; i + 1 < kUnits.size(); ++i) {
    if (isBelow(value, kUnits[i].toNextUnit)) return numberWithUnit(value, kUnits[i].suffix);
    value /= kUnits[i].toNextUnit;
  }
  return numberWithUnit(value, kUnits.back().suffix);
}

}  // namespace checks
