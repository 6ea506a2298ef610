#pragma once
// The terminal's fixed directory tree and the files in it that the data model
// names. None of these is configurable. Folder constants end in '\' where the
// program uses them that way; the file system ignores case, so the mixed-case
// spellings name the same folders.

#include <string_view>

namespace vl::paths {

inline constexpr std::string_view kTerminalDir = "C:\\VORLAN\\T1\\";
inline constexpr std::string_view kInboxDir = "C:\\VORLAN\\T1\\INBOX\\";
inline constexpr std::string_view kOutboxDir = "C:\\VORLAN\\T1\\OUTBOX\\";
inline constexpr std::string_view kSentDir = "C:\\VORLAN\\T1\\SENT\\";
inline constexpr std::string_view kZedBackUpDir = "C:\\Vorlan\\T1\\ZedBackUp";
inline constexpr std::string_view kBinDir = "C:\\VORLAN\\BIN\\";
// Below kTerminalDir.
inline constexpr std::string_view kSqlSubdir = "SQL\\";
inline constexpr std::string_view kSqlTemplateSubdir = "SQL\\Template";

// Settings record file, opened in the current directory (kTerminalDir).
inline constexpr std::string_view kSettingsFileName = "VLSInet.TPS";
// Incoming terminal identity record file.
inline constexpr std::string_view kPosIdFile = "C:\\VORLAN\\T1\\INBOX\\POSID.TPS";
// Local transfer log, one line per transfer.
inline constexpr std::string_view kLocalLogFile = "C:\\Vorlan\\T1\\FTPLog.TXT";
inline constexpr std::string_view kTerminalIniFile = "C:\\Vorlan\\T1\\Terminal.INI";
inline constexpr std::string_view kUpdFlagsIniFile = "C:\\Vorlan\\T1\\Inbox\\UpdFlags.INI";
inline constexpr std::string_view kUpdateMarkerFileName = "UPDOK.TXT";
inline constexpr std::string_view kSqlDatabaseFile = "C:\\Vorlan\\T1\\SQL\\VL_SQLPOS.FDB";

}  // namespace vl::paths
