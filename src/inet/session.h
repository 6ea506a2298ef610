#pragma once
// Opening, closing and ending a transfer run's Internet session, in the FTP
// and the HTTP form. Calling order within a run: open (once, or again after a
// close), any number of operations on the connection, close, end of run.
//
// Ending a run throws vl::EndRun; the run's entry procedure catches it, and
// only there, through RunUntilEnded:
//
//   int RunFtpTransfer(ProgramState& state) {
//     FtpRunContext ctx(state);               // holds or derives from RunContext
//     ...checks that return early...
//     return inet::RunUntilEnded(ctx, [&] {
//       DoFtpTransfer(ctx);
//       if (ctx.connected()) inet::CloseFtpSession(ctx);
//       inet::EndFtpRun(ctx);
//     });
//   }
#include <functional>

#include "inet/run_context.h"

namespace vl::inet {

// Status line texts of the connect and close steps.
inline constexpr std::string_view kConnectingText = "Connecting to the Internet...";
inline constexpr std::string_view kEstablishingText = "Establishing Internet session...";
inline constexpr std::string_view kEstablishedText = "Internet session established...";
inline constexpr std::string_view kClosingText = "Closing Internet connection...";
inline constexpr std::string_view kNoSessionText =
    "Could not establish an Internet connection to your ISP.||Check your Internet connection settings "
    "and try again|or ensure that you currently have an open connection to the Internet.";

// Host FTP:ADDRESS, port 21, user and password from the settings record,
// passive mode from FTPPASSIVEMODE. Returns with ctx.ftp open; a failure is
// reported (ReportFtpInternetError) and ends the run.
void OpenFtpSession(RunContext& ctx);
// Host STRFTPADDRESS (dial mode kDialHttp) and port 443 with BUSESSL, else
// 80; the connect is tried four times before it is reported. Every report
// asks whether to retry; Yes tries again, No ends the run.
void OpenHttpSession(RunContext& ctx);

// Close the connection, remove the callback, close the session (each handle
// at most once). The FTP form first shows "Closing Internet connection...".
void CloseFtpSession(RunContext& ctx);
void CloseHttpSession(RunContext& ctx);

// End the run, normally or after an error: close the transfer window, change
// back to the saved directory, hang up, runResult := resultCode, and leave to
// the entry procedure (throws vl::EndRun). EndFtpRun leaves handles to the
// caller; EndHttpRun closes the session first.
[[noreturn]] void EndFtpRun(RunContext& ctx);
[[noreturn]] void EndHttpRun(RunContext& ctx);

// The entry procedure's catch: runs `steps`, takes the end of the run
// wherever it comes from, and returns ctx.runResult. A body that returns
// without ending the run returns ctx.resultCode.
int RunUntilEnded(RunContext& ctx, const std::function<void()>& steps);

// The dial rule of the connect steps: unless the dial mode is kDialNever,
// dial when no connection is reported or when a modem that is not busy is
// the connection.
bool ShouldDial(std::uint8_t dialMode, bool connected, std::uint32_t connectedFlags);
// Takes the connected state into connectedFlags and connectedResult and
// dials (through the setup window's handle) when ShouldDial says so.
void DialIfNeeded(RunContext& ctx);

}  // namespace vl::inet
