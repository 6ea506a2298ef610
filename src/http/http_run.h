#pragma once
// The HTTP transfer run: the entry the Download command calls when the
// protocol is HTTP. Returns 0 done (also when nothing was due), 1 not
// configured, cancelled, refused by the server or rolled back after a byte
// mismatch, 2 ended by an Internet error the user chose not to retry.
#include <string_view>

#include "data/program_state.h"
#include "http/http_run_context.h"

namespace vl {

int RunHttpTransfer(ProgramState& state);

}  // namespace vl

namespace vl::http {

inline constexpr std::string_view kQuillanNote =
    "Note: Quillan client detected|The cryptography DLLs ((LIBCRYPTO-1_1.DLL|LIBSSL-1_1.DLL)| will not be "
    "downloaded";
inline constexpr std::string_view kNotRegisteredText =
    "This system is not registered for Internet transfers.||Contact your software supplier.";
inline constexpr std::string_view kNothingDueText = "No Internet updates were found for this POS location.";
inline constexpr std::string_view kCompleteCaption = "Internet Data Transfer";

// The steps of the run, each on the run's context.
void ClearHttpInbox(HttpRunContext& ctx);
void DownloadHttpUpdates(HttpRunContext& ctx);
void GetHttpFile(HttpRunContext& ctx, std::size_t row);
void SumInboxFiles(HttpRunContext& ctx, std::string_view folder);
void ShowTransferComplete(HttpRunContext& ctx);

// "/FTP/ASP/" + the client part of the cloud folder (before its first "/")
// + "/BIN/", upper case.
std::string SoftwareFolderOf(std::string_view localFtp);

}  // namespace vl::http
