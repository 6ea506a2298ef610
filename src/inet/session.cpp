#include "inet/session.h"

#include "app/transfer_window.h"
#include "data/control_flow.h"
#include "inet/error_report.h"
#include "inet/status_callback.h"
#include "platform/base/errors.h"
#include "platform/fs/paths.h"
#include "platform/ui/backend.h"
#include "services/messages.h"

namespace vl::inet {
namespace {

constexpr int kFtpPort = 21;
constexpr int kHttpPort = 80;
constexpr int kHttpsPort = 443;
constexpr std::uint32_t kHttpConnectTimeoutMs = 3000;

// The message comes before the report, which must still see the error of
// the failed open.
void showNoSessionMessage() {
  const std::uint32_t error = platform::lastWinError();
  services::ShowMessage(kNoSessionText, "", services::kMessageWarning, true);
  platform::setLastWinError(error);
}

void takeAccount(RunContext& ctx) {
  ctx.user = ctx.state.FTP.USERNAME.trimmed();
  ctx.password = ctx.state.FTP.PASSWORD.trimmed();
}

// Steps 1 to 4 of both connect steps.
void beginOpen(RunContext& ctx) {
  ctx.ftp.close();
  ctx.http.close();
  ShowTransferStatus(ctx.state, kConnectingText);
  DialIfNeeded(ctx);
  ShowTransferStatus(ctx.state, kEstablishingText);
  ctx.session.close();
}

// Registers the callback; a refusal is reported and the connect goes on.
template <class Report>
void registerCallback(RunContext& ctx, Report report) {
  ctx.callbackRegistered = static_cast<bool>(ctx.session.setStatusCallback(TransferStatusCallbackFor(ctx.state)));
  if (ctx.callbackRegistered) return;
  ctx.operationName = kOpSetStatusCallback;
  report(ctx);
}

void finishOpen(RunContext& ctx) {
  ShowTransferStatus(ctx.state, kEstablishedText);
  RedisplayTransferWindow(ctx.state);
}

void closeHandles(RunContext& ctx) {
  ctx.ftp.close();
  ctx.http.close();
  if (ctx.session.isOpen()) {
    // Removed before the session goes; the connection's closing notices
    // above have still reached it.
    (void)ctx.session.setStatusCallback({});
    ctx.session.close();
  }
  ctx.callbackRegistered = false;
}

[[noreturn]] void endRun(RunContext& ctx) {
  CloseTransferWindow(ctx.state);
  fs::setCurrentDirectory(ctx.savedDirectory);
  RedisplayTransferWindow(ctx.state);
  ui::yieldToWindows();
  net::autodialHangup();
  ctx.runResult = ctx.resultCode;
  throw EndRun{};
}

}  // namespace

bool ShouldDial(std::uint8_t dialMode, bool connected, std::uint32_t connectedFlags) {
  if (dialMode == kDialNever) return false;
  const bool idleModem =
      (connectedFlags & net::kConnectionModem) != 0 && (connectedFlags & net::kConnectionModemBusy) == 0;
  return !connected || idleModem;
}

void DialIfNeeded(RunContext& ctx) {
  ctx.connectedFlags = 0;
  ctx.connectedResult = net::getConnectedState(ctx.connectedFlags) ? 1 : 0;
  if (ShouldDial(ctx.dialMode, ctx.connectedResult != 0, ctx.connectedFlags)) {
    net::autodial(net::kAutodialForceOnline, static_cast<std::uintptr_t>(ctx.state.MainWindowHandle));
  }
}

void OpenFtpSession(RunContext& ctx) {
  beginOpen(ctx);
  if (!ctx.session.open()) {
    showNoSessionMessage();
    ctx.operationName = kOpInternetOpen;
    ReportFtpInternetError(ctx);
  }
  ctx.host = ctx.state.FTP.ADDRESS.trimmed();
  ctx.port = kFtpPort;
  takeAccount(ctx);
  ctx.service = kServiceFtp;
  ctx.connectFlags = ctx.state.FTPPASSIVEMODE != 0 ? net::kFlagPassive : 0;
  registerCallback(ctx, ReportFtpInternetError);
  ctx.context = 1;
  if (!ctx.ftp.connect(ctx.session, ctx.host.trimmed(), static_cast<int>(ctx.port), ctx.user.trimmed(),
                       ctx.password.trimmed(), ctx.connectFlags)) {
    ctx.operationName = kOpInternetConnect;
    ReportFtpInternetError(ctx);
  }
  finishOpen(ctx);
}

void OpenHttpSession(RunContext& ctx) {
  beginOpen(ctx);
  // Yes to the report of a failed open means: open again.
  while (!ctx.session.open()) {
    showNoSessionMessage();
    ctx.operationName = kOpInternetOpen;
    ReportHttpInternetError(ctx);
  }
  (void)ctx.session.setOption(net::kOptionConnectTimeout, kHttpConnectTimeoutMs);
  const bool fromSetupWindow = ctx.dialMode == kDialHttp;
  ctx.host = fromSetupWindow ? ctx.state.STRFTPADDRESS.trimmed() : ctx.state.FTP.ADDRESS.trimmed();
  ctx.port = ctx.state.BUSESSL != 0 ? kHttpsPort : kHttpPort;
  takeAccount(ctx);
  ctx.service = kServiceHttp;
  ctx.connectFlags = 0;
  registerCallback(ctx, ReportHttpInternetError);
  ctx.context = 1;
  TryHttpOperation(ctx, kOpInternetConnect, [&ctx] {
    return ctx.http.connect(ctx.session, ctx.host.trimmed(), static_cast<int>(ctx.port), ctx.user.trimmed(),
                            ctx.password.trimmed(), ctx.connectFlags);
  });
  finishOpen(ctx);
}

void CloseFtpSession(RunContext& ctx) {
  ShowTransferStatus(ctx.state, kClosingText);
  closeHandles(ctx);
}

void CloseHttpSession(RunContext& ctx) { closeHandles(ctx); }

void EndFtpRun(RunContext& ctx) { endRun(ctx); }

void EndHttpRun(RunContext& ctx) {
  closeHandles(ctx);
  endRun(ctx);
}

int RunUntilEnded(RunContext& ctx, const std::function<void()>& steps) {
  try {
    steps();
  } catch (const EndRun&) {
    return ctx.runResult;
  }
  return ctx.resultCode;
}

}  // namespace vl::inet
