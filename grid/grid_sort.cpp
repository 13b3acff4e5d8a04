#include "grid/grid_sort.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

#include "base/date_time.h"
#include "base/number_text.h"

namespace grid {
namespace {

// 1970-01-01 08:00:00, where the seconds of kind 6 count from.
constexpr base::DateTimeValue kSecondsOrigin = 25569.333333333333;
// A bare time of day is taken on this day.
constexpr char kBareTimeDay[] = "1991-01-21 ";

std::int64_t secondsSinceOrigin(base::DateTimeValue value) {
  // Rounded to whole milliseconds first, so that a whole second stored a hair below itself is not
  // cut to the second before; then truncated toward zero to whole seconds.
  const auto milliseconds = std::llround((value - kSecondsOrigin) * 86400000.0);
  return milliseconds / 1000;
}

// The cell with every run of non-digits removed.
base::TextValue digitsOnly(const base::TextValue& cell) {
  base::TextValue digits;
  for (char c : cell) {
    if (c >= '0' && c <= '9') digits.push_back(c);
  }
  return digits;
}

// Calls the pump between the steps of a sort once the interval has passed since the last call.
class ThrottledPump {
 public:
  ThrottledPump(const EventPump& pump, int intervalMs)
      : pump_(pump), interval_(std::chrono::milliseconds(std::max(intervalMs, 0))),
        last_(std::chrono::steady_clock::now()) {}

  void betweenSteps() {
    if (!pump_) return;
    if (std::chrono::steady_clock::now() - last_ < interval_) return;
    pump_();
    last_ = std::chrono::steady_clock::now();
  }

 private:
  const EventPump& pump_;
  std::chrono::steady_clock::duration interval_;
  std::chrono::steady_clock::time_point last_;
};

// A stable merge sort in steps: blocks sorted one by one, then merged pairwise, level by level.
template <typename Entry, typename Less>
void stableSortInSteps(std::vector<Entry>& entries, std::vector<Entry>& merged, Less less, ThrottledPump& pump,
                       std::size_t block) {
  const std::size_t n = entries.size();
  for (std::size_t lo = 0; lo < n; lo += block) {
    if (lo > 0) pump.betweenSteps();
    std::stable_sort(entries.begin() + static_cast<std::ptrdiff_t>(lo),
                     entries.begin() + static_cast<std::ptrdiff_t>(std::min(lo + block, n)), less);
  }
  if (n <= block) return;
  merged.resize(n);
  for (std::size_t width = block; width < n; width *= 2) {
    for (std::size_t lo = 0; lo < n; lo += 2 * width) {
      pump.betweenSteps();
      const auto at = [&](std::size_t i) { return entries.begin() + static_cast<std::ptrdiff_t>(std::min(i, n)); };
      // std::merge takes from the first range on ties, which keeps the sort stable.
      std::merge(std::make_move_iterator(at(lo)), std::make_move_iterator(at(lo + width)),
                 std::make_move_iterator(at(lo + width)), std::make_move_iterator(at(lo + 2 * width)),
                 merged.begin() + static_cast<std::ptrdiff_t>(lo), less);
    }
    entries.swap(merged);
  }
}

// Stable sort of (key, index) pairs in `keyed` (its content is replaced; `merged` is working
// memory); `reverseTies` first reverses the rows, so that rows with equal keys come out in reverse
// of their previous order.
template <typename Key, typename MakeKey>
std::vector<std::size_t> orderByKeys(const std::vector<const base::TextValue*>& cells, bool ascending,
                                     bool reverseTies, MakeKey makeKey, ThrottledPump& pump, std::size_t block,
                                     std::vector<std::pair<Key, std::size_t>>& keyed,
                                     std::vector<std::pair<Key, std::size_t>>& merged) {
  using Entry = std::pair<Key, std::size_t>;
  keyed.clear();
  keyed.reserve(cells.size());
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const std::size_t index = reverseTies ? cells.size() - 1 - i : i;
    keyed.emplace_back(makeKey(*cells[index]), index);
  }
  if (ascending) {
    stableSortInSteps(keyed, merged, [](const Entry& a, const Entry& b) { return a.first < b.first; }, pump, block);
  } else {
    stableSortInSteps(keyed, merged, [](const Entry& a, const Entry& b) { return b.first < a.first; }, pump, block);
  }
  std::vector<std::size_t> order;
  order.reserve(keyed.size());
  for (const auto& entry : keyed) order.push_back(entry.second);
  return order;
}

// orderByKeys with working memory of its own.
template <typename Key, typename MakeKey>
std::vector<std::size_t> orderByKeys(const std::vector<const base::TextValue*>& cells, bool ascending,
                                     bool reverseTies, MakeKey makeKey, ThrottledPump& pump, std::size_t block) {
  std::vector<std::pair<Key, std::size_t>> keyed;
  std::vector<std::pair<Key, std::size_t>> merged;
  return orderByKeys<Key>(cells, ascending, reverseTies, makeKey, pump, block, keyed, merged);
}

}  // namespace

bool isNumberSortKind(int sortKind) {
  return sortKind == 0 || sortKind == 1 || sortKind == 4 || sortKind == 5 || sortKind == 6;
}

std::int64_t secondsSortKey(const base::TextValue& cell) {
  base::DateTimeValue value = base::textToDateTime(cell);
  if (value == base::kEmptyDateTime) value = base::textToDateTime(kBareTimeDay + cell);
  return secondsSinceOrigin(value);
}

std::int64_t numberSortKey(const base::TextValue& cell, int sortKind) {
  switch (static_cast<SortKindCode>(sortKind)) {
    case SortKindCode::ByteLength: return static_cast<std::int64_t>(cell.size());
    case SortKindCode::CharacterLength: return static_cast<std::int64_t>(base::countCharacters(cell));
    case SortKindCode::Integer: return base::textToInteger(cell);
    case SortKindCode::Digits: return base::textToInteger(digitsOnly(cell));
    case SortKindCode::Seconds: return secondsSortKey(cell);
    default: return 0;
  }
}

std::vector<std::int32_t> letterSortKey(const base::TextValue& cell) {
  std::vector<std::int32_t> key;
  for (std::size_t i = 0; i < cell.size();) {
    const std::size_t size = base::characterSize(cell, i);
    const auto first = static_cast<unsigned char>(cell[i]);
    std::int32_t code = first;
    if (size == 2) code = first << 8 | static_cast<unsigned char>(cell[i + 1]);
    if (first >= 'A' && first <= 'Z') code = first - 'A' + 1;
    else if (first >= 'a' && first <= 'z') code = first - 'a' + 1;
    else code += 27;
    key.push_back(code);
    i += size;
  }
  return key;
}

std::vector<std::size_t> sortOrder(const std::vector<const base::TextValue*>& cells, bool ascending, int sortKind,
                                   const EventPump& pump, int pumpIntervalMs, std::size_t blockSize,
                                   SortBuffers* buffers) {
  ThrottledPump throttled(pump, pumpIntervalMs);
  const std::size_t block = std::max<std::size_t>(blockSize, 1);
  if (isNumberSortKind(sortKind)) {
    const auto key = [sortKind](const base::TextValue& c) { return numberSortKey(c, sortKind); };
    if (buffers != nullptr) {
      return orderByKeys<std::int64_t>(cells, ascending, false, key, throttled, block, buffers->keyed,
                                       buffers->merged);
    }
    return orderByKeys<std::int64_t>(cells, ascending, false, key, throttled, block);
  }
  if (sortKind == static_cast<int>(SortKindCode::Letters)) {
    return orderByKeys<std::vector<std::int32_t>>(cells, ascending, true, letterSortKey, throttled, block);
  }
  // Bytes compare unsigned: std::string compares as memcmp does.
  return orderByKeys<base::TextValue>(cells, ascending, true, [](const base::TextValue& c) { return c; },
                                      throttled, block);
}

}  // namespace grid
