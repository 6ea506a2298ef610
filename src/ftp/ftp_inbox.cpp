#include "ftp/ftp_inbox.h"

#include <string>

#include "app/transfer_window.h"
#include "data/fixed_paths.h"
#include "platform/fs/files.h"
#include "services/messages.h"

namespace vl::ftp {
namespace {

constexpr std::uint8_t kNotOrdinary = fs::kAttrDirectory | fs::kAttrHidden | fs::kAttrSystem;

}  // namespace

void ListInbox(FtpRunContext& ctx) {
  ctx.inbox.free();
  ctx.localByteTotal = 0;
  for (const fs::FindEntry& found : fs::listFolder(std::string(paths::kInboxDir) + "*.*")) {
    if ((found.attributes & kNotOrdinary) != 0) continue;
    FileListEntry& entry = ctx.inbox.current;
    entry = FileListEntry{};
    entry.LONGNAME = found.longName;
    entry.FILENAME = found.shortName.empty() ? found.longName : found.shortName;
    entry.SIZE = static_cast<std::int32_t>(found.size);
    entry.ATTRIB = found.attributes;
    ctx.inbox.add();
    ctx.localByteTotal += static_cast<std::int64_t>(found.size);
  }
}

void CountInboxFiles(FtpRunContext& ctx) {
  ListInbox(ctx);
  for (std::size_t i = 1; ctx.inbox.get(i); ++i) {
    ctx.inbox.current.LONGNAME = UpperName(ctx.inbox.current.LONGNAME.trimmed());
    ctx.inbox.put();
  }
  ctx.localFileCount = static_cast<std::int16_t>(ctx.inbox.count());
  if (ctx.localFileCount > 0) ctx.inbox.sort({ascending(&FileListEntry::LONGNAME)});
  RedisplayTransferWindow(ctx.state);
}

void ClearInbox(FtpRunContext& ctx) {
  for (const FileListEntry& entry : ctx.inbox.entries()) {
    const std::string path = std::string(paths::kInboxDir) + entry.LONGNAME.str();
    if (fs::deleteFile(path)) continue;
    services::ShowMessage("Error removing the update file:" + path + " from the Inbox directory.", "",
                          services::kMessageError, true);
  }
}

}  // namespace vl::ftp
