#include "inet/error_report.h"

#include <string>

#include "app/transfer_window.h"
#include "inet/session.h"
#include "platform/base/errors.h"
#include "platform/fs/paths.h"
#include "services/messages.h"

namespace vl::inet {
namespace {

constexpr std::string_view kFtpOpening =
    "The system has detected an Internet connection error.|Contact your system administrator and quote the "
    "following message:";
constexpr std::string_view kHttpOpening = "An Internet connection error has been detected:";
constexpr std::string_view kDirectoryLine = "||Currrent database directory:|";
constexpr std::string_view kRetryQuestion = "||Do you want to retry the internet operation?|";
constexpr std::string_view kPathNotFound = "Internet path not found.";

struct DetailEntry {
  std::uint32_t code;
  std::string_view text;
};

constexpr DetailEntry kDetails[] = {
    {net::kErrorInternetTimeout, "Internet timeout error.|The internet server may be down.||Try connecting again later."},
    {net::kErrorInternetNameNotResolved,
     "Internet name not resolved.|The internet server may be down.||Try connecting again later."},
    {net::kErrorInternetIncorrectPassword, "Invalid Internet logon password."},
    {net::kErrorInternetCannotConnect, "Cannot connect to the internet."},
    {net::kErrorInternetConnectionReset, "The internet connection was reset."},
    {12159, "Internet TCP/IP not installed."},
    {net::kErrorInternetDisconnected,
     "Internet disconnected.||Ensure that you have a current open connection to the internet."},
    {12164, "Internet server unreachable."},
    {12165, "Internet proxy server unreachable."},
};

std::string lastResponseDetail(RunContext& ctx) {
  net::LastResponse response;
  if (!net::lastResponseInfo(response)) return std::string(kPathNotFound);
  ctx.responseError = response.error;
  ctx.responseText = response.text;
  ctx.responseLength = static_cast<std::uint32_t>(ctx.responseText.trimmed().size());
  return std::to_string(ctx.responseError) + "|" + std::string(ctx.responseText.trimmed());
}

// Steps 2 to 5 of the report: error number, detail, message line, and the
// text of the box (without the HTTP question).
std::string composeReport(RunContext& ctx, std::uint32_t code, std::string_view opening) {
  ctx.lastError = code;
  ctx.detailText = InternetErrorDetail(ctx, code);
  const SettingsRecord& settings = ctx.state.FTP;
  ctx.messageLine = "||Error: " + std::to_string(code) + " " + std::string(ctx.operationName.trimmed()) + "|" +
                    std::string(ctx.detailText.trimmed()) + "|Server address:" +
                    std::string(settings.ADDRESS.data(), decltype(settings.ADDRESS)::kWidth);
  return std::string(opening) + std::string(ctx.messageLine.trimmed()) + std::string(kDirectoryLine) +
         fs::fullPath(fs::currentDirectory());
}

// Tries until success; past the attempt limit every failure is reported,
// and the report says whether to try again.
bool tryUntilGivenUp(RunContext& ctx, std::string_view operationName,
                     const std::function<net::InetResult()>& operation,
                     const std::function<bool(RunContext&)>& reportAndRetry) {
  ctx.attempts = 0;
  while (!operation()) {
    if (!CountFailedAttempt(ctx)) continue;
    ctx.operationName = operationName;
    if (!reportAndRetry(ctx)) return false;
  }
  return true;
}

}  // namespace

bool EndsRun(std::string_view operationName) {
  const FixedText<20> name(operationName);
  return !(name == FixedText<20>(kOpSetStatusCallback) || name == kOpDelete);
}

std::string InternetErrorDetail(RunContext& ctx, std::uint32_t code) {
  if (code == net::kErrorInternetExtendedError) return lastResponseDetail(ctx);
  for (const DetailEntry& d : kDetails) {
    if (d.code == code) return std::string(d.text);
  }
  return {};
}

void ReportFtpInternetError(RunContext& ctx) {
  const std::uint32_t code = platform::lastWinError();
  ShowTransferStatus(ctx.state, kInternetErrorStatus);
  const std::string text = composeReport(ctx, code, kFtpOpening);
  services::ShowMessage(text, kReportCaption, services::kMessageWarning, false);
  ctx.resultCode = kResultInternetError;
  if (!EndsRun(ctx.operationName.trimmed())) return;
  CloseFtpSession(ctx);
  EndFtpRun(ctx);
}

bool ReportHttpInternetError(RunContext& ctx) {
  const std::uint32_t code = platform::lastWinError();
  ctx.savedStatus = ctx.state.STRFTPSTATUS;
  ShowTransferStatus(ctx.state, kInternetErrorStatus);
  const std::string text = composeReport(ctx, code, kHttpOpening) + std::string(kRetryQuestion);
  if (services::AskYesNo(text, "", true, services::kButtonYes, true)) {
    ShowTransferStatus(ctx.state, ctx.savedStatus.trimmed());
    return true;
  }
  ctx.resultCode = kResultInternetError;
  if (!EndsRun(ctx.operationName.trimmed())) return false;
  EndHttpRun(ctx);
}

bool CountFailedAttempt(RunContext& ctx) {
  ++ctx.attempts;
  return ctx.attempts > ctx.attemptLimit;
}

bool TryFtpOperation(RunContext& ctx, std::string_view operationName,
                     const std::function<net::InetResult()>& operation) {
  return tryUntilGivenUp(ctx, operationName, operation, [](RunContext& c) {
    ReportFtpInternetError(c);
    return false;
  });
}

bool TryHttpOperation(RunContext& ctx, std::string_view operationName,
                      const std::function<net::InetResult()>& operation) {
  return tryUntilGivenUp(ctx, operationName, operation, ReportHttpInternetError);
}

}  // namespace vl::inet
