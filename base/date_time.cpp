#include "base/date_time.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "base/number_text.h"

namespace base {
namespace {

constexpr int kSecondsPerDay = 86400;

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 in the proleptic Gregorian calendar (H. Hinnant's algorithm).
std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day) {
  year -= month <= 2;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const auto yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

void civilFromDays(std::int64_t days, int& year, int& month, int& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  year = static_cast<int>(static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2));
}

const std::int64_t kEpochDays = daysFromCivil(1899, 12, 30);

}  // namespace

bool isValidCalendar(const CalendarParts& p) {
  if (p.year < 100 || p.year > 9999 || p.month < 1 || p.month > 12) return false;
  if (p.day < 1 || p.day > daysInMonth(p.year, p.month)) return false;
  return p.hour >= 0 && p.hour <= 23 && p.minute >= 0 && p.minute <= 59 && p.second >= 0 &&
         p.second <= 59;
}

DateTimeValue dateTimeFromParts(const CalendarParts& p) {
  if (!isValidCalendar(p)) return kEmptyDateTime;
  const auto dayNumber = static_cast<double>(daysFromCivil(p.year, p.month, p.day) - kEpochDays);
  const double time = (p.hour * 3600 + p.minute * 60 + p.second) / static_cast<double>(kSecondsPerDay);
  return dayNumber >= 0 ? dayNumber + time : dayNumber - time;
}

DateTimeValue clampDateTime(DateTimeValue value) {
  if (std::isnan(value) || value < kMinDateTime) return kMinDateTime;
  if (value > kMaxDateTime) return kMaxDateTime;
  return value;
}

CalendarParts partsFromDateTime(DateTimeValue value) {
  value = clampDateTime(value);
  const double whole = std::trunc(value);
  auto dayNumber = static_cast<std::int64_t>(whole);
  auto seconds = static_cast<std::int64_t>(std::llround(std::fabs(value - whole) * kSecondsPerDay));
  if (seconds >= kSecondsPerDay) {
    seconds -= kSecondsPerDay;
    ++dayNumber;
  }
  CalendarParts parts;
  civilFromDays(dayNumber + kEpochDays, parts.year, parts.month, parts.day);
  parts.hour = static_cast<int>(seconds / 3600);
  parts.minute = static_cast<int>(seconds / 60 % 60);
  parts.second = static_cast<int>(seconds % 60);
  return parts;
}

namespace {

// Reads the parts of a folded date text; see textToDateTime.
class DateTextReader {
 public:
  explicit DateTextReader(std::string_view text) : text_(text) {}

  bool read(CalendarParts& parts) {
    parts.year = number(4);
    separator("年");
    parts.month = number(2);
    separator("月");
    parts.day = number(2);
    if (!separator("日")) accept(" ");
    parts.hour = number(2);
    separator("时");
    parts.minute = number(2);
    separator("分");
    parts.second = number(2);
    accept("秒");
    return position_ == text_.size();
  }

 private:
  // Up to `maxDigits` digits; none reads as 0.
  int number(int maxDigits) {
    int value = 0;
    for (int n = 0; n < maxDigits && position_ < text_.size(); ++n) {
      char c = text_[position_];
      if (c < '0' || c > '9') break;
      value = value * 10 + (c - '0');
      ++position_;
    }
    return value;
  }

  bool accept(std::string_view token) {
    if (text_.substr(position_, token.size()) != token) return false;
    position_ += token.size();
    return true;
  }

  bool separator(std::string_view word) {
    return accept("-") || accept(".") || accept("/") || accept(":") || accept(word);
  }

  std::string_view text_;
  std::size_t position_ = 0;
};

}  // namespace

std::optional<DateTimeValue> readDateTime(std::string_view text) {
  TextValue folded;
  CalendarParts parts;
  if (!DateTextReader(isAscii(text) ? text : std::string_view(folded = foldFullWidth(text))).read(parts) ||
      !isValidCalendar(parts)) {
    return std::nullopt;
  }
  return dateTimeFromParts(parts);
}

DateTimeValue textToDateTime(std::string_view text) { return readDateTime(text).value_or(kEmptyDateTime); }

TextValue dateTimeText(DateTimeValue value) {
  const CalendarParts p = partsFromDateTime(value);
  TextValue text = formatInteger(p.year) + "年" + formatInteger(p.month) + "月" +
                   formatInteger(p.day) + "日";
  if (p.second != 0) {
    text += formatInteger(p.hour) + "时" + formatInteger(p.minute) + "分" + formatInteger(p.second) + "秒";
  } else if (p.minute != 0) {
    text += formatInteger(p.hour) + "时" + formatInteger(p.minute) + "分";
  } else if (p.hour != 0) {
    text += formatInteger(p.hour) + "时";
  }
  return text;
}

}  // namespace base
