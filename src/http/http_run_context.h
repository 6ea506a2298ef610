#pragma once
// The run context of one HTTP transfer run: the session fields every run has
// (inet::RunContext) plus the request engine's buffers and marks, the listing
// and selection values of discovery, and the lists and totals the download,
// the log and the local update pass to each other. RunHttpTransfer makes one
// and drops it when it returns.
#include <cstdint>
#include <string>

#include "data/fixed_text.h"
#include "data/queue.h"
#include "data/queue_entries.h"
#include "inet/run_context.h"
#include "platform/inet/internet.h"
#include "platform/records/data_file.h"

namespace vl::http {

inline constexpr std::size_t kBlockSize = 65536;
// An upload body (the transfer log) must fit here.
inline constexpr std::size_t kBodyLimit = std::size_t{4} * 1024 * 1024;
// Replies other than downloads are collected whole, up to this many bytes; a
// longer reply is refused as a transaction error rather than cut, so a long
// listing never loses entries silently.
inline constexpr std::size_t kResponseLimit = std::size_t{4} * 1024 * 1024;

// Request kinds, compared over their 12 characters.
inline constexpr std::string_view kPutFile = "putFile";
inline constexpr std::string_view kGetFile = "getFile";
inline constexpr std::string_view kListFolder = "listFolder";
inline constexpr std::string_view kDelFile = "delFile";
inline constexpr std::string_view kGetDateTime = "getDateTime";

// Listing modes of discovery.
inline constexpr std::uint8_t kListingSoftware = 1;
inline constexpr std::uint8_t kListingDatabase = 2;

// Sort groups of LUF:SORTORDER.
inline constexpr std::uint8_t kSortOrdinary = 1;
inline constexpr std::uint8_t kSortDatabaseFlag = 2;
inline constexpr std::uint8_t kSortSoftwareFlag = 3;

struct HttpRunContext : inet::RunContext {
  explicit HttpRunContext(ProgramState& programState);

  // --- request engine ---
  FixedText<12> requestKind;
  ZText<255> remotePath;
  FixedText<100> listedFolder;
  ZText<255> localPath;
  ZText<255> verb;
  ZText<255> objectName;
  ZText<255> headerText;
  std::uint32_t headerLength = 0;
  std::string requestBody;   // at most kBodyLimit bytes
  std::string responseText;  // the reply of every kind but getFile
  std::uint32_t blockFill = 0;
  std::uint32_t blockSize = kBlockSize;
  std::uint64_t bytesReceived = 0;  // bytes of the getFile reply so far
  bool gotData = false;
  bool lastBlock = false;
  bool done = false;
  bool inRun = false;  // set while the download loop fetches files
  std::uint32_t sendResult = 0;
  std::uint32_t lastInternetError = 0;
  net::HttpRequest request;
  records::DataFile dosFile;  // DOSFILE: the download being written

  // --- discovery ---
  std::uint8_t listingMode = kListingSoftware;
  std::uint8_t registrationMark = 1;  // 2 once TBL_REGISTRATION.TPS was listed
  Queue<FileListEntry> listing;       // REM:
  std::int16_t listingCount = 0;
  FixedText<100> globalDatabaseFolder;
  std::string runDllList;

  // --- the run ---
  std::uint8_t retryLimit = inet::kAttemptLimit;
  std::uint8_t retryCount = 0;
  FixedText<100> databaseFlagText;
  FixedText<255> updateMarkerFile;
  Queue<FileListEntry> inboxListing;  // LOC:
  FixedText<1024> queuedNames;
  FixedText<2048> transferredList;
  std::int32_t inboxBytes = 0;
  std::int32_t inboxFileCount = 0;

  // --- remote log ---
  FixedText<2048> logLine;
  records::DataFile logFile;  // ASCIIEXP
};

}  // namespace vl::http
