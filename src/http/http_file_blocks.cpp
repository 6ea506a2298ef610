// The engine's two companions that touch local files: the download written
// block by block, and the upload body read from a file.
#include <span>
#include <string>

#include "http/http_request_engine.h"
#include "inet/session.h"
#include "platform/fs/files.h"
#include "services/data_file_open.h"
#include "services/file_details.h"
#include "services/messages.h"

namespace vl::http {
namespace {

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
  return s;
}

std::string blockText(const HttpRunContext& ctx) {
  return std::string(reinterpret_cast<const char*>(ctx.state.DOS.FILEBUFFER.data()), ctx.blockFill);
}

// The server's in-band refusal. A missing file is passed over in silence;
// anything else is shown and then written like data (the size check follows).
// False when the block is to be dropped.
bool acceptBlock(const HttpRunContext& ctx) {
  const std::string text = blockText(ctx);
  if (text.compare(0, 6, "ERROR:") != 0) return true;
  const std::string_view shown = trimRight(text);
  // Only while nothing is written: a later block that merely starts with
  // the text is part of a file and must not leave that file half done.
  if (!ctx.dosFile.isOpen() && shown.find(kMissingFileReply) != std::string_view::npos) return false;
  services::ShowMessage(shown, "", services::kMessageWarning, true);
  return true;
}

void openDownloadFile(HttpRunContext& ctx) {
  const std::string localPath = ctx.localPath.str();
  std::string name = localPath;
  if (ctx.inRun) {
    name = TemporaryDownloadName(localPath);
    // Whatever holds the name goes first, also a link that leads nowhere.
    (void)fs::deleteFile(name);
  }
  ctx.dosFile.setName(name);
  services::OpenDataFile(ctx.dosFile);
}

[[noreturn]] void rollBack(HttpRunContext& ctx, const std::string& temporary, std::uint64_t localSize) {
  services::ShowMessage("Incoming Internet file byte mismatch.||File: " + temporary +
                            "|Local byte size: " + ByteCountField(static_cast<std::int64_t>(localSize)) +
                            "|Remote byte size: " + ByteCountField(ctx.state.LUF.current.REMOTEBYTECOUNT) +
                            "||The file will not be downloaded and this update will be rolled back.",
                        "", services::kMessageWarning, true);
  fs::deleteFile(temporary);
  // Nothing of the inbox may be installed after a rolled-back update.
  ctx.resultCode = inet::kResultNotDone;
  inet::EndHttpRun(ctx);
}

void finishDownload(HttpRunContext& ctx) {
  const std::string temporary = ctx.dosFile.name();
  ctx.dosFile.close();
  if (!ctx.inRun) return;
  std::string date;
  std::string time;
  std::uint32_t size = 0;
  services::GetFileDetails(temporary, date, time, size);
  const auto fullSize = fs::fileSize(temporary);
  const std::uint64_t localSize = fullSize ? *fullSize : size;
  if (localSize != static_cast<std::uint64_t>(ctx.state.LUF.current.REMOTEBYTECOUNT))
    rollBack(ctx, temporary, localSize);
  if (!fs::renameFile(temporary, ctx.localPath.trimmed()))
    services::ShowMessage("Error renaming the downloaded file: " + temporary, "", services::kMessageError, true);
}

}  // namespace

void WriteDownloadBlock(HttpRunContext& ctx) {
  if (!acceptBlock(ctx)) return;
  if (!ctx.dosFile.isOpen()) openDownloadFile(ctx);
  const std::span<const std::uint8_t> bytes(ctx.state.DOS.FILEBUFFER.data(), ctx.blockFill);
  if (!ctx.dosFile.append(bytes)) {
    services::ShowMessage("Error writing the local file:|" + ctx.localPath.str(), "", services::kMessageError, true);
    ctx.dosFile.close();
    return;
  }
  if (ctx.lastBlock) finishDownload(ctx);
}

void BuildUploadBody(HttpRunContext& ctx) {
  const std::string boundary = DrawBoundary();
  ctx.headerText = std::string(kMultipartHeader) + boundary;
  ctx.headerLength = static_cast<std::uint32_t>(kMultipartHeader.size() + boundary.size());
  const std::string folder = ctx.state.LUF.current.FTPDIRECTORY.str();
  const std::string name = ctx.state.LUF.current.UPDATEFILE.str();
  const std::string tail = "\r\n--" + boundary + "--\r\n";
  std::string head = UploadBody(boundary, folder, name, "");
  head.resize(head.size() - tail.size());

  std::string fileBytes;
  ctx.dosFile.close();
  ctx.dosFile.setName(ctx.localPath.str());
  bool readOk = ctx.dosFile.open(records::Access::ReadWriteDenyWrite) && ctx.dosFile.setToStart();
  std::vector<std::uint8_t> block(ctx.blockSize);
  while (readOk && fileBytes.size() <= kBodyLimit) {
    if (!ctx.dosFile.next(block)) {
      readOk = ctx.dosFile.errorCode() == records::kRecordNotAvailable;
      break;
    }
    fileBytes.append(reinterpret_cast<const char*>(block.data()), ctx.dosFile.lastReadSize());
  }
  ctx.dosFile.close();
  if (!readOk || head.size() + fileBytes.size() + tail.size() > kBodyLimit) {
    services::ShowMessage("Error reading input file:|" + ctx.localPath.str(), "", services::kMessageError, true);
    ctx.requestBody = head;
    return;
  }
  ctx.requestBody = head + fileBytes + tail;
}

}  // namespace vl::http
