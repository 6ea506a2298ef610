// RunHttpTransfer: checks, the transfer window and its events.
#include "http/http_run.h"

#include <cctype>

#include "app/transfer_window.h"
#include "data/day_number.h"
#include "data/fixed_paths.h"
#include "http/http_listing.h"
#include "inet/session.h"
#include "platform/fs/files.h"
#include "platform/sys/system.h"
#include "services/messages.h"

namespace vl::http {
namespace {

std::string upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

void listInbox(HttpRunContext& ctx, std::string_view folder) {
  ctx.inboxListing.free();
  for (const fs::FindEntry& found : fs::listFolder(std::string(folder) + "*.*")) {
    if (found.attributes & (fs::kAttrHidden | fs::kAttrSystem | fs::kAttrDirectory)) continue;
    FileListEntry& e = ctx.inboxListing.current;
    e = FileListEntry{};
    e.LONGNAME = found.longName;
    e.FILENAME = found.shortName.empty() ? found.longName : found.shortName;
    e.SIZE = static_cast<std::int32_t>(found.size & 0xffffffffu);
    e.ATTRIB = found.attributes;
    ctx.inboxListing.add();
  }
}

void prepareRun(HttpRunContext& ctx) {
  ProgramState& s = ctx.state;
  s.StatusPictures = {FixedText<29>(kGreenBall), FixedText<29>(kBlueBall), FixedText<29>(kRedBall),
                      FixedText<29>(kYellowBall)};
  ctx.retryLimit = inet::kAttemptLimit;
  ctx.blockSize = kBlockSize;
  const fs::CalendarTime now = sys::localNow();
  ctx.startClock = timeOfDay(now.hour, now.minute, now.second, now.millisecond / 10);
  const std::string local(s.FTP.LOCALFTP.trimmed());
  ctx.logFolder = "/FTP/ASP/" + local + "/FTPLog/";
  ctx.softwareFolder = SoftwareFolderOf(local);
  ctx.databaseFolder = "/FTP/ASP/" + local + "/Updates/";
  ctx.globalDatabaseFolder = "/FTP/ASP/" + s.FTP.GLOBALFTP.str() + "/Updates/";
  ctx.updateMarkerFile = std::string(paths::kInboxDir) + "\\" + std::string(paths::kUpdateMarkerFileName);
  listInbox(ctx, paths::kInboxDir);
  ClearHttpInbox(ctx);
  ctx.dialMode = inet::kDialHttp;
  ctx.listing.free();
  s.LUF.free();
  s.LUF.current = UpdateFileEntry{};
  ctx.remoteBytes = 0;
  s.PRGFTP = 0;
  const std::string id = std::to_string(s.LOCATIONID);
  ctx.softwareFlag = "SWUPD" + id + ".TXT";
  ctx.databaseFlag = "POSID" + id + ".TPS";
  ctx.databaseFlagText = "POSID" + id + ".TXT";
}

void clearMarks(ProgramState& s, std::uint8_t mark) {
  for (std::size_t i = 1; i <= s.LUF.count(); ++i) {
    s.LUF.get(i);
    s.LUF.current.MARK = mark;
    s.LUF.put();
  }
}

// Connects and discovers; false when the download is to start at once.
bool openedWindow(HttpRunContext& ctx) {
  ProgramState& s = ctx.state;
  if (!ctx.http.isOpen()) inet::OpenHttpSession(ctx);
  if (!ctx.http.isOpen()) inet::EndHttpRun(ctx);
  FindHttpUpdates(ctx);
  ShowTransferStatus(s, "");
  RedisplayTransferWindow(s);
  if (!s.BPREVIEWUPDATELIST) return false;
  ShowTransferReview(s, true);
  if (s.BMULTIPLESELECTION) SetTransferListMarks(s, true);
  RedisplayTransferWindow(s);
  return true;
}

void sortList(ProgramState& s) {
  if (s.BSORTORDER == kSortByName)
    s.LUF.sort({ascending(&UpdateFileEntry::UPDATEFILE)});
  else
    s.LUF.sort({ascending(&UpdateFileEntry::REMOTEKBCOUNT)});
  RedisplayTransferWindow(s);
}

// Handles one pressed control; true when the event loop is to end.
bool accepted(HttpRunContext& ctx, int control) {
  ProgramState& s = ctx.state;
  switch (control) {
    case transfer::kContinue:
      DownloadHttpUpdates(ctx);
      return true;
    case transfer::kCancel:
      ctx.resultCode = inet::kResultNotDone;
      return true;
    case transfer::kMultipleSelection:
      clearMarks(s, 0);
      SetTransferListMarks(s, s.BMULTIPLESELECTION != 0);
      RedisplayTransferWindow(s);
      return false;
    case transfer::kSelectAll:
    case transfer::kDeselectAll:
      clearMarks(s, control == transfer::kSelectAll ? 1 : 0);
      RedisplayTransferWindow(s);
      return false;
    case transfer::kSortOrder:
    case transfer::kSizeRadio:
    case transfer::kNameRadio:
      sortList(s);
      return false;
    default:
      return false;
  }
}

void runWindow(HttpRunContext& ctx) {
  ui::Window& window = OpenTransferWindow(ctx.state, TransferProtocol::Http);
  for (ui::Event event = window.accept(); event; event = window.accept()) {
    if (event.kind == ui::EventKind::OpenWindow) {
      if (!openedWindow(ctx)) {
        DownloadHttpUpdates(ctx);
        return;
      }
    } else if (event.kind == ui::EventKind::Accepted) {
      if (accepted(ctx, event.control)) return;
    } else if (event.kind == ui::EventKind::CloseWindow) {
      // Closing the window is a Cancel: nothing may be installed.
      ctx.resultCode = inet::kResultNotDone;
      return;
    }
  }
}

}  // namespace

std::string SoftwareFolderOf(std::string_view localFtp) {
  while (!localFtp.empty() && localFtp.back() == ' ') localFtp.remove_suffix(1);
  return upper("/FTP/ASP/" + std::string(localFtp.substr(0, localFtp.find('/'))) + "/BIN/");
}

void ClearHttpInbox(HttpRunContext& ctx) {
  for (const FileListEntry& entry : ctx.inboxListing.entries()) {
    ctx.state.WorkFileName = std::string(paths::kInboxDir) + entry.LONGNAME.str();
    if (!fs::deleteFile(ctx.state.WorkFileName.trimmed()))
      services::ShowMessage("Error removing the update file:" + ctx.state.WorkFileName.str() + " from the Inbox directory.",
                            "", services::kMessageError, true);
  }
}

int RunHttp(ProgramState& state) {
  HttpRunContext ctx(state);
  ctx.runResult = inet::kResultDone;
  ctx.registrationMark = 1;
  const std::string_view wholeFolder = state.FTP.LOCALFTP.whole();
  if (wholeFolder.find("QUILLAN") != std::string_view::npos) {
    services::ShowMessage(kQuillanNote, "", services::kMessageInformation, true);
    ctx.runDllList = QuillanDllList();
  } else {
    ctx.runDllList = std::string(kFullDllList);
  }
  if (state.FTP.LOCALFTP.blank()) {
    services::ShowMessage(kNotRegisteredText, "", services::kMessageWarning, true);
    return inet::kResultNotDone;
  }
  prepareRun(ctx);
  return inet::RunUntilEnded(ctx, [&] {
    runWindow(ctx);
    if (ctx.connected()) inet::CloseHttpSession(ctx);
    inet::EndHttpRun(ctx);
  });
}

}  // namespace vl::http

namespace vl {

int RunHttpTransfer(ProgramState& state) { return http::RunHttp(state); }

}  // namespace vl
