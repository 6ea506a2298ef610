#pragma once
// Internet error reporting: the one way a transfer run reports an Internet
// operation that failed for good. The report turns the Windows error number
// into a detail text, shows one message a support technician can quote,
// sets the result code to 2 and, unless the operation is one the run can do
// without (the callback registration and a flag deletion), ends the run.
// The HTTP form first asks whether to retry.
//
// Precondition of both reports: ctx.operationName is set, and the failing
// operation was the last one that set the thread's Windows error number.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "inet/run_context.h"

namespace vl::inet {

// Operation names the callers set.
inline constexpr std::string_view kOpInternetOpen = "InternetOpen";
inline constexpr std::string_view kOpSetStatusCallback = "InternetSetStatusCallback";  // stored cut to 20
inline constexpr std::string_view kOpInternetConnect = "InternetConnect";
inline constexpr std::string_view kOpFindFirstFile = "FTPFindFirstFile";
inline constexpr std::string_view kOpFindNextFile = "InternetFindNextFile";
inline constexpr std::string_view kOpGetFile = "FTPGetFile";
inline constexpr std::string_view kOpDelete = "FTPDelete";
inline constexpr std::string_view kOpPutLog = "FTPPutLog";
inline constexpr std::string_view kOpHttpOpenRequest = "HTTPOpenRequest";
inline constexpr std::string_view kOpHttpSendRequest = "HTTPSendRequest";

inline constexpr std::string_view kReportCaption = "Internet Access Error";
inline constexpr std::string_view kInternetErrorStatus = "Internet error...";

// False for the two operations a run goes on without.
bool EndsRun(std::string_view operationName);

// The detail text for a Windows error number ("" for numbers outside the
// table). For 12003 the server's last response is asked for: its number,
// "|", its text; "Internet path not found." when there is none. Fills the
// response fields of ctx.
std::string InternetErrorDetail(RunContext& ctx, std::uint32_t code);

// FTP form: shows the report (kind 1, caption "Internet Access Error"),
// result code := 2; returns for the two operations the run goes on without,
// else CloseFtpSession + EndFtpRun (does not return).
void ReportFtpInternetError(RunContext& ctx);
// HTTP form: asks "Do you want to retry...?". Yes: the status line is put
// back and true is returned (the result code is left as it was). No: result
// code := 2; returns false for the two operations the run goes on without,
// else EndHttpRun (does not return).
bool ReportHttpInternetError(RunContext& ctx);

// --- attempt counting -------------------------------------------------------

// Counts one failed try of the current operation; true once the counter
// exceeds the attempt limit, when the failure is to be reported.
bool CountFailedAttempt(RunContext& ctx);

// Runs `operation` until it succeeds; the fourth failure is reported under
// `operationName` with ReportFtpInternetError. Returns true on success, false
// after a report that let the run go on. The counter starts at 0.
bool TryFtpOperation(RunContext& ctx, std::string_view operationName,
                     const std::function<net::InetResult()>& operation);
// The same with ReportHttpInternetError: after the fourth failure every
// further failure is reported again, and the operation is tried again as
// long as the answer is Yes. False when declined for an operation the run
// goes on without.
bool TryHttpOperation(RunContext& ctx, std::string_view operationName,
                      const std::function<net::InetResult()>& operation);

}  // namespace vl::inet
