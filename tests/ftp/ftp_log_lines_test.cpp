#include "ftp/ftp_log_lines.h"

#include <gtest/gtest.h>

#include "data/day_number.h"

namespace vl::ftp {
namespace {

fs::CalendarTime at(int year, int month, int day, int hour, int minute, int second) {
  fs::CalendarTime t;
  t.year = year;
  t.month = month;
  t.day = day;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  return t;
}

ProgramState storeOne() {
  ProgramState state;
  state.LOCATIONID = 12;
  state.USERLOCATION = "Store One";
  state.USERNAME = "Till User";
  state.ComputerName = "TILL01";
  state.ProgramVersion = kProgramVersion;
  return state;
}

TEST(FtpLogFileName, DateAndTimeZeroFilled) {
  EXPECT_EQ(FtpLogFileName(at(2024, 3, 15, 9, 30, 15)), "VLI_240315093015.Txt");
  EXPECT_EQ(FtpLogFileName(at(2005, 11, 1, 23, 5, 7)), "VLI_051101230507.Txt");
}

TEST(ElapsedSecondsText, HundredthsAsSeconds) {
  EXPECT_EQ(ElapsedSecondsText(4250), "42.5");
  EXPECT_EQ(ElapsedSecondsText(4200), "42");
  EXPECT_EQ(ElapsedSecondsText(4205), "42.05");
  EXPECT_EQ(ElapsedSecondsText(5), "0.05");
  EXPECT_EQ(ElapsedSecondsText(0), "0");
}

TEST(FtpSummaryLine, FifteenFieldsWithTheVersionPaddedLast) {
  ProgramState state = storeOne();
  FtpLogFacts facts{1048576, timeOfDay(9, 30, 0) , 0, 3};
  EXPECT_EQ(FtpSummaryLine(state, facts, timeOfDay(9, 30, 42, 50)),
            "1,12,12,Store One,TILL01,2307.18.1,D,I,Till User,1048576,42.5,,0,3,2307.18.1      ");
}

TEST(FtpSummaryLine, CommasDroppedAndElapsedTimeAbsolute) {
  ProgramState state = storeOne();
  state.USERNAME = "Till, User";
  state.USERLOCATION = "Store, One";
  // A run that passes midnight logs the difference of the two times of day.
  FtpLogFacts facts{10, timeOfDay(23, 59, 59), 1, 7};
  EXPECT_EQ(FtpSummaryLine(state, facts, timeOfDay(0, 0, 1)),
            "1,12,12,Store One,TILL01,2307.18.1,D,I,Till User,10,86398,,1,7,2307.18.1      ");
}

TEST(FtpLocalLogLine, DateTimeFolderSummaryAndEnd) {
  EXPECT_EQ(FtpLocalLogLine(at(2024, 3, 5, 9, 7, 0), "Client/Store   ", "1,12,x   "),
            " 5/03/24, 9:07,Client/Store,1,12,x,FD:0");
  EXPECT_EQ(FtpLocalLogLine(at(2024, 12, 25, 14, 30, 0), "C/S", "1"), "25/12/24,14:30,C/S,1,FD:0");
}

TEST(UpdateListLines, EveryEntryAsHeldThenTheEndLine) {
  ProgramState state;
  state.LUF.current.UPDATEFILE = "VLSECR.EXE";
  state.LUF.add();
  state.LUF.current.UPDATEFILE = "SWUPD12.TXT";
  state.LUF.add();
  const auto lines = UpdateListLines(state);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "2,VLSECR.EXE" + std::string(40, ' '));
  EXPECT_EQ(lines[1], "2,SWUPD12.TXT" + std::string(39, ' '));
  EXPECT_EQ(lines[2], "3,EOF");
  EXPECT_EQ(UpdateListLines(ProgramState{}), std::vector<std::string>{"3,EOF"});
}

}  // namespace
}  // namespace vl::ftp
