#include "ftp/ftp_run.h"

#include <string>

#include "app/transfer_window.h"
#include "data/fixed_paths.h"
#include "ftp/ftp_discovery.h"
#include "ftp/ftp_inbox.h"
#include "ftp/ftp_local_update.h"
#include "ftp/ftp_log_lines.h"
#include "ftp/ftp_remote_log.h"
#include "inet/error_report.h"
#include "inet/session.h"
#include "platform/base/errors.h"
#include "platform/fs/files.h"
#include "platform/fs/paths.h"
#include "platform/sys/system.h"
#include "services/messages.h"
#include "services/text_utils.h"

namespace vl::ftp {
namespace {

constexpr std::string_view kSqlEcr = "VLSECR_SQL.EXE";

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

std::uint8_t updateKindsOf(std::string_view name) {
  std::uint8_t kinds = 0;
  if (contains(name, ".UPD") || contains(name, ".INI")) kinds |= kKindData;
  if (contains(name, ".EXE") || contains(name, ".DLL")) kinds |= kKindPrograms;
  if (contains(name, ".ZIP")) kinds |= kKindArchives;
  return kinds;
}

// Up to and including the first '.', then "FTP": VLSECR.EXE is fetched as VLSECR.FTP.
std::string temporaryPathOf(const std::string& localPath) {
  const std::size_t dot = localPath.find('.');
  return (dot == std::string::npos ? localPath + "." : localPath.substr(0, dot + 1)) + "FTP";
}

void setEntryIcon(ProgramState& state, std::size_t entry, std::int16_t icon) {
  if (!state.LUF.get(entry)) return;
  state.LUF.current.ICON = icon;
  state.LUF.put();
}

void markFetching(FtpRunContext& ctx, std::size_t entry) {
  if (ui::Window* window = OpenTransferWindowOf(ctx.state))
    window->selectRow(transfer::kFileList, static_cast<int>(entry));
  setEntryIcon(ctx.state, entry, transfer::kIconFetching);
  RedisplayTransferWindow(ctx.state);
}

void markDone(FtpRunContext& ctx, std::size_t entry) {
  const UpdateFileEntry& file = ctx.state.LUF.at(entry);
  ctx.doneByteTotal += file.REMOTEBYTECOUNT;
  const double total = static_cast<double>(ctx.remoteByteTotal);
  ctx.state.PRGFTP = static_cast<std::uint8_t>(total > 0 ? static_cast<double>(ctx.doneByteTotal) * 100.0 / total : 100.0);
  ctx.lastError = 0;
  ctx.downloadedNames = std::string(ctx.downloadedNames.trimmed()) + file.UPDATEFILE.str() + "|";
  setEntryIcon(ctx.state, entry, transfer::kIconDone);
}

// Tries the download until it succeeds; false when the server refused the
// file (left out silently: the size check will tell).
bool fetchWithRetries(FtpRunContext& ctx) {
  ctx.attempts = 0;
  for (;;) {
    if (fs::exists(ctx.localPath)) (void)fs::deleteFile(ctx.localPath);
    if (ctx.ftp.getFile(ctx.remotePath, ctx.temporaryPath, false)) return true;
    if (platform::lastWinError() == net::kErrorInternetExtendedError) {
      ctx.lastError = 0;
      return false;
    }
    if (!inet::CountFailedAttempt(ctx)) continue;
    ctx.operationName = inet::kOpGetFile;
    inet::ReportFtpInternetError(ctx);  // ends the run
    return false;
  }
}

void downloadAll(FtpRunContext& ctx) {
  ctx.updateKinds = 0;
  ShowTransferStatus(ctx.state, kDownloadingText);
  ctx.listTracking = true;
  ctx.doneByteTotal = 0;
  const std::size_t count = ctx.state.LUF.count();
  for (std::size_t i = 1; i <= count; ++i) {
    const UpdateFileEntry file = ctx.state.LUF.at(i);
    const std::string name = file.UPDATEFILE.str();
    ctx.localPath = std::string(paths::kInboxDir) + name;
    ctx.remotePath = file.FTPDIRECTORY.str() + name;
    if (ctx.state.POSRDBMS == kRdbmsSql && name == kSqlEcr)
      ctx.localPath = services::ReplaceText(ctx.localPath, kSqlEcr, "VLSECR.EXE");
    GetFtpFile(ctx, i);
    ctx.updateKinds |= updateKindsOf(name);
  }
}

void reportShortTransfer(FtpRunContext& ctx) {
  ctx.state.transferPhase = kPhaseFinished;
  // Nothing of this transfer may be installed: the run is not done.
  if (ctx.resultCode == inet::kResultDone) ctx.resultCode = inet::kResultNotDone;
  services::ShowMessage("Source data transfer size: " + GroupedNumber(ctx.remoteByteTotal) + " bytes." +
                            "||Downloaded data transfer size: " + GroupedNumber(ctx.localByteTotal) + " bytes." +
                            "||The file update will not take place.",
                        kTransferErrorCaption, services::kMessageWarning, false);
}

void reportSuccess(FtpRunContext& ctx) {
  ctx.state.transferPhase = kPhaseFinished;
  services::ShowMessage("Successfully downloaded: " + GroupedNumber(ctx.localByteTotal) + " bytes in " +
                            std::to_string(ctx.localFileCount) + " files.",
                        kTransferDoneCaption, services::kMessageInformation, false);
}

void prepareRun(FtpRunContext& ctx) {
  ProgramState& state = ctx.state;
  ctx.listing.free();
  state.LUF.free();
  state.LUF.current = UpdateFileEntry{};
  ctx.remoteByteTotal = 0;
  state.PRGFTP = 0;
  ListInbox(ctx);
  ClearInbox(ctx);
  OpenTransferWindow(state, TransferProtocol::Ftp);
  RedisplayTransferWindow(state);
  if (!ctx.ftp.isOpen()) inet::OpenFtpSession(ctx);
  if (!ctx.ftp.isOpen()) inet::EndFtpRun(ctx);
}

}  // namespace

std::string GroupedNumber(std::int64_t value) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), ",");
  return value < 0 ? "-" + digits : digits;
}

void GetFtpFile(FtpRunContext& ctx, std::size_t entry) {
  if (ctx.listTracking) markFetching(ctx, entry);
  const UpdateFileEntry& file = ctx.state.LUF.at(entry);
  ctx.state.bytesExpected = file.REMOTEBYTECOUNT;
  ctx.state.bytesSoFar = 0;
  ctx.state.transferPhase = kPhaseReceiving;
  ctx.temporaryPath = temporaryPathOf(ctx.localPath);
  if (!fetchWithRetries(ctx)) return;
  if (!fs::renameFile(ctx.temporaryPath, ctx.localPath))
    services::ShowMessage("Error renaming the downloaded file: |" + ctx.temporaryPath, "", services::kMessageError,
                          true);
  if (ctx.listTracking) markDone(ctx, entry);
  RedisplayTransferWindow(ctx.state);
}

void DoFtpTransfer(FtpRunContext& ctx) {
  prepareRun(ctx);
  FindFtpUpdates(ctx);
  ShowTransferStatus(ctx.state, "");
  ctx.state.FTPCALLBACKSTATUS = "";
  RedisplayTransferWindow(ctx.state);
  if (ctx.state.LUF.count() == 0) {
    CloseTransferWindow(ctx.state);
    services::ShowMessage(kNoUpdatesText, "", services::kMessageInformation, true);
    inet::CloseFtpSession(ctx);
    return;
  }
  downloadAll(ctx);
  CountInboxFiles(ctx);
  ctx.sizeMismatch = ctx.localByteTotal < ctx.remoteByteTotal ? 1 : 0;
  ctx.logByteCount = ctx.localByteTotal;
  WriteFtpRemoteLog(ctx);
  if (ctx.sizeMismatch) {
    reportShortTransfer(ctx);
  } else {
    ApplyFtpUpdate(ctx);
    reportSuccess(ctx);
  }
  inet::CloseFtpSession(ctx);
}

}  // namespace vl::ftp

namespace vl {

int RunFtpTransfer(ProgramState& state) {
  ftp::FtpRunContext ctx(state);
  if (state.FTP.LOCALFTP.blank()) {
    services::ShowMessage(ftp::kNotRegisteredText, "", services::kMessageWarning, true);
    return inet::kResultNotDone;
  }
  ctx.startClock = ftp::ClockNow();
  ctx.savedDirectory = fs::currentDirectory();
  ctx.folders = ftp::FtpFolderLayout(state.FTP.LOCALFTP, state.LOCATIONID);
  ctx.logFolder = ctx.folders.logFolder;
  ctx.softwareFolder = ctx.folders.softwareBase;
  ctx.databaseFolder = ctx.folders.databaseFolder;
  ctx.softwareFlag = ctx.folders.softwareFlag;
  ctx.databaseFlag = ctx.folders.databaseFlag;
  ctx.markerFile = std::string(paths::kInboxDir) + std::string(paths::kUpdateMarkerFileName);
  ctx.dialMode = inet::kDialNever;
  return inet::RunUntilEnded(ctx, [&ctx] {
    ftp::DoFtpTransfer(ctx);
    if (ctx.connected()) inet::CloseFtpSession(ctx);
    inet::EndFtpRun(ctx);
  });
}

}  // namespace vl
