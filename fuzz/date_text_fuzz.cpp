// Date texts: any text reads as a date-time or the empty one without a crash, and the text of a
// date-time reads back as a date-time again.

#include <cstdint>

#include "base/date_time.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const base::DateTimeValue value = base::textToDateTime(text);
  (void)base::textToDateTime(base::dateTimeText(value));
  return 0;
}
