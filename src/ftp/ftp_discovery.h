#pragma once
// Finding what waits for this location on the FTP server: both folders are
// listed, each entry is checked and filtered (ftp_update_rules.h), and the
// update-file list LUF is filled and sorted, flags last, with the remote byte
// total summed. Listing failures end the run through the error report.
#include <string_view>

#include "ftp/ftp_run_context.h"

namespace vl::ftp {

inline constexpr std::string_view kCheckingSoftwareText = "Checking for software updates...";
inline constexpr std::string_view kCheckingDatabaseText = "Checking for database updates...";
inline constexpr std::string_view kListingText = "Listing remote directory...";

// Lists the software folder, then the database folder over a fresh connection.
// Expects ctx.folders set, the session open and LUF empty.
void FindFtpUpdates(FtpRunContext& ctx);
// Lists ctx.listedFolder in ctx.listingMode and appends the wanted entries to
// LUF; sorts the whole list at the end.
void QueueFtpUpdates(FtpRunContext& ctx);
// Fills ctx.listing from ctx.listedFolder.
void ListFtpFolder(FtpRunContext& ctx);
// Takes one enumerated entry into the listing, or leaves it out (with a
// warning for an invalid name or size).
void TakeListingEntry(FtpRunContext& ctx, const net::FindData& found);

}  // namespace vl::ftp
