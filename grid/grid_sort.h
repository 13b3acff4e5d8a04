#pragma once
// Sorting rows by the key of one cell each. The order is the one of inserting the rows one by one,
// in their current order, into an ordered list of key groups:
// - number keys (kinds 0, 1, 4, 5, 6): rows with equal keys keep their relative order, in both
//   directions;
// - sequence keys (kinds 2, 3): each row is its own group and a row goes before every earlier row
//   with an equal key, so rows with equal texts end up in reverse of their previous order.
// It is computed as a stable sort of the precomputed keys: a radix sort for number keys, a merge
// sort for sequence keys.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "base/text_value.h"
#include "grid/radix_sort.h"
#include "support/throttled_pump.h"

namespace grid {

// 0 byte length, 1 character length, 2 bytes, 3 letter codes, 4 integer, 5 digits only,
// 6 seconds since 1970-01-01 08:00:00. Other kinds sort as 2.
enum class SortKindCode : int { ByteLength = 0, CharacterLength = 1, Bytes = 2, Letters = 3, Integer = 4,
                                Digits = 5, Seconds = 6 };

bool isNumberSortKind(int sortKind);

// The key of a number kind (0, 1, 4, 5, 6); 0 for the sequence kinds.
std::int64_t numberSortKey(std::string_view cell, int sortKind);

// The per-character numbers of kind 3: ASCII letters A..Z (either case) are 1..26, every other
// character 27 + its code (a byte, or a double-byte character's 16-bit code).
std::vector<std::int32_t> letterSortKey(std::string_view cell);

// The seconds key of kind 6: the cell as a date and time, else as a time of day on 1991-01-21,
// else the failure value's key (that of the earliest time kept, 0100-01-01 00:00:00).
std::int64_t secondsSortKey(std::string_view cell);

// Called now and then while a long sort runs (at most every `interval` milliseconds); false stops
// the sort.
using EventPump = support::EventPump;

// Long sorts go in steps of this many rows; the pump may run between steps.
inline constexpr std::size_t kSortBlock = 8192;

// Working memory of number-key sorts that a grid keeps between sorts, so that sorting again does not
// take (and fault in) fresh memory for every key.
struct SortBuffers {
  std::vector<RadixEntry> keyed;
  std::vector<RadixEntry> scratch;
};

// The new order of the cells: position i of the result holds the index of the cell that goes i-th.
// Empty when the pump stopped the sort.
std::vector<std::size_t> sortOrder(const std::vector<std::string_view>& cells, bool ascending, int sortKind,
                                   const EventPump& pump = {}, int pumpIntervalMs = 20,
                                   std::size_t blockSize = kSortBlock, SortBuffers* buffers = nullptr);

}  // namespace grid
