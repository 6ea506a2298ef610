#pragma once
// Sections and keys of the INI files the program reads and writes. The
// program's own file is VLSInet.INI in the start-up directory; the others
// belong to the POS system.

#include <string_view>

namespace vl::ini {

inline constexpr std::string_view kIniFileName = "VLSInet.INI";

// VLSInet.INI, section VLSInet.
inline constexpr std::string_view kSectionVLSInet = "VLSInet";
inline constexpr std::string_view kKeyVersion = "Version";
inline constexpr std::string_view kKeyDevSwitch = "DevSwitch";
inline constexpr std::string_view kKeyTouchKeypadXPOS = "TouchKeypadXPOS";
inline constexpr std::string_view kKeyTouchKeypadYPOS = "TouchKeypadYPOS";

// VLSInet.INI, section AppKeyName (that is the section's literal name).
inline constexpr std::string_view kSectionAppKeyName = "AppKeyName";
inline constexpr std::string_view kKeyStoreOwner = "bStoreOwner";
inline constexpr std::string_view kKeyUseSSL = "bUseSSL";
inline constexpr std::string_view kKeyUserLocation = "UserLocation";
inline constexpr std::string_view kKeyLocationID = "LocationID";
inline constexpr std::string_view kKeyPOSRDBMS = "POSRDBMS";
inline constexpr std::string_view kKeyLastDownload = "LastDownload";
inline constexpr std::string_view kKeyUserName = "UserName";
inline constexpr std::string_view kKeyLocalFTP = "LocalFTP";
inline constexpr std::string_view kKeyGlobalFTP = "GlobalFTP";

// Profile reads ask with a buffer of this many characters.
inline constexpr int kReadBufferSize = 1024;

// C:\Vorlan\T1\Terminal.INI
inline constexpr std::string_view kSectionTerminalVLSINET = "VLSINET";
inline constexpr std::string_view kKeyTerminalLocationId = "locationid";

// C:\Vorlan\T1\Inbox\UpdFlags.INI
inline constexpr std::string_view kSectionPassedFlags = "POS_PassedFlags";
inline constexpr std::string_view kKeyNewMaster = "NewMaster";

// The update marker file UPDOK.TXT in the inbox (INI format).
inline constexpr std::string_view kSectionVLSPOSBOH = "VLSPOSBOH";
inline constexpr std::string_view kKeyUpdate = "Update";
inline constexpr std::string_view kSectionSoftwareUpdates = "SoftwareUpdates";
inline constexpr std::string_view kKeyVLSECR = "VLSECR";
inline constexpr std::string_view kKeyDLLs = "DLLs";
inline constexpr std::string_view kKeyBIN = "BIN";
inline constexpr std::string_view kSectionDatabaseUpdates = "DatabaseUpdates";
inline constexpr std::string_view kKeyDAT = "DAT";

}  // namespace vl::ini
