#pragma once
// DateTimeValue: days since 1899-12-30 as a double, the fraction being the time of day. Before that
// day the whole part counts back and the fraction still adds time forwards: -1.25 is 1899-12-29 06:00.

#include <optional>
#include <string_view>

#include "base/text_value.h"

namespace base {

using DateTimeValue = double;

// The range the system keeps: 0100-01-01 00:00:00 .. 9999-12-31 00:00:00.
inline constexpr DateTimeValue kMinDateTime = -657434.0;
inline constexpr DateTimeValue kMaxDateTime = 2958465.0;

// What an unreadable date text converts to: 0100-01-01 00:00:00.
inline constexpr DateTimeValue kEmptyDateTime = kMinDateTime;

struct CalendarParts {
  int year = 100;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const CalendarParts&) const = default;
};

// A real date of years 100..9999 and a time of day 00:00:00..23:59:59, as written (no normalising).
bool isValidCalendar(const CalendarParts& parts);

// The value of valid parts; parts that are not valid give kEmptyDateTime.
DateTimeValue dateTimeFromParts(const CalendarParts& parts);

// The parts of a value, first clamped to the kept range; the time is rounded to whole seconds.
CalendarParts partsFromDateTime(DateTimeValue value);

// Values above the range read as kMaxDateTime, below it (and NaN) as kMinDateTime.
DateTimeValue clampDateTime(DateTimeValue value);

// Reads a date text such as "2017-12-10 10:05", "2017年12月10日10时5分", "20171210" or full-width
// digits; nothing when the text is not a valid date and time.
std::optional<DateTimeValue> readDateTime(std::string_view text);

// Reads a date text such as "2017-12-10 10:05", "2017年12月10日10时5分", "20171210" or full-width
// digits. Anything that is not a valid date and time gives kEmptyDateTime.
DateTimeValue textToDateTime(std::string_view text);

// "2017年12月10日" followed by "10时5分3秒", "10时5分", "10时" or nothing, by the smallest non-zero
// part of the time of day.
TextValue dateTimeText(DateTimeValue value);

}  // namespace base
