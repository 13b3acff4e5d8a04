#include "grid/grid_sort.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "base/date_time.h"
#include "base/number_text.h"
#include "grid/prefetch.h"
#include "support/throttled_pump.h"

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
base::TextValue digitsOnly(std::string_view cell) {
  base::TextValue digits;
  for (char c : cell) {
    if (c >= '0' && c <= '9') digits.push_back(c);
  }
  return digits;
}

using support::ThrottledPump;

// A stable merge sort in steps: blocks sorted one by one, then merged pairwise, level by level.
// False when the pump stopped it.
template <typename Entry, typename Less>
bool stableSortInSteps(std::vector<Entry>& entries, std::vector<Entry>& merged, Less less, ThrottledPump& pump,
                       std::size_t block) {
  const std::size_t n = entries.size();
  for (std::size_t lo = 0; lo < n; lo += block) {
    if (lo > 0 && !pump.betweenSteps()) return false;
    std::stable_sort(entries.begin() + static_cast<std::ptrdiff_t>(lo),
                     entries.begin() + static_cast<std::ptrdiff_t>(std::min(lo + block, n)), less);
  }
  if (n <= block) return true;
  merged.resize(n);
  for (std::size_t width = block; width < n; width *= 2) {
    for (std::size_t lo = 0; lo < n; lo += 2 * width) {
      if (!pump.betweenSteps()) return false;
      const auto at = [&](std::size_t i) { return entries.begin() + static_cast<std::ptrdiff_t>(std::min(i, n)); };
      // std::merge takes from the first range on ties, which keeps the sort stable.
      std::merge(std::make_move_iterator(at(lo)), std::make_move_iterator(at(lo + width)),
                 std::make_move_iterator(at(lo + width)), std::make_move_iterator(at(lo + 2 * width)),
                 merged.begin() + static_cast<std::ptrdiff_t>(lo), less);
    }
    entries.swap(merged);
  }
  return true;
}

// Rows scattered over the heap make reading their cells one by one wait on memory; asking for the
// texts some cells ahead hides most of that.
template <typename CellAt>
void prefetchCell(const CellAt& cellAt, std::size_t count, std::size_t i) {
  constexpr std::size_t kTextAhead = 16;
  if (i + kTextAhead < count) prefetch(cellAt(i + kTextAhead).data());
}

// Number keys: each row's key as its distance from the first key in the sort direction, then a
// stable radix sort of those distances.
std::vector<std::size_t> orderByNumberKeys(const std::vector<std::string_view>& cells, bool ascending,
                                           int sortKind, ThrottledPump& pump, std::size_t block,
                                           SortBuffers& buffers) {
  const std::size_t n = cells.size();
  std::vector<RadixEntry>& keyed = buffers.keyed;
  keyed.resize(n);
  std::int64_t lowest = INT64_MAX;
  std::int64_t highest = INT64_MIN;
  const auto cellAt = [&cells](std::size_t i) { return cells[i]; };
  for (std::size_t i = 0; i < n; ++i) {
    prefetchCell(cellAt, n, i);
    const std::int64_t key = numberSortKey(cells[i], sortKind);
    lowest = std::min(lowest, key);
    highest = std::max(highest, key);
    keyed[i] = {static_cast<std::uint64_t>(key), i};
  }
  // Differences taken in unsigned arithmetic are exact for any two 64-bit keys.
  const auto origin = static_cast<std::uint64_t>(ascending ? lowest : highest);
  for (RadixEntry& entry : keyed) entry.key = ascending ? entry.key - origin : origin - entry.key;
  const std::uint64_t widest = n == 0 ? 0 : static_cast<std::uint64_t>(highest) - static_cast<std::uint64_t>(lowest);
  if (!radixSortInSteps(keyed, buffers.scratch, widest, [&pump] { return pump.betweenSteps(); }, block)) return {};
  std::vector<std::size_t> order;
  order.reserve(n);
  for (const RadixEntry& entry : keyed) order.push_back(entry.index);
  return order;
}

// Sequence keys: a stable merge sort of (key, index) pairs over the rows taken in reverse, so that
// rows with equal keys come out in reverse of their previous order.
template <typename Key, typename MakeKey>
std::vector<std::size_t> orderBySequenceKeys(const std::vector<std::string_view>& cells, bool ascending,
                                             MakeKey makeKey, ThrottledPump& pump, std::size_t block) {
  using Entry = std::pair<Key, std::size_t>;
  const std::size_t n = cells.size();
  std::vector<Entry> keyed;
  keyed.reserve(n);
  const auto cellAt = [&cells, n](std::size_t i) { return cells[n - 1 - i]; };
  for (std::size_t i = 0; i < n; ++i) {
    prefetchCell(cellAt, n, i);
    keyed.emplace_back(makeKey(cellAt(i)), n - 1 - i);
  }
  std::vector<Entry> merged;
  const bool sorted =
      ascending
          ? stableSortInSteps(keyed, merged, [](const Entry& a, const Entry& b) { return a.first < b.first; }, pump, block)
          : stableSortInSteps(keyed, merged, [](const Entry& a, const Entry& b) { return b.first < a.first; }, pump, block);
  if (!sorted) return {};
  std::vector<std::size_t> order;
  order.reserve(n);
  for (const auto& entry : keyed) order.push_back(entry.second);
  return order;
}

}  // namespace

bool isNumberSortKind(int sortKind) {
  return sortKind == 0 || sortKind == 1 || sortKind == 4 || sortKind == 5 || sortKind == 6;
}

std::int64_t secondsSortKey(std::string_view cell) {
  // An empty cell is an empty date: below every time, not a bare time on the day above.
  if (cell.empty()) return secondsSinceOrigin(base::kEmptyDateTime);
  base::DateTimeValue value = base::textToDateTime(cell);
  if (value == base::kEmptyDateTime) value = base::textToDateTime(kBareTimeDay + base::TextValue(cell));
  return secondsSinceOrigin(value);
}

std::int64_t numberSortKey(std::string_view cell, int sortKind) {
  switch (static_cast<SortKindCode>(sortKind)) {
    case SortKindCode::ByteLength: return static_cast<std::int64_t>(cell.size());
    case SortKindCode::CharacterLength: return static_cast<std::int64_t>(base::countCharacters(cell));
    case SortKindCode::Integer: return base::textToInteger(cell);
    case SortKindCode::Digits: return base::textToInteger(digitsOnly(cell));
    case SortKindCode::Seconds: return secondsSortKey(cell);
    default: return 0;
  }
}

std::vector<std::int32_t> letterSortKey(std::string_view cell) {
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

std::vector<std::size_t> sortOrder(const std::vector<std::string_view>& cells, bool ascending, int sortKind,
                                   const EventPump& pump, int pumpIntervalMs, std::size_t blockSize,
                                   SortBuffers* buffers) {
  ThrottledPump throttled(pump, pumpIntervalMs);
  const std::size_t block = std::max<std::size_t>(blockSize, 1);
  if (isNumberSortKind(sortKind)) {
    SortBuffers ownBuffers;
    return orderByNumberKeys(cells, ascending, sortKind, throttled, block, buffers ? *buffers : ownBuffers);
  }
  if (sortKind == static_cast<int>(SortKindCode::Letters)) {
    return orderBySequenceKeys<std::vector<std::int32_t>>(cells, ascending, letterSortKey, throttled, block);
  }
  // Bytes compare unsigned: std::string_view compares as memcmp does. The keys are the cells' own
  // texts, not copies.
  return orderBySequenceKeys<std::string_view>(cells, ascending, [](std::string_view c) { return c; }, throttled,
                                               block);
}

}  // namespace grid
