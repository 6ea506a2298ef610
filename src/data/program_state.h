#pragma once
// Everything the program keeps from start to end: the variables behind the
// setup and transfer windows, the settings record buffer, the update-file
// list and the state the Internet status callback shares with the runs.
// `main` owns the one instance and passes it down; a test makes a fresh one.
// A fresh instance holds exactly the values the program starts with.
//
// Naming: a variable the program's windows and files know by name keeps that
// name exactly (LOCATIONID, BSTOREOWNER, ProgramVersion, IniPath, ...), and a
// record buffer is named by its record prefix (FTP, PID, DOS, ASC), so
// FTP:LOCALFTP reads state.FTP.LOCALFTP and LUF:UPDATEFILE reads
// state.LUF.current.UPDATEFILE. Values without such a name are in camelCase.

#include <array>
#include <cstdint>
#include <string_view>

#include "data/fixed_text.h"
#include "data/queue.h"
#include "data/queue_entries.h"
#include "data/records.h"

namespace vl {

inline constexpr std::string_view kProgramVersion = "2307.18.1";
inline constexpr std::string_view kVersionPrefix = "VLSInet v.";  // STRVERSION = prefix + version
inline constexpr std::string_view kGreenBall = "~C:\\VLSDev\\Images\\greball.ico";
inline constexpr std::string_view kBlueBall = "~C:\\VLSDev\\Images\\bluball.ico";
inline constexpr std::string_view kRedBall = "~C:\\VLSDev\\Images\\redball.ico";
inline constexpr std::string_view kYellowBall = "~C:\\VLSDev\\Images\\yelball.ico";

// BSTOREOWNER
inline constexpr std::uint8_t kStoreOwnerUndetermined = 0;
inline constexpr std::uint8_t kStoreOwnerCorporate = 1;
inline constexpr std::uint8_t kStoreOwnerPartner = 2;
// BPROTOCOLTYPE
inline constexpr std::uint8_t kProtocolHttp = 1;
inline constexpr std::uint8_t kProtocolFtp = 2;
// POSRDBMS
inline constexpr std::uint8_t kRdbmsNone = 0;
inline constexpr std::uint8_t kRdbmsIsam = 1;
inline constexpr std::uint8_t kRdbmsSql = 2;
// WindowResult
inline constexpr std::int32_t kWindowCompleted = 1;
inline constexpr std::int32_t kWindowCancelled = 2;
// BSORTORDER
inline constexpr std::uint8_t kSortBySize = 1;
inline constexpr std::uint8_t kSortByName = 2;
// transferPhase
inline constexpr std::uint8_t kPhaseIdle = 0;
inline constexpr std::uint8_t kPhaseReceiving = 3;
inline constexpr std::uint8_t kPhaseSending = 5;
inline constexpr std::uint8_t kPhaseFinished = 15;

struct ProgramState {
  // --- what the user chose in the setup window ---
  FixedText<50> USERNAME;
  FixedText<50> USERLOCATION;
  std::int16_t LOCATIONID = 0;
  std::int16_t TERMID = 0;
  std::uint8_t POSRDBMS = kRdbmsNone;
  std::uint8_t BDATA = 0;
  std::uint8_t BECR = 0;
  std::uint8_t BLOADER = 0;
  std::uint8_t BDLLS = 0;
  std::uint8_t BREMOVEUPDTOKENS = 1;
  std::uint8_t AUXTRUSTEDMODE = 0;
  std::uint8_t FTPPASSIVEMODE = 0;
  std::uint8_t BUSESSL = 1;
  std::uint8_t BPREVIEWUPDATELIST = 0;
  FixedText<20> STRFTPADDRESS;

  // --- program-wide values ---
  FixedText<15> ProgramVersion;  // kProgramVersion, set by the setup window at start
  FixedText<256> IniPath;
  ZText<255> ComputerName;
  std::int32_t MainWindowHandle = 0;
  std::array<FixedText<29>, 4> StatusPictures{FixedText<29>(kGreenBall), FixedText<29>(kGreenBall),
                                              FixedText<29>(kGreenBall), FixedText<29>(kGreenBall)};
  FixedText<80> LogFileName;
  FixedText<80> WorkFileName;
  std::int32_t WindowResult = 0;

  // --- record buffers ---
  SettingsRecord FTP;  // the working copy of VLSInet.TPS's one record
  IdentityRecord PID;
  FileBlock DOS;
  TextLine ASC;
  Queue<UpdateFileEntry> LUF;

  // --- the setup window's own values ---
  std::uint8_t BSTOREOWNER = kStoreOwnerUndetermined;
  std::uint8_t BPROTOCOLTYPE = kProtocolHttp;
  // Connection state bits, each holding its masked bit (4, not 1).
  std::uint8_t BCONNECTIONMODEM = 0;       // 1
  std::uint8_t BCONNECTIONLAN = 0;         // 2
  std::uint8_t BCONNECTIONPROXY = 0;       // 4
  std::uint8_t BCONNECTIONMODEMBUSY = 0;   // 8
  std::uint8_t BCONNECTIONRAS = 0;         // 16
  std::uint8_t BCONNECTIONOFFLINE = 0;     // 32
  std::uint8_t BCONNECTIONCONFIGURED = 0;  // 64
  FixedText<20> STRVERSION;                // kVersionPrefix + ProgramVersion
  FixedText<10> STRFTPUSERNAME;            // hidden entries; stay blank
  FixedText<10> STRFTPPASSWORD;
  FixedText<32> accessText;                // typed at the access prompt
  std::int32_t lastSelectedControl = 0;    // last focused control but the keyboard button
  bool windowOpened = false;
  Queue<FileListEntry> inboxListing;       // LSD:
  Queue<ParsedItem> folderParts;

  // --- the transfer window's values ---
  FixedText<60> STRFTPSTATUS;
  std::uint8_t PRGFTP = 0;                 // per cent
  FixedText<50> FTPCALLBACKSTATUS;
  std::uint8_t PRGFILE = 0;                // per cent
  std::int32_t BMULTIPLESELECTION = 0;
  std::uint8_t BSORTORDER = kSortBySize;

  // --- shared by the Internet status callback and the runs ---
  std::uint8_t transferPhase = kPhaseIdle;  // kPhase*; not reset between runs
  std::int32_t bytesSoFar = 0;
  std::int32_t bytesExpected = 0;
};

}  // namespace vl
