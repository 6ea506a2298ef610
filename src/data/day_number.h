#pragma once
// Dates and times of day as the program and the POS files keep them.
//
// Day number: days since 28 December 1800, so 1 January 1801 is day 4 (and
// day % 7 is the weekday, 0 = Sunday). Gregorian leap years throughout.
// Time of day: hundredths of a second after midnight plus one, so midnight is
// 1 and 23:59:59.99 is 8,640,000.

#include <cstdint>

namespace vl {

struct CalendarDate {
  int year = 1801;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  bool operator==(const CalendarDate&) const = default;
};

struct ClockTime {
  int hour = 0;       // 0..23
  int minute = 0;     // 0..59
  int second = 0;     // 0..59
  int hundredth = 0;  // 0..99
  bool operator==(const ClockTime&) const = default;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);

// Day number of a date; months and days outside their ranges are carried
// into the next unit (month 13 is January of the next year), as the
// runtime's date arithmetic does.
std::int32_t dayNumber(int year, int month, int day);
std::int32_t dayNumber(const CalendarDate& date);
CalendarDate calendarDate(std::int32_t dayNumber);
int weekday(std::int32_t dayNumber);  // 0 Sunday .. 6 Saturday

inline constexpr std::int32_t kTicksPerDay = 8'640'000;  // hundredths in 24 hours

std::int32_t timeOfDay(int hour, int minute, int second, int hundredth = 0);
std::int32_t timeOfDay(const ClockTime& time);
// Values outside 1..kTicksPerDay are taken modulo a day.
ClockTime clockTime(std::int32_t value);

}  // namespace vl
