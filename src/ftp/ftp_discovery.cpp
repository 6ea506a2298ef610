#include "ftp/ftp_discovery.h"

#include <string>

#include "app/transfer_window.h"
#include "inet/error_report.h"
#include "inet/session.h"
#include "platform/base/errors.h"
#include "services/messages.h"
#include "services/remote_name.h"

namespace vl::ftp {
namespace {

void reportUnlessNoMoreFiles(FtpRunContext& ctx, std::string_view operation) {
  if (platform::lastWinError() == net::kErrorNoMoreFiles) return;
  ctx.operationName = operation;
  inet::ReportFtpInternetError(ctx);
}

// A fresh connection for every folder after the first.
void connectForListing(FtpRunContext& ctx) {
  if (ctx.folderListed) inet::CloseFtpSession(ctx);
  if (!ctx.ftp.isOpen()) inet::OpenFtpSession(ctx);
  if (!ctx.ftp.isOpen()) inet::EndFtpRun(ctx);
}

void queueEntry(FtpRunContext& ctx, const FileListEntry& listed, std::uint8_t sortOrder) {
  UpdateFileEntry& entry = ctx.state.LUF.current;
  entry = UpdateFileEntry{};
  entry.UPDATEFILE = listed.LONGNAME.trimmed();
  entry.REMOTEKBCOUNT = KilobyteCount(listed.SIZE);
  entry.FTPDIRECTORY = ctx.listedFolder;
  entry.REMOTEBYTECOUNT = listed.SIZE;
  entry.SORTORDER = sortOrder;
  ctx.state.LUF.add();
  ctx.remoteByteTotal += listed.SIZE;
}

}  // namespace

void FindFtpUpdates(FtpRunContext& ctx) {
  ctx.listedFolder = ctx.folders.softwareFolder;
  ctx.listingMode = kListingSoftware;
  ShowTransferStatus(ctx.state, kCheckingSoftwareText);
  RedisplayTransferWindow(ctx.state);
  ctx.downloadedNames = "";
  ctx.lastError = 0;
  QueueFtpUpdates(ctx);

  ShowTransferStatus(ctx.state, kCheckingDatabaseText);
  ctx.listingMode = kListingDatabase;
  ctx.listedFolder = ctx.folders.databaseFolder;
  ctx.lastError = 0;
  QueueFtpUpdates(ctx);
}

void QueueFtpUpdates(FtpRunContext& ctx) {
  ListFtpFolder(ctx);
  ctx.state.LUF.current = UpdateFileEntry{};
  for (const FileListEntry& listed : ctx.listing.entries()) {
    const std::uint8_t sortOrder = ChooseFtpUpdate(listed.LONGNAME.trimmed(), ctx.listingMode, ctx.state);
    if (sortOrder != kSkip) queueEntry(ctx, listed, sortOrder);
  }
  ctx.state.LUF.sort({ascending(&UpdateFileEntry::SORTORDER), descending(&UpdateFileEntry::REMOTEBYTECOUNT)});
}

void ListFtpFolder(FtpRunContext& ctx) {
  ctx.listing.free();
  connectForListing(ctx);
  ShowTransferStatus(ctx.state, kListingText);
  const std::string pattern = ctx.listedFolder + "*.*";
  net::FtpFind find;
  net::FindData found;
  if (ctx.ftp.findFirst(pattern, found, find)) {
    TakeListingEntry(ctx, found);
    while (find.next(found)) TakeListingEntry(ctx, found);
    reportUnlessNoMoreFiles(ctx, inet::kOpFindNextFile);
  } else {
    reportUnlessNoMoreFiles(ctx, inet::kOpFindFirstFile);
  }
  ctx.folderListed = true;
  RedisplayTransferWindow(ctx.state);
}

void TakeListingEntry(FtpRunContext& ctx, const net::FindData& found) {
  const std::string name = UpperName(found.name);
  switch (JudgeListedEntry(name, found.size)) {
    case ListedEntry::Ignored:
      return;
    case ListedEntry::InvalidName:
      services::ShowMessage(services::InvalidRemoteNameText(name), "", services::kMessageWarning, true);
      return;
    case ListedEntry::InvalidSize:
      services::ShowMessage(services::InvalidByteSizeText(name), "", services::kMessageWarning, true);
      return;
    case ListedEntry::Kept:
      break;
  }
  FileListEntry& entry = ctx.listing.current;
  entry = FileListEntry{};
  entry.LONGNAME = name;
  entry.SIZE = static_cast<std::int32_t>(found.size);
  ctx.listing.add();
}

}  // namespace vl::ftp
