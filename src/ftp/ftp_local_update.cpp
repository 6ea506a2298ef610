#include "ftp/ftp_local_update.h"

#include <cstdio>

#include "app/transfer_window.h"
#include "data/fixed_paths.h"
#include "data/ini_keys.h"
#include "data/records.h"
#include "ftp/ftp_log_lines.h"
#include "inet/error_report.h"
#include "platform/profile/profile.h"
#include "platform/records/data_file.h"
#include "platform/sys/system.h"
#include "services/data_file_open.h"
#include "services/messages.h"

namespace vl::ftp {
namespace {

std::string inboxFile(std::string_view name) { return std::string(paths::kInboxDir) + std::string(name); }

void renameInInbox(std::string_view from, std::string_view to, std::string_view failureText) {
  if (fs::renameFile(inboxFile(from), inboxFile(to))) return;
  services::ShowMessage(failureText, "", services::kMessageError, true);
}

// A failed deletion is reported once after four tries; the run goes on.
void deleteRemoteFlag(FtpRunContext& ctx, std::string_view status, const std::string& remotePath) {
  ShowTransferStatus(ctx.state, status);
  inet::TryFtpOperation(ctx, inet::kOpDelete, [&] { return ctx.ftp.deleteFile(remotePath); });
}

void writeMarker(FtpRunContext& ctx) {
  (void)profile::writeString(ctx.markerFile, ini::kSectionVLSPOSBOH, ini::kKeyUpdate,
                             UpdateStampText(sys::localNow()));
  const std::string_view names = ctx.downloadedNames.trimmed();
  if (names.find("VLSECR") != std::string_view::npos)
    (void)profile::writeString(ctx.markerFile, ini::kSectionSoftwareUpdates, ini::kKeyVLSECR, "1");
  if (names.find(".DLL") != std::string_view::npos)
    (void)profile::writeString(ctx.markerFile, ini::kSectionSoftwareUpdates, ini::kKeyDLLs, "1");
}

}  // namespace

void WriteTrustedIdentity(ProgramState& state, std::string_view updateFiles) {
  records::DataFile posId("POSID", records::Driver::Keyed, IdentityRecord::kLayout, IdentityRecord::kSize);
  posId.setName(std::string(paths::kPosIdFile));
  services::OpenDataFile(posId);
  state.PID.TERMID = state.TERMID;
  state.PID.COMPUTERNAME = state.ComputerName.trimmed();
  state.PID.DIALUPSERVER = state.TERMID;
  state.PID.LOCATIONID = state.LOCATIONID;
  state.PID.UPDATEFILES = updateFiles;
  (void)posId.add(toBytes(state.PID));
  posId.close();
}

std::string UpdateStampText(const fs::CalendarTime& now) {
  const int hour12 = now.hour % 12 == 0 ? 12 : now.hour % 12;
  char time[16];
  (void)std::snprintf(time, sizeof time, "%2d:%02d%s", hour12, now.minute, now.hour < 12 ? "AM" : "PM");
  return ShortDateText(now) + "-" + time;
}

void ApplyFtpUpdate(FtpRunContext& ctx) {
  const FtpFolders& f = ctx.folders;
  const bool removeFlags = ctx.state.BREMOVEUPDTOKENS != 0;
  if (removeFlags && fs::exists(inboxFile(f.softwareFlag))) {
    deleteRemoteFlag(ctx, kRemovingSoftwareFlagText, std::string(kRemoteRoot) + f.softwareBase + "/" + f.softwareFlag);
    renameInInbox(f.softwareFlag, "SWUPD.TXT", "Error renaming the SWUpdTokenURL file.");
  }
  const bool databaseFlag = fs::exists(inboxFile(f.databaseFlag));
  if (removeFlags && databaseFlag) {
    deleteRemoteFlag(ctx, kRemovingDatabaseFlagText,
                     std::string(kRemoteRoot) + ctx.state.FTP.LOCALFTP.str() + "/Updates/" + f.databaseFlag);
  }
  if (databaseFlag) {
    ShowTransferStatus(ctx.state, kUpdatingLocalFilesText);
    renameInInbox(f.databaseFlag, "POSID.TPS", "Error renaming the DBUpdTokenURL file.");
  } else if (ctx.state.AUXTRUSTEDMODE) {
    WriteTrustedIdentity(ctx.state, ctx.downloadedNames.trimmed());
    services::ShowTrace(paths::kPosIdFile, "trustedmode", false);
  }
  const std::string settings = "VORPOS" + std::to_string(ctx.state.LOCATIONID) + ".INI";
  if (fs::exists(inboxFile(settings)))
    renameInInbox(settings, "VORPOS.INI", "Error renaming the system settings INI file.");
  ShowTransferStatus(ctx.state, kUpdateCompletedText);
  writeMarker(ctx);
}

}  // namespace vl::ftp
