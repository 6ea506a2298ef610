// Turning the files of an HTTP download into an update the POS programs take.
#include "http/http_local_update.h"

#include "app/transfer_window.h"
#include "data/fixed_paths.h"
#include "data/ini_keys.h"
#include "ftp/ftp_local_update.h"
#include "ftp/ftp_log_lines.h"
#include "http/http_request_engine.h"
#include "inet/error_report.h"
#include "platform/profile/profile.h"
#include "platform/sys/system.h"
#include "services/messages.h"

namespace vl::http {
namespace {

const std::string kInbox(paths::kInboxDir);
const std::string kSoftwareFlagTarget = kInbox + "SWUPD.TXT";
const std::string kSettingsTarget = kInbox + "VORPOS.INI";

void showError(const std::string& text) { services::ShowMessage(text, "", services::kMessageError, true); }

void deleteRemoteFlag(HttpRunContext& ctx, std::string_view folder, std::string_view flag) {
  ctx.remotePath = std::string(folder) + std::string(flag);
  ctx.retryCount = 0;
  for (;;) {
    ctx.requestKind = kDelFile;
    SendHttpRequest(ctx);
    if (ctx.done) return;
    if (++ctx.retryCount > ctx.retryLimit) {
      ctx.operationName = inet::kOpDelete;
      if (!inet::ReportHttpInternetError(ctx)) return;
    }
  }
}

void applySoftwareFlag(HttpRunContext& ctx) {
  const std::string flag = kInbox + ctx.softwareFlag.str();
  if (!fs::exists(flag) || !ctx.state.BREMOVEUPDTOKENS) return;
  ShowTransferStatus(ctx.state, "Removing software update flag...");
  deleteRemoteFlag(ctx, ctx.softwareFolder.trimmed(), ctx.softwareFlag.trimmed());
  if (fs::exists(kSoftwareFlagTarget)) return;
  if (!fs::renameFile(flag, kSoftwareFlagTarget))
    showError("Error renaming the SWUpdTokenURL file:|" + flag + "|to:|" + kSoftwareFlagTarget);
}

void applyDatabaseFlag(HttpRunContext& ctx) {
  const std::string flag = kInbox + ctx.databaseFlag.str();
  if (!fs::exists(flag) || !ctx.state.BREMOVEUPDTOKENS) return;
  ShowTransferStatus(ctx.state, "Removing database update flag...");
  deleteRemoteFlag(ctx, ctx.databaseFolder.trimmed(), ctx.databaseFlag.trimmed());
  deleteRemoteFlag(ctx, ctx.softwareFolder.trimmed(), ctx.databaseFlagText.trimmed());
}

void applyIdentity(HttpRunContext& ctx) {
  const std::string flag = kInbox + ctx.databaseFlag.str();
  if (fs::exists(flag)) {
    ShowTransferStatus(ctx.state, "Updating local files...");
    if (!fs::renameFile(flag, paths::kPosIdFile))
      showError("Error renaming the DBUpdTokenURL file:||Source file:" + ctx.databaseFlag.str() +
                "|Target file:" + std::string(paths::kPosIdFile));
  } else if (ctx.state.AUXTRUSTEDMODE) {
    ftp::WriteTrustedIdentity(ctx.state, ctx.queuedNames.str() + "UPDFLAGS.INI|VORPOS.INI");
  }
}

void applySystemSettings(HttpRunContext& ctx) {
  const std::string source = kInbox + "VORPOS" + std::to_string(ctx.state.LOCATIONID) + ".INI";
  if (!fs::exists(source)) return;
  if (fs::copyFile(source, kSettingsTarget, false))
    fs::deleteFile(source);
  else
    showError("Error copying the system settings INI file:|" + source + "|to:|" + kSettingsTarget);
}

}  // namespace

void WriteUpdateMarks(HttpRunContext& ctx, const fs::CalendarTime& now) {
  const std::string marker = ctx.updateMarkerFile.str();
  const std::string_view list = ctx.transferredList.trimmed();
  const bool libraries = list.find(".DLL") != std::string_view::npos;
  profile::writeString(marker, ini::kSectionVLSPOSBOH, ini::kKeyUpdate, ftp::UpdateStampText(now));
  if (list.find("VLSECR") != std::string_view::npos)
    profile::writeString(marker, ini::kSectionSoftwareUpdates, ini::kKeyVLSECR, "1");
  if (ctx.registrationMark == 1 && libraries)
    profile::writeString(marker, ini::kSectionSoftwareUpdates, ini::kKeyDLLs, "1");
  if (ctx.registrationMark == 2 && libraries)
    profile::writeString(marker, ini::kSectionSoftwareUpdates, ini::kKeyBIN, "1");
  if (ctx.registrationMark == 2) profile::writeString(marker, ini::kSectionDatabaseUpdates, ini::kKeyDAT, "1");
  if (ctx.registrationMark == 1)
    profile::writeString(paths::kUpdFlagsIniFile, ini::kSectionPassedFlags, ini::kKeyNewMaster, "1");
}

void ApplyHttpInboxUpdate(HttpRunContext& ctx) {
  applySoftwareFlag(ctx);
  applyDatabaseFlag(ctx);
  applyIdentity(ctx);
  applySystemSettings(ctx);
  ShowTransferStatus(ctx.state, "Update completed.");
  WriteUpdateMarks(ctx, sys::localNow());
}

}  // namespace vl::http
