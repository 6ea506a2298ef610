#pragma once
// The HTTP request engine: every request of an HTTP run goes through
// SendHttpRequest, over the connection OpenHttpSession opened. The caller
// fills the fields its request kind needs (remote path, listed folder or
// local path; for putFile also LUF:FTPDIRECTORY and LUF:UPDATEFILE in the
// update-file list's record buffer), sets ctx.requestKind, calls, then tests
// ctx.done. Replies land in ctx.responseText (and the listing queue for
// listFolder); a getFile reply is streamed to disk in 65,536-byte blocks.
//
// Ending failures (a reply the engine cannot accept, a byte mismatch, an
// Internet error not retried) end the run from inside the engine: the call
// does not return then. An open, send or read that fails is tried four times,
// then reported with the retry question; Yes tries again, so a request that
// returns has been carried out and ctx.done is set.
#include <cstdint>
#include <string>
#include <string_view>

#include "http/http_run_context.h"

namespace vl::http {

inline constexpr std::string_view kServicePrefix = "/kwsync/";
inline constexpr std::string_view kHttpVersion = "HTTP/1.0";
inline constexpr std::string_view kPlainHeader = "Content-Type:Text/Plain";
inline constexpr std::string_view kMultipartHeader = "Content-Type: multipart/form-data; boundary=";
inline constexpr std::string_view kNoDataText = "No data was read from the server.";
inline constexpr std::string_view kTransactionCaption = "HTTP Transaction Error";
inline constexpr std::string_view kMissingFileReply = "ERROR:Specified file does not exist";
// Operation name of a reply that broke off while it was read.
inline constexpr std::string_view kOpReadFile = "InternetReadFile";

void SendHttpRequest(HttpRunContext& ctx);
// Writes the collected block; on the last block closes the file and, in the
// download loop, checks the size and renames the file into place.
void WriteDownloadBlock(HttpRunContext& ctx);
// Builds the multipart body of a putFile and its header text.
void BuildUploadBody(HttpRunContext& ctx);
[[noreturn]] void ReportHttpTransactionError(HttpRunContext& ctx);
void ShowServerTime(HttpRunContext& ctx);

// --- the wire format, for the engine and its tests ---

// A query value with the characters that would change the request's meaning
// percent-encoded: blank, control characters, '#', '%', '&', '+', '?' and
// every byte outside ASCII. '/' stays as it is.
std::string EncodeQueryValue(std::string_view value);
// The object name (path and query) of a request kind, cut to 254 characters
// (never inside an escape).
std::string ObjectNameFor(std::string_view requestKind, std::string_view listedFolder,
                          std::string_view remotePath);
// INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, plus SECURE on 443.
std::uint32_t RequestFlags(std::uint32_t port);
// 27 hyphens and five random numbers from 1000 to 9999: 47 characters.
std::string DrawBoundary();
// The multipart form of an upload: folder, an empty filename part, the file.
std::string UploadBody(std::string_view boundary, std::string_view folder, std::string_view name,
                       std::string_view fileBytes);
// The inbox name a download is written under until it passed its size check:
// the four characters from the first '.' replaced by ".FTP".
std::string TemporaryDownloadName(std::string_view localPath);
// A byte count right-aligned in 10 positions with commas between thousands.
std::string ByteCountField(std::int64_t bytes);
// With commas between thousands, no padding.
std::string WithThousands(std::int64_t bytes);

}  // namespace vl::http
