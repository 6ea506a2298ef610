#include "data/day_number.h"

#include <gtest/gtest.h>

namespace vl {
namespace {

struct DayCase {
  CalendarDate date;
  std::int32_t day;
  int weekday;  // 0 Sunday
};

// Values worked out independently from the Gregorian calendar.
constexpr DayCase kDays[] = {
    {{1800, 12, 28}, 0, 0},     {{1801, 1, 1}, 4, 4},       {{1801, 3, 1}, 63, 0},
    {{1900, 2, 28}, 36221, 3},  {{1900, 3, 1}, 36222, 4},   // 1900 is not a leap year
    {{2000, 2, 29}, 72746, 2},  {{2000, 3, 1}, 72747, 3},   // 2000 is
    {{2024, 3, 15}, 81527, 5},  {{2026, 12, 11}, 82528, 5}, {{2100, 3, 1}, 109271, 1},
};

TEST(DayNumber, TableOfKnownDatesBothWays) {
  for (const auto& c : kDays) {
    SCOPED_TRACE(testing::Message() << c.date.year << '-' << c.date.month << '-' << c.date.day);
    EXPECT_EQ(dayNumber(c.date), c.day);
    EXPECT_EQ(calendarDate(c.day), c.date);
    EXPECT_EQ(weekday(c.day), c.weekday);
  }
}

TEST(DayNumber, EveryDayOfTwoCenturiesRoundTripsAndFollowsTheCalendar) {
  std::int32_t expected = dayNumber(1899, 1, 1);
  for (int year = 1899; year <= 2101; ++year)
    for (int month = 1; month <= 12; ++month)
      for (int day = 1; day <= daysInMonth(year, month); ++day) {
        ASSERT_EQ(dayNumber(year, month, day), expected) << year << '-' << month << '-' << day;
        ASSERT_EQ(calendarDate(expected), (CalendarDate{year, month, day}));
        ++expected;
      }
}

TEST(DayNumber, LeapYearsAreGregorian) {
  EXPECT_FALSE(isLeapYear(1900));
  EXPECT_TRUE(isLeapYear(2000));
  EXPECT_TRUE(isLeapYear(2024));
  EXPECT_FALSE(isLeapYear(2026));
  EXPECT_EQ(daysInMonth(1900, 2), 28);
  EXPECT_EQ(daysInMonth(2000, 2), 29);
  EXPECT_EQ(daysInMonth(2026, 13), 0);
}

TEST(DayNumber, OutOfRangeMonthsAndDaysCarryOver) {
  EXPECT_EQ(dayNumber(2025, 13, 1), dayNumber(2026, 1, 1));
  EXPECT_EQ(dayNumber(2026, 2, 29), dayNumber(2026, 3, 1));
  EXPECT_EQ(dayNumber(2026, 1, 0), dayNumber(2025, 12, 31));
  EXPECT_EQ(dayNumber(2026, 0, 1), dayNumber(2025, 12, 1));
}

TEST(TimeOfDay, HundredthsAfterMidnightPlusOne) {
  struct Case {
    ClockTime clock;
    std::int32_t value;
  };
  const Case cases[] = {
      {{0, 0, 0, 0}, 1},
      {{0, 0, 1, 0}, 101},
      {{9, 30, 15, 0}, 3'421'501},
      {{23, 59, 59, 99}, 8'640'000},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(timeOfDay(c.clock), c.value);
    EXPECT_EQ(clockTime(c.value), c.clock);
  }
  // Beyond a day (or at zero) the value wraps like a clock.
  EXPECT_EQ(clockTime(kTicksPerDay + 1), (ClockTime{0, 0, 0, 0}));
  EXPECT_EQ(clockTime(0), (ClockTime{23, 59, 59, 99}));
}

}  // namespace
}  // namespace vl
