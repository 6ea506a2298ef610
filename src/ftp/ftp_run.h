#pragma once
// The FTP transfer run: empties the inbox, connects, finds this location's
// updates, downloads them into the inbox, checks the bytes that arrived
// against the sizes the server listed, logs the transfer and, when nothing is
// missing, applies the update locally.
//
// Result: 0 done (also when nothing was due), 1 not configured or the
// transfer came up short, 2 ended by or after an Internet error report. The
// Download command installs programs from the inbox only on 0.
#include <string_view>

#include "data/program_state.h"
#include "ftp/ftp_run_context.h"

namespace vl::ftp {

inline constexpr std::string_view kNotRegisteredText =
    "This system is not registered for Internet transfers.||Contact your software supplier.";
inline constexpr std::string_view kNoUpdatesText = "No Internet updates were found for this POS location.";
inline constexpr std::string_view kDownloadingText = "Downloading updates...";
inline constexpr std::string_view kTransferErrorCaption = "Transfer error";
inline constexpr std::string_view kTransferDoneCaption = "Internet Data Transfer";

// The run's body, between the configuration check and the end of the run.
void DoFtpTransfer(FtpRunContext& ctx);
// Fetches LUF entry `entry` (counting from 1) into ctx.localPath.
void GetFtpFile(FtpRunContext& ctx, std::size_t entry);

// "1,234,567": the closing messages' byte totals.
std::string GroupedNumber(std::int64_t value);

}  // namespace vl::ftp

namespace vl {

// The run's entry, called by the Download command after it saved the settings.
int RunFtpTransfer(ProgramState& state);

}  // namespace vl
