#pragma once
// The FTP transfer log: a small file uploaded to the location's log folder on
// the server, and the same summary appended to the terminal's FTPLog.Txt.
#include <string_view>

#include "ftp/ftp_run_context.h"
#include "platform/records/data_file.h"

namespace vl::ftp {

inline constexpr std::string_view kUpdatingLogText = "Updating remote log file...";
inline constexpr std::string_view kLocalFtpLogFile = "C:\\VORLAN\\T1\\FTPLog.Txt";

// Writes the log file under its bare name in the current directory, uploads
// it (four tries, then the "FTPPutLog" report ends the run), deletes the local
// copy and appends the local log. Called once after CountInboxFiles.
void WriteFtpRemoteLog(FtpRunContext& ctx);

// With the log file open: a line per update-file list entry, then the end line.
void AddUpdateListLines(FtpRunContext& ctx, records::DataFile& file);

}  // namespace vl::ftp
