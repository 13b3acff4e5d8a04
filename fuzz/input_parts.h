#pragma once
// Splitting a fuzz input at a marker.

#include <cstring>
#include <string_view>

namespace fuzzing {

// Where `marker` first stands in `input`, or npos. One memmem call: a search that compares at
// every candidate byte (every NUL of a database file) costs more under the fuzzer's comparison
// tracing than the code under test.
inline std::size_t findMarker(std::string_view input, std::string_view marker) {
  const void* found = ::memmem(input.data(), input.size(), marker.data(), marker.size());
  return found ? static_cast<std::size_t>(static_cast<const char*>(found) - input.data()) : std::string_view::npos;
}

}  // namespace fuzzing
