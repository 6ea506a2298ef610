#pragma once
// The HTTP transfer log: one small file per run uploaded into the location's
// log folder (summary line, "2," + each name fetched, "2,", "3,EOF"), and the
// same lines, the summary with date, time and cloud folder around it,
// appended to the terminal's C:\Vorlan\T1\FTPLog.TXT.
#include <cstdint>
#include <string>
#include <string_view>

#include "http/http_run_context.h"
#include "platform/fs/files.h"

namespace vl::http {

inline constexpr std::string_view kHttpLocalLogFile = "C:\\Vorlan\\T1\\FTPLog.TXT";

// Uploads the log (putFile) and appends the local lines.
void WriteHttpRemoteLog(HttpRunContext& ctx);
// "2," + each entry of the transferred list split at "|", then "3,EOF".
void WriteHttpLogDetail(HttpRunContext& ctx);

// Location ID in three digits (four from 1,000) + "_" + yymmddhhmmss + ".TXT".
std::string HttpLogName(std::int16_t locationId, const fs::CalendarTime& now);
// 16, or-ed with 4 for ".ZI", 1 for ".UPD"/".INI", 2 for ".EXE"/".DLL".
std::uint8_t UpdateKinds(std::string_view upperTransferredList);
// The summary line of the run (inbox bytes, the run's duration up to now).
std::string HttpSummaryLine(const HttpRunContext& ctx, std::int32_t nowClock);
// "dd/mm/yy,hh:mm,<local cloud folder>,<summary>,FD:0", the day blank-filled.
std::string HttpLocalLogLine(const fs::CalendarTime& now, std::string_view localFtp, std::string_view summary);

}  // namespace vl::http
