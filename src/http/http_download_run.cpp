// The download loop of the HTTP run and the steps after it.
#include <algorithm>
#include <cctype>
#include <limits>

#include "app/transfer_window.h"
#include "data/fixed_paths.h"
#include "http/http_local_update.h"
#include "http/http_remote_log.h"
#include "http/http_request_engine.h"
#include "http/http_run.h"
#include "inet/error_report.h"
#include "platform/fs/files.h"
#include "platform/ui/backend.h"
#include "services/messages.h"
#include "services/text_utils.h"

namespace vl::http {
namespace {

bool startsWith(std::string_view text, std::string_view head) { return text.substr(0, head.size()) == head; }

void fetchEntries(HttpRunContext& ctx) {
  ProgramState& s = ctx.state;
  const std::string inbox(paths::kInboxDir);
  for (std::size_t row = 1; row <= s.LUF.count(); ++row) {
    s.LUF.get(row);
    if (s.BMULTIPLESELECTION && s.LUF.current.MARK == 0) continue;
    const std::string name = s.LUF.current.UPDATEFILE.str();
    std::string localPath = inbox + name;
    ctx.remotePath = s.LUF.current.FTPDIRECTORY.str() + name;
    ctx.queuedNames = ctx.queuedNames.str() + name + "|";
    // The SQL build of the ECR is installed under the ISAM build's name.
    if (s.POSRDBMS == kRdbmsSql && name == "VLSECR_SQL.EXE")
      localPath = services::ReplaceText(localPath, "VLSECR_SQL.EXE", "VLSECR.EXE");
    ctx.localPath = localPath;
    GetHttpFile(ctx, row);
  }
}

}  // namespace

void DownloadHttpUpdates(HttpRunContext& ctx) {
  ProgramState& s = ctx.state;
  if (s.LUF.count() == 0) {
    CloseTransferWindow(s);
    services::ShowMessage(kNothingDueText, "", services::kMessageInformation, true);
    return;
  }
  ShowTransferStatus(s, "Downloading updates...");
  ctx.inRun = true;
  ctx.queuedNames = "";
  ctx.doneBytes = 0;
  fetchEntries(ctx);
  ctx.inRun = false;
  SumInboxFiles(ctx, paths::kInboxDir);
  WriteHttpRemoteLog(ctx);
  ApplyHttpInboxUpdate(ctx);
  ShowTransferComplete(ctx);
  s.transferPhase = kPhaseFinished;
  services::ShowMessage("Successfully downloaded: " + WithThousands(ctx.inboxBytes) + " bytes in " +
                            std::to_string(ctx.inboxFileCount) + " files.",
                        kCompleteCaption, services::kMessageInformation, false);
  ctx.inboxListing.free();
  ctx.listing.free();
}

void GetHttpFile(HttpRunContext& ctx, std::size_t row) {
  ProgramState& s = ctx.state;
  if (ui::Window* w = OpenTransferWindowOf(s)) w->selectRow(transfer::kFileList, static_cast<int>(row));
  s.LUF.current.ICON = transfer::kIconFetching;
  s.LUF.put();
  RedisplayTransferWindow(s);
  s.bytesExpected = s.LUF.current.REMOTEBYTECOUNT;
  s.bytesSoFar = 0;
  s.transferPhase = kPhaseReceiving;
  ctx.retryCount = 0;
  for (;;) {
    ctx.requestKind = kGetFile;
    SendHttpRequest(ctx);
    if (ctx.done) break;
    if (++ctx.retryCount > ctx.retryLimit) {
      ctx.operationName = inet::kOpGetFile;
      inet::ReportHttpInternetError(ctx);
    }
  }
  const std::int64_t done = static_cast<std::int64_t>(ctx.doneBytes) + s.LUF.current.REMOTEBYTECOUNT;
  ctx.doneBytes = static_cast<std::int32_t>(std::min<std::int64_t>(done, std::numeric_limits<std::int32_t>::max()));
  if (ctx.remoteBytes > 0)
    s.PRGFTP = static_cast<std::uint8_t>(std::min<std::int64_t>(100, std::int64_t{ctx.doneBytes} * 100 / ctx.remoteBytes));
  ctx.lastInternetError = 0;
  ctx.transferredList = ctx.transferredList.str() + s.LUF.current.UPDATEFILE.str() + "|";
  s.LUF.current.ICON = transfer::kIconDone;
  s.LUF.put();
  RedisplayTransferWindow(s);
}

void SumInboxFiles(HttpRunContext& ctx, std::string_view folder) {
  ctx.inboxListing.free();
  std::int64_t bytes = 0;
  for (const fs::FindEntry& found : fs::listFolder(std::string(folder) + "*.*")) {
    if (found.attributes & fs::kAttrDirectory) continue;
    FileListEntry& e = ctx.inboxListing.current;
    e = FileListEntry{};
    std::string name = found.longName;
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    e.LONGNAME = name;
    e.SIZE = static_cast<std::int32_t>(found.size & 0xffffffffu);
    ctx.inboxListing.add();
    if (!startsWith(name, "SWUPD") && !startsWith(name, "POSID")) bytes += e.SIZE;
  }
  ctx.inboxBytes = static_cast<std::int32_t>(std::min<std::int64_t>(bytes, std::numeric_limits<std::int32_t>::max()));
  ctx.inboxFileCount = static_cast<std::int32_t>(ctx.inboxListing.count());
  if (ctx.inboxFileCount > 0) ctx.inboxListing.sort({ascending(&FileListEntry::LONGNAME)});
  ui::setCursor(ui::Cursor::Normal);
  RedisplayTransferWindow(ctx.state);
}

void ShowTransferComplete(HttpRunContext& ctx) {
  ProgramState& s = ctx.state;
  ShowTransferStatus(s, "Internet data transfer complete.");
  s.FTPCALLBACKSTATUS = "OK";
  s.PRGFILE = 100;
  if (ui::Window* w = OpenTransferWindowOf(s)) w->setIcon(transfer::kCallbackImage, s.StatusPictures[0].trimmed());
  RedisplayTransferWindow(s);
}

}  // namespace vl::http
