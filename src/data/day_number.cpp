#include "data/day_number.h"

namespace vl {
namespace {

// Days from 1 March of year 0 (proleptic Gregorian) to the given date; the
// year is counted from March so that the leap day falls at its end.
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe;
}

CalendarDate civilFromDays(std::int64_t z) {
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const std::int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
  return {static_cast<int>(y), m, d};
}

const std::int64_t kEpoch = daysFromCivil(1800, 12, 28);

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

}  // namespace

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

std::int32_t dayNumber(int year, int month, int day) {
  const std::int64_t months = static_cast<std::int64_t>(year) * 12 + (month - 1);
  const std::int64_t y = floorDiv(months, 12);
  const int m = static_cast<int>(months - y * 12) + 1;
  // Day overflow is carried by adding to the first of the month.
  return static_cast<std::int32_t>(daysFromCivil(y, m, 1) + (day - 1) - kEpoch);
}

std::int32_t dayNumber(const CalendarDate& date) { return dayNumber(date.year, date.month, date.day); }

CalendarDate calendarDate(std::int32_t day) { return civilFromDays(kEpoch + day); }

int weekday(std::int32_t day) { return static_cast<int>(((day % 7) + 7) % 7); }

std::int32_t timeOfDay(int hour, int minute, int second, int hundredth) {
  return ((hour * 60 + minute) * 60 + second) * 100 + hundredth + 1;
}

std::int32_t timeOfDay(const ClockTime& time) {
  return timeOfDay(time.hour, time.minute, time.second, time.hundredth);
}

ClockTime clockTime(std::int32_t value) {
  std::int32_t t = (value - 1) % kTicksPerDay;
  if (t < 0) t += kTicksPerDay;
  ClockTime c;
  c.hundredth = t % 100;
  t /= 100;
  c.second = t % 60;
  t /= 60;
  c.minute = t % 60;
  c.hour = t / 60;
  return c;
}

}  // namespace vl
