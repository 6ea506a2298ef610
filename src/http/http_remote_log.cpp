// Writing, uploading and keeping the HTTP transfer log.
#include "http/http_remote_log.h"

#include <cctype>
#include <cstdio>

#include "app/transfer_window.h"
#include "data/day_number.h"
#include "ftp/ftp_log_lines.h"
#include "http/http_request_engine.h"
#include "inet/error_report.h"
#include "platform/sys/system.h"
#include "services/data_file_open.h"
#include "services/text_utils.h"

namespace vl::http {
namespace {

void appendLine(records::DataFile& file, std::string_view line) {
  file.append(std::span(reinterpret_cast<const std::uint8_t*>(line.data()), line.size()));
}

std::string upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::int32_t clockOf(const fs::CalendarTime& t) { return timeOfDay(t.hour, t.minute, t.second, t.millisecond / 10); }

void uploadLog(HttpRunContext& ctx, const std::string& name) {
  ctx.retryCount = 0;
  for (;;) {
    ctx.requestKind = kPutFile;
    SendHttpRequest(ctx);
    if (ctx.done) break;
    fs::deleteFile(name);
    if (++ctx.retryCount > ctx.retryLimit) {
      ctx.operationName = inet::kOpPutLog;
      inet::ReportHttpInternetError(ctx);
    }
  }
  fs::deleteFile(name);
}

}  // namespace

std::string HttpLogName(std::int16_t locationId, const fs::CalendarTime& now) {
  char text[64];  // clock fields of a calendar time: 22 characters at most
  (void)std::snprintf(text, sizeof text, "%03d_%02d%02d%02d%02d%02d%02d.TXT", locationId, now.year % 100, now.month,
                      now.day, now.hour, now.minute, now.second);
  return text;
}

std::uint8_t UpdateKinds(std::string_view list) {
  auto has = [&](std::string_view part) { return list.find(part) != std::string_view::npos; };
  std::uint8_t kinds = 16;
  if (has(".ZI")) kinds |= 4;
  if (has(".UPD") || has(".INI")) kinds |= 1;
  if (has(".EXE") || has(".DLL")) kinds |= 2;
  return kinds;
}

std::string HttpSummaryLine(const HttpRunContext& ctx, std::int32_t nowClock) {
  ftp::FtpLogFacts facts;
  facts.logByteCount = ctx.inboxBytes;
  facts.startClock = ctx.startClock;
  facts.sizeMismatch = 0;  // the log is reached only when every size matched
  facts.updateKinds = UpdateKinds(upper(ctx.transferredList.trimmed()));
  return ftp::FtpSummaryLine(ctx.state, facts, nowClock);
}

std::string HttpLocalLogLine(const fs::CalendarTime& now, std::string_view localFtp, std::string_view summary) {
  char time[16];  // an hour and a minute of a calendar time always fit
  (void)std::snprintf(time, sizeof time, "%02d:%02d", now.hour, now.minute);
  while (!localFtp.empty() && localFtp.back() == ' ') localFtp.remove_suffix(1);
  while (!summary.empty() && summary.back() == ' ') summary.remove_suffix(1);
  return ftp::ShortDateText(now) + "," + time + "," + std::string(localFtp) + "," + std::string(summary) + ",FD:0";
}

void WriteHttpLogDetail(HttpRunContext& ctx) {
  services::TextList items;
  services::SplitText(items, ctx.transferredList.trimmed(), "|");
  for (const std::string& item : items) appendLine(ctx.logFile, "2," + item);
  appendLine(ctx.logFile, "3,EOF");
}

void WriteHttpRemoteLog(HttpRunContext& ctx) {
  ShowTransferStatus(ctx.state, "Updating remote log file...");
  ctx.logFile.close();
  const fs::CalendarTime now = sys::localNow();
  const std::string name = HttpLogName(ctx.state.LOCATIONID, now);
  ctx.state.LUF.current.UPDATEFILE = name;
  ctx.logFile.setName(name);
  if (fs::exists(name)) fs::deleteFile(name);
  services::OpenDataFile(ctx.logFile);
  ctx.transferredList = upper(ctx.transferredList.trimmed());
  ctx.logLine = HttpSummaryLine(ctx, clockOf(now));
  appendLine(ctx.logFile, ctx.logLine.trimmed());
  WriteHttpLogDetail(ctx);
  ctx.logFile.close();

  ctx.state.LUF.current.FTPDIRECTORY = ctx.logFolder;
  ctx.localPath = name;
  uploadLog(ctx, name);

  ctx.logFile.setName(std::string(kHttpLocalLogFile));
  services::OpenDataFile(ctx.logFile);
  appendLine(ctx.logFile, HttpLocalLogLine(now, ctx.state.FTP.LOCALFTP.trimmed(), ctx.logLine.trimmed()));
  WriteHttpLogDetail(ctx);
  ctx.logFile.close();
}

}  // namespace vl::http
