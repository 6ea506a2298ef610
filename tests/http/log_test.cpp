// Log names, update kinds and the log lines.
#include <gtest/gtest.h>

#include "http/http_remote_log.h"
#include "http_fixture.h"

namespace vl::http {
namespace {

fs::CalendarTime at(int y, int mo, int d, int h, int mi, int s) {
  fs::CalendarTime t;
  t.year = y;
  t.month = mo;
  t.day = d;
  t.hour = h;
  t.minute = mi;
  t.second = s;
  return t;
}

TEST(HttpLogLines, LogNames) {
  EXPECT_EQ(HttpLogName(12, at(2024, 3, 15, 9, 30, 15)), "012_240315093015.TXT");
  EXPECT_EQ(HttpLogName(7, at(2024, 3, 15, 9, 5, 3)), "007_240315090503.TXT");
  EXPECT_EQ(HttpLogName(1234, at(2031, 12, 1, 23, 59, 59)), "1234_311201235959.TXT");
}

TEST(HttpLogLines, UpdateKinds) {
  struct Case {
    const char* list;
    int kinds;
  };
  const Case cases[] = {
      {"", 16},
      {"MENU.ZIP|", 20},
      {"DATA.ZIX|", 20},
      {"ITEMS.UPD|", 17},
      {"VORPOS.INI|", 17},
      {"VLSECR.EXE|", 18},
      {"C60RUNX.DLL|", 18},
      {"MENU.ZIP|ITEMS.UPD|VLSECR.EXE|", 23},
  };
  for (const auto& c : cases) EXPECT_EQ(UpdateKinds(c.list), c.kinds) << c.list;
}

TEST(HttpLogLines, LocalLineCarriesDateTimeFolderAndSummary) {
  EXPECT_EQ(HttpLocalLogLine(at(2024, 3, 5, 9, 5, 3), "Client/Store   ", "1,12,12,X   "),
            " 5/03/24,09:05,Client/Store,1,12,12,X,FD:0");
}

class HttpSummaryTest : public test::HttpTest {};

TEST_F(HttpSummaryTest, SummaryLineFields) {
  state.LOCATIONID = 12;
  state.USERLOCATION = "Main, Street";
  state.USERNAME = "Ann,Lee";
  state.ComputerName = "TILL1";
  state.ProgramVersion = "2307.18.1";
  HttpRunContext ctx(state);
  ctx.inboxBytes = 123456;
  ctx.startClock = 100;
  ctx.transferredList = "MENU.ZIP|VLSECR.EXE|";
  EXPECT_EQ(HttpSummaryLine(ctx, 3825),
            "1,12,12,Main Street,TILL1,2307.18.1,D,I,AnnLee,123456,37.25,,0,22,2307.18.1      ");
  EXPECT_NE(HttpSummaryLine(ctx, 4200).find(",41,,0,22,"), std::string::npos);
}

}  // namespace
}  // namespace vl::http
