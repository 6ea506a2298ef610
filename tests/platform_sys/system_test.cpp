#include "platform/sys/system.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <set>
#include <string>

#include "platform/base/platform_config.h"
#include "support/sandbox.h"

namespace {

namespace sys = vl::sys;
using vl::test::Sandbox;

TEST(ComputerName, ComesFromPlatformIniUpperCasedAndCut) {
  Sandbox box;
  struct Case {
    const char* ini;
    const char* expected;
  } cases[] = {
      {"[System]\r\nComputerName=till-07\r\n", "TILL-07"},
      {"[System]\r\nComputerName=averyveryverylongtillname\r\n", "AVERYVERYVERYLO"},
  };
  for (const auto& c : cases) {
    box.writePlatformIni(c.ini);
    EXPECT_EQ(sys::computerName(), c.expected) << c.ini;
  }
}

TEST(ComputerName, FallsBackToTheHostName) {
  Sandbox box;
  char host[HOST_NAME_MAX + 1] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  std::string expected = std::string(host).substr(0, std::string(host).find('.')).substr(0, 15);
  for (char& c : expected) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(sys::computerName(), expected);
}

TEST(DragFullWindows, IsKeptInPlatformIni) {
  Sandbox box;
  EXPECT_FALSE(sys::dragFullWindows());
  box.writePlatformIni("; test machine\r\n[System]\r\nDragFullWindows=1\r\nComputerName=TILL\r\n");
  ASSERT_TRUE(sys::dragFullWindows());
  // The program switches it off for its run and back on at the end.
  ASSERT_TRUE(sys::setDragFullWindows(false));
  EXPECT_FALSE(sys::dragFullWindows());
  EXPECT_EQ(box.readFile("platform.ini"),
            "; test machine\r\n[System]\r\nDragFullWindows=0\r\nComputerName=TILL\r\n");
  ASSERT_TRUE(sys::setDragFullWindows(true));
  vl::platform::reloadPlatformConfig();
  EXPECT_TRUE(sys::dragFullWindows());
  EXPECT_EQ(sys::computerName(), "TILL");
}

TEST(LocalClock, PlatformIniFixesTheTime) {
  Sandbox box;
  box.writePlatformIni("[Clock]\r\nNow=2023-07-18 09:05:03\r\n");
  EXPECT_EQ(sys::localNow(), (vl::fs::CalendarTime{2023, 7, 18, 2, 9, 5, 3, 0}));
}

TEST(LocalClock, MalformedFixedTimesAreIgnored) {
  Sandbox box;
  // A year too large for an int must not wrap round to some other year.
  for (const char* text : {"2023-02-30 10:00:00", "2023-07-18", "tomorrow", "2023-07-18 24:00:00",
                           "2023-07-18 10:00:00x", "4294969319-07-18 10:00:00"}) {
    box.writePlatformIni(std::string("[Clock]\r\nNow=") + text + "\r\n");
    EXPECT_GE(sys::localNow().year, 2024) << text;
  }
}

TEST(MonotonicClock, IgnoresTheFixedClockAndNeverGoesBack) {
  Sandbox box;
  box.writePlatformIni("[Clock]\r\nNow=2000-01-01 00:00:00\r\n");
  auto first = sys::monotonicMilliseconds();
  usleep(20000);
  auto second = sys::monotonicMilliseconds();
  EXPECT_GE(second - first, 15u);
  EXPECT_LT(second - first, 5000u);
}

TEST(Random, StaysInRangeAndRepeatsWithASeed) {
  std::set<int> seen;
  for (int i = 0; i < 400; ++i) {
    int v = sys::random(1, 4);
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 4);
    seen.insert(v);
  }
  EXPECT_EQ(seen.size(), 4u);
  EXPECT_EQ(sys::random(7, 7), 7);
  int swapped = sys::random(9999, 1000);
  EXPECT_GE(swapped, 1000);
  EXPECT_LE(swapped, 9999);
  sys::seedRandom(42);
  int a = sys::random(1000, 9999), b = sys::random(1000, 9999);
  sys::seedRandom(42);
  EXPECT_EQ(sys::random(1000, 9999), a);
  EXPECT_EQ(sys::random(1000, 9999), b);
}

}  // namespace
