#pragma once
// The terminal's inbox as the FTP run sees it: emptied before the downloads,
// listed and summed after them for the size check and the log.
#include <string_view>

#include "ftp/ftp_run_context.h"

namespace vl::ftp {

// The ordinary files (no folders, hidden or system files) of
// C:\VORLAN\T1\INBOX\*.* into ctx.inbox, their full sizes summed into
// ctx.localByteTotal.
void ListInbox(FtpRunContext& ctx);
// Lists and sums the inbox, names in upper case, counts it into
// ctx.localFileCount and sorts the listing by name.
void CountInboxFiles(FtpRunContext& ctx);
// Deletes every file of ctx.inbox; a failure is shown and the next file tried.
void ClearInbox(FtpRunContext& ctx);

}  // namespace vl::ftp
