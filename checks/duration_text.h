#pragma once
// The elapsed-time text of a PING result: a duration in the largest unit that keeps the number at
// or above 1 (milliseconds below one second), with two decimals at most, e.g. "1.23 秒".

#include <cstdint>

#include "base/text_value.h"

namespace checks {

// The duration text (GBK). Units: 毫秒, 秒, 分, 时, 天, 月 (30 days), 年 (12 months); the number is
// written as "%.13g" and followed by a space and the unit. A negative duration (a wrapped tick
// counter) stays in milliseconds.
base::TextValue durationText(std::int64_t milliseconds);

// Rounds `value` to `decimals` decimals (a negative count rounds to tens, hundreds, ...), half away
// from zero; a bias of 1e-12 carries values a hair below the half over it. A value that has no digit
// at that position (infinite, NaN, or too large to hold a fraction there) comes back unchanged.
double roundTo(double value, std::int32_t decimals);

}  // namespace checks
