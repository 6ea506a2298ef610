// The daily access code: the day number of the local date, mixed 32 times
// with the mask, made positive, first six digits. The expected codes were
// worked out apart from the program from that rule and the mask 0xC3A5.
#include <gtest/gtest.h>

#include <string>

#include "support/sandbox.h"
#include "touch/keypad.h"

namespace vl::touch {
namespace {

struct DayCase {
  const char* date;  // the frozen local clock's date
  long code;
};

class DailyAccessCodeTest : public ::testing::TestWithParam<DayCase> {};

TEST_P(DailyAccessCodeTest, FollowsTheLocalDate) {
  vl::test::Sandbox sandbox;
  sandbox.writePlatformIni(std::string("[Clock]\nNow=") + GetParam().date + " 23:59:59\n");
  EXPECT_EQ(DailyAccessCode(), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DailyAccessCodeTest,
    ::testing::Values(DayCase{"1801-01-01", 109770},   // day 4
                      DayCase{"1999-12-31", 230523},   // day 72686
                      DayCase{"2000-02-29", 798856},   // day 72746, a Gregorian leap day
                      DayCase{"2023-07-18", 113863},   // day 81286
                      DayCase{"2026-12-11", 126487},   // day 82528
                      DayCase{"2026-12-12", 202595},   // day 82529: mixes to a negative value
                      DayCase{"2038-01-19", 461877},   // day 86585
                      DayCase{"2100-03-01", 967638}),  // day 109271: 2100 is no leap year
    [](const auto& info) {
      std::string name = info.param.date;
      std::erase(name, '-');
      return "Day" + name;
    });

TEST(AccessCodeTest, NeverLongerThanSixDigitsAndChangesDaily) {
  long previous = -1;
  for (std::int32_t day = 80000; day < 80400; ++day) {
    const long code = AccessCodeForDay(day);
    EXPECT_GE(code, 0) << day;
    EXPECT_LT(code, 1000000) << day;
    EXPECT_NE(code, previous) << day;
    previous = code;
  }
}

}  // namespace
}  // namespace vl::touch
