#include "ftp/ftp_log_lines.h"

#include <cstdio>
#include <cstdlib>

#include "data/day_number.h"
#include "platform/sys/system.h"
#include "services/text_utils.h"

namespace vl::ftp {
namespace {

// Sized by a first pass, so a field wider than expected is kept whole, not cut.
template <class... Args>
std::string format(const char* pattern, Args... args) {
  const int size = std::snprintf(nullptr, 0, pattern, args...);
  if (size <= 0) return {};
  std::string text(static_cast<std::size_t>(size), '\0');
  (void)std::snprintf(text.data(), text.size() + 1, pattern, args...);
  return text;
}

}  // namespace

std::string FtpLogFileName(const fs::CalendarTime& now) {
  return "VLI_" + format("%02d%02d%02d%02d%02d%02d", now.year % 100, now.month, now.day, now.hour,
                         now.minute, now.second) +
         ".Txt";
}

std::string ElapsedSecondsText(std::int32_t hundredths) {
  std::string text = std::to_string(hundredths / 100);
  const int fraction = hundredths % 100;
  if (fraction == 0) return text;
  text += format(".%02d", fraction);
  if (text.back() == '0') text.pop_back();
  return text;
}

std::string FtpSummaryLine(const ProgramState& state, const FtpLogFacts& facts, std::int32_t nowClock) {
  const std::string id = std::to_string(state.LOCATIONID);
  const std::string version = state.ProgramVersion.str();
  const std::int32_t elapsed = std::abs(nowClock - facts.startClock);
  return "1," + id + "," + id + "," + services::RemoveCommas(state.USERLOCATION.trimmed()) + "," +
         state.ComputerName.str() + "," + version + ",D,I," +
         services::RemoveCommas(state.USERNAME.trimmed()) + "," + std::to_string(facts.logByteCount) +
         "," + ElapsedSecondsText(elapsed) + ",," + std::to_string(facts.sizeMismatch) + "," +
         std::to_string(facts.updateKinds) + "," +
         std::string(state.ProgramVersion.whole());
}

std::int32_t ClockNow() {
  const fs::CalendarTime now = sys::localNow();
  return timeOfDay(now.hour, now.minute, now.second, now.millisecond / 10);
}

std::string ShortDateText(const fs::CalendarTime& time) {
  return format("%2d/%02d/%02d", time.day, time.month, time.year % 100);
}

std::string FtpLocalLogLine(const fs::CalendarTime& now, std::string_view localFtp,
                            std::string_view summaryLine) {
  while (!summaryLine.empty() && summaryLine.back() == ' ') summaryLine.remove_suffix(1);
  while (!localFtp.empty() && localFtp.back() == ' ') localFtp.remove_suffix(1);
  return ShortDateText(now) + "," + format("%2d:%02d", now.hour, now.minute) + "," +
         std::string(localFtp) + "," + std::string(summaryLine) + ",FD:0";
}

std::vector<std::string> UpdateListLines(const ProgramState& state) {
  std::vector<std::string> lines;
  for (const UpdateFileEntry& entry : state.LUF.entries())
    lines.push_back("2," + std::string(entry.UPDATEFILE.whole()));
  lines.emplace_back("3,EOF");
  return lines;
}

}  // namespace vl::ftp
