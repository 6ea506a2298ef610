#pragma once
// What the FTP run takes from the server, decided without a server: where a
// location's folders and flag files are, which listed entries are kept at all,
// and which of those this till downloads for the options chosen in the setup
// window. The listing code feeds these with what the server listed.
#include <cstdint>
#include <string>
#include <string_view>

#include "data/fixed_text.h"
#include "data/program_state.h"

namespace vl::ftp {

inline constexpr std::string_view kRemoteRoot = "/FTP/ASP/";

// The remote folders and flag names of one location; folders begin with the
// root and end in '/'.
struct FtpFolders {
  std::string softwareBase;    // client folder + "/BIN", upper case
  std::string softwareFolder;  // "/FTP/ASP/" + softwareBase + "/"
  std::string databaseFolder;  // "/FTP/ASP/" + local cloud folder + "/Updates/"
  std::string logFolder;       // "/FTP/ASP/" + local cloud folder + "/FTPLog/"
  std::string softwareFlag;    // "SWUPD" + location ID + ".TXT"
  std::string databaseFlag;    // "POSID" + location ID + ".TPS"
};

// localFtp is FTP:LOCALFTP ("Client/Store"). A folder without any '/' keeps
// the whole field, blanks included, as its client part: that software folder
// cannot be listed, so such a run ends with the server's refusal rather than
// guessing at another location's folders.
FtpFolders FtpFolderLayout(const FixedText<80>& localFtp, std::int16_t locationId);

// A listed or local name as the run compares it: ASCII letters in upper case.
std::string UpperName(std::string_view name);

// The four characters from the name's first '.', blank-padded (".EXE" for
// VLSECR.EXE, ".B.Z" for A.B.ZIP); four blanks without a dot.
std::string NameExtension(std::string_view name);

// Listing modes: which folder is being listed.
inline constexpr int kListingSoftware = 1;
inline constexpr int kListingDatabase = 2;

// How one enumerated entry is taken into the listing queue.
enum class ListedEntry {
  Kept,         // goes on to the filter
  Ignored,      // a folder (no '.') or another file's record file (.TPS): silently
  InvalidName,  // not a plain file name: warned about, left out
  InvalidSize,  // 0 bytes, or more than the 32-bit size field holds: warned about, left out
};
// upperName: the listed name in upper case.
ListedEntry JudgeListedEntry(std::string_view upperName, std::uint64_t size);

// Sort orders of LUF:SORTORDER; kSkip leaves the entry out.
inline constexpr std::uint8_t kSkip = 0;
inline constexpr std::uint8_t kOrdinaryFile = 1;
inline constexpr std::uint8_t kDatabaseFlag = 2;
inline constexpr std::uint8_t kSoftwareFlag = 3;

// The filter: whether the till takes the kept entry `upperName` listed in
// `listingMode`'s folder, and with which sort order. Reads the options BDATA,
// BECR, BLOADER, BDLLS, the database kind POSRDBMS and LOCATIONID.
std::uint8_t ChooseFtpUpdate(std::string_view upperName, int listingMode, const ProgramState& state);

// LUF:REMOTEKBCOUNT for a size in bytes: 1 up to 1,024 bytes, else whole kilobytes.
std::int32_t KilobyteCount(std::int32_t bytes);

}  // namespace vl::ftp
