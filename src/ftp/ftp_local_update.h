#pragma once
// What a complete FTP transfer changes besides the inbox files themselves:
// the remote flags go (when the option says so), the flag and identity files
// get the fixed names the POS programs look for, and the update marker file
// tells them what kind of update arrived.
#include <string>
#include <string_view>

#include "ftp/ftp_run_context.h"
#include "platform/fs/files.h"

namespace vl::ftp {

inline constexpr std::string_view kRemovingSoftwareFlagText = "Removing software update flag...";
inline constexpr std::string_view kRemovingDatabaseFlagText = "Removing database update flag...";
inline constexpr std::string_view kUpdatingLocalFilesText = "Updating local files...";
inline constexpr std::string_view kUpdateCompletedText = "Update completed.";

// The local update steps after a transfer whose byte counts agree.
void ApplyFtpUpdate(FtpRunContext& ctx);

// Trusted mode: adds the till's own identity record (terminal ID, computer
// name, location ID and the given '|'-joined file names) to a new or
// existing C:\VORLAN\T1\INBOX\POSID.TPS. The other fields keep what the
// state's PID buffer holds.
void WriteTrustedIdentity(ProgramState& state, std::string_view updateFiles);

// The marker's Update value: "15/03/24- 9:30AM".
std::string UpdateStampText(const fs::CalendarTime& now);

}  // namespace vl::ftp
