#pragma once
// The lines of the FTP transfer log, built from the run's figures: the same
// summary line opens the file uploaded to the server and the line appended to
// the terminal's FTPLog.Txt; one line per update-file list entry and an end
// line follow in both.
#include <cstdint>
#include <string>
#include <vector>

#include "data/program_state.h"
#include "platform/fs/files.h"

namespace vl::ftp {

// What the run hands to the log besides the program state.
struct FtpLogFacts {
  std::int64_t logByteCount = 0;    // inbox byte total after the downloads
  std::int32_t startClock = 0;      // time of day (hundredths, plus one) at the start
  std::uint8_t sizeMismatch = 0;    // 1 when less arrived than the server listed
  std::uint8_t updateKinds = 0;     // bits 1 data, 2 programs, 4 archives
};

// "VLI_" + yymmddhhmmss + ".Txt".
std::string FtpLogFileName(const fs::CalendarTime& now);

// Seconds from a whole number of hundredths: "42.5", "42", "0.05".
std::string ElapsedSecondsText(std::int32_t hundredths);

// The fifteen comma-separated fields; nowClock is the time of day now, in the
// same units as startClock.
std::string FtpSummaryLine(const ProgramState& state, const FtpLogFacts& facts, std::int32_t nowClock);

// "dd/mm/yy,hh:mm,<local cloud folder>,<summary line>,FD:0", the day and the
// hour blank-filled.
std::string FtpLocalLogLine(const fs::CalendarTime& now, std::string_view localFtp,
                            std::string_view summaryLine);

// "2," + each LUF:UPDATEFILE as held, then "3,EOF".
std::vector<std::string> UpdateListLines(const ProgramState& state);

// The time of day now in the runtime's units (hundredths after midnight, plus one).
std::int32_t ClockNow();

// Day/month/two-digit year, the day blank-filled: "15/03/24", " 5/03/24".
std::string ShortDateText(const fs::CalendarTime& time);

}  // namespace vl::ftp
