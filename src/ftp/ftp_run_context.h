#pragma once
// The FTP run's own variables besides the session and error fields every run
// has (inet::RunContext): the folder being listed and its listing, the files
// fetched, the inbox after the downloads and the figures the log reports.
//
// Byte totals are kept in 64 bits: one file fits the 32-bit size field, but a
// run of several large files would wrap a 32-bit sum and turn a complete
// transfer into a "short" one (or a short one into a complete one).
#include <cstdint>
#include <string>

#include "data/fixed_text.h"
#include "data/program_state.h"
#include "data/queue.h"
#include "data/queue_entries.h"
#include "ftp/ftp_update_rules.h"
#include "inet/run_context.h"

namespace vl::ftp {

inline constexpr std::size_t kDownloadedNamesWidth = 1024;

// Bits of the update kinds.
inline constexpr std::uint8_t kKindData = 1;      // .UPD or .INI
inline constexpr std::uint8_t kKindPrograms = 2;  // .EXE or .DLL
inline constexpr std::uint8_t kKindArchives = 4;  // .ZIP

struct FtpRunContext : inet::RunContext {
  using inet::RunContext::RunContext;

  FtpFolders folders;

  // --- discovery --------------------------------------------------------------
  std::string listedFolder;      // the folder QueueFtpUpdates lists
  int listingMode = 0;           // kListingSoftware or kListingDatabase
  bool folderListed = false;     // a folder has been listed in this run
  Queue<FileListEntry> listing;  // LSP:
  std::int64_t remoteByteTotal = 0;

  // --- downloads ----------------------------------------------------------------
  bool listTracking = false;
  std::int64_t doneByteTotal = 0;
  std::string remotePath;
  std::string localPath;
  std::string temporaryPath;
  FixedText<kDownloadedNamesWidth> downloadedNames;  // "VLSECR.EXE|C55RUNX.DLL|"
  std::uint8_t updateKinds = 0;
  std::string markerFile;        // C:\VORLAN\T1\INBOX\UPDOK.TXT

  // --- the inbox after the downloads ------------------------------------------
  Queue<FileListEntry> inbox;    // LSD:
  std::int64_t localByteTotal = 0;
  std::int16_t localFileCount = 0;
  std::uint8_t sizeMismatch = 0;
  std::int64_t logByteCount = 0;
};

}  // namespace vl::ftp
