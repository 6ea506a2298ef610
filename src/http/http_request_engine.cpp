// SendHttpRequest: one request of the file service, from opening it to the
// handling of its reply.
#include "http/http_request_engine.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/transfer_window.h"
#include "http/http_listing.h"
#include "inet/error_report.h"
#include "inet/session.h"
#include "platform/base/errors.h"
#include "platform/fs/files.h"
#include "services/messages.h"

namespace vl::http {
namespace {

const std::vector<std::string> kAcceptTypes{"text/html"};

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool isKind(const HttpRunContext& ctx, std::string_view kind) { return ctx.requestKind == kind; }

void resetMarks(HttpRunContext& ctx) {
  ctx.gotData = false;
  ctx.done = false;
  ctx.lastInternetError = 0;
  ctx.responseText.clear();
  ctx.blockFill = 0;
  ctx.bytesReceived = 0;
  ctx.requestBody.clear();
}

// Status text, verb, object name, transfer phase and headers of the kind.
void prepareRequest(HttpRunContext& ctx) {
  const bool post = isKind(ctx, kPutFile);
  if (post) ShowTransferStatus(ctx.state, "Uploading file...");
  if (isKind(ctx, kGetFile)) {
    ShowTransferStatus(ctx.state, "Downloading file...");
    ctx.state.DOS.FILEBUFFER.fill(0);
    ctx.lastBlock = false;
  }
  if (isKind(ctx, kListFolder)) ShowTransferStatus(ctx.state, "Listing remote directory...");
  ctx.verb = post ? "POST" : "GET";
  ctx.objectName = ObjectNameFor(ctx.requestKind.trimmed(), ctx.listedFolder.trimmed(), ctx.remotePath.trimmed());
  ctx.state.transferPhase = post ? kPhaseSending : kPhaseReceiving;
  if (!post) {
    ctx.headerText = kPlainHeader;
    ctx.headerLength = static_cast<std::uint32_t>(kPlainHeader.size());
  }
  ctx.state.bytesSoFar = 0;
}

// A download broken off before its end must not stay open or half written.
void discardPartialDownload(HttpRunContext& ctx) {
  if (!ctx.dosFile.isOpen()) return;
  const std::uint32_t error = platform::lastWinError();
  ctx.dosFile.close();
  fs::deleteFile(ctx.dosFile.name());
  platform::setLastWinError(error);
}

void collectDownloadBytes(HttpRunContext& ctx, const char* bytes, std::size_t count) {
  while (count > 0) {
    const std::size_t take = std::min<std::size_t>(count, ctx.blockSize - ctx.blockFill);
    std::memcpy(ctx.state.DOS.FILEBUFFER.data() + ctx.blockFill, bytes, take);
    ctx.blockFill += static_cast<std::uint32_t>(take);
    bytes += take;
    count -= take;
    if (ctx.blockFill == ctx.blockSize) {
      WriteDownloadBlock(ctx);
      ctx.blockFill = 0;
    }
  }
}

void collectResponseBytes(HttpRunContext& ctx, const char* bytes, std::size_t count) {
  if (ctx.responseText.size() + count > kResponseLimit) {
    ctx.responseText = "The server's reply is longer than " + WithThousands(kResponseLimit) + " bytes.";
    ReportHttpTransactionError(ctx);
  }
  ctx.responseText.append(bytes, count);
}

// Reads the reply to its end. False (with the operation name set) when a
// read fails. A download in the run stops receiving once it has more bytes
// than listed: the size check that follows fails without filling the disk.
bool readReply(HttpRunContext& ctx) {
  std::vector<char> buffer(kBlockSize);
  for (;;) {
    std::size_t count = 0;
    if (!ctx.request.read(buffer.data(), buffer.size(), count)) {
      ctx.operationName = kOpReadFile;
      return false;
    }
    if (count == 0) return true;
    ctx.gotData = true;
    if (!isKind(ctx, kGetFile)) {
      collectResponseBytes(ctx, buffer.data(), count);
      continue;
    }
    // One byte past the listed size is all the size check needs to fail;
    // whatever else the server sends is never written.
    const auto listed = static_cast<std::uint64_t>(std::max<std::int32_t>(0, ctx.state.LUF.current.REMOTEBYTECOUNT));
    if (ctx.inRun) count = static_cast<std::size_t>(std::min<std::uint64_t>(count, listed + 1 - ctx.bytesReceived));
    collectDownloadBytes(ctx, buffer.data(), count);
    ctx.bytesReceived += count;
    if (ctx.inRun && ctx.bytesReceived > listed) return true;
  }
}

// A reply other than 2xx is the server's refusal, never file data.
void checkStatusCode(HttpRunContext& ctx) {
  const int status = ctx.request.statusCode();
  if (status >= 200 && status < 300) return;
  ctx.responseText = "The server answered with HTTP status " + std::to_string(status) + ".";
  ReportHttpTransactionError(ctx);
}

// One try of open, send and read. False, with the operation name set, when
// one of them failed.
bool exchange(HttpRunContext& ctx) {
  net::InetResult opened = ctx.http.openRequest(ctx.request, ctx.verb.trimmed(), ctx.objectName.trimmed(),
                                                kHttpVersion, "", kAcceptTypes, RequestFlags(ctx.port));
  ShowTransferStatus(ctx.state, "Waiting for server response...");
  if (!opened) {
    ctx.operationName = inet::kOpHttpOpenRequest;
    return false;
  }
  // Whatever holds the local name goes, also a link that leads nowhere.
  if (isKind(ctx, kGetFile)) (void)fs::deleteFile(ctx.localPath.trimmed());
  if (isKind(ctx, kPutFile)) BuildUploadBody(ctx);
  net::InetResult sent = ctx.request.send(std::string_view(ctx.headerText.trimmed()).substr(0, ctx.headerLength),
                                          ctx.requestBody);
  ctx.sendResult = sent ? 1 : 0;
  if (!sent) {
    ctx.operationName = inet::kOpHttpSendRequest;
    return false;
  }
  checkStatusCode(ctx);
  return readReply(ctx);
}

void handleReply(HttpRunContext& ctx) {
  // An empty folder replies nothing; it is still parsed, so that the
  // previous folder's entries are not filtered again.
  if (!ctx.gotData && !isKind(ctx, kListFolder)) {
    ctx.responseText = kNoDataText;
    ReportHttpTransactionError(ctx);
  }
  if (isKind(ctx, kPutFile)) {
    if (trimRight(ctx.responseText) != "OK") ReportHttpTransactionError(ctx);
  } else if (isKind(ctx, kGetFile)) {
    ctx.lastBlock = true;
    WriteDownloadBlock(ctx);
  } else if (isKind(ctx, kListFolder)) {
    ParseHttpListing(ctx);
  } else if (isKind(ctx, kGetDateTime)) {
    ShowServerTime(ctx);
  }
}

}  // namespace

void SendHttpRequest(HttpRunContext& ctx) {
  ctx.attempts = 0;
  for (;;) {
    resetMarks(ctx);
    prepareRequest(ctx);
    if (exchange(ctx)) break;
    discardPartialDownload(ctx);
    if (!inet::CountFailedAttempt(ctx)) continue;
    // Every operation here ends the run when the retry is declined.
    inet::ReportHttpInternetError(ctx);
  }
  handleReply(ctx);
  ctx.done = true;
}

void ReportHttpTransactionError(HttpRunContext& ctx) {
  ShowTransferStatus(ctx.state, "HTTP transaction error...");
  const std::string_view reply = trimRight(std::string_view(ctx.responseText).substr(0, kBlockSize));
  services::ShowMessage("||Error: " + std::to_string(ctx.sendResult) + "|Internet request: " +
                            std::string(ctx.requestKind.data(), 12) + "||" + std::string(reply),
                        kTransactionCaption, services::kMessageWarning, false);
  ctx.resultCode = inet::kResultNotDone;
  inet::EndHttpRun(ctx);
}

void ShowServerTime(HttpRunContext& ctx) {
  services::ShowMessage("The Vorlan internet server time is:" + ctx.responseText, "",
                        services::kMessageInformation, true);
}

}  // namespace vl::http
