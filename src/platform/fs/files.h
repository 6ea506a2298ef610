#pragma once
// File operations on Windows paths, with the outcomes a Windows program sees.
// Every name is resolved through toHostPath (drive letters, UNC shares, case-
// insensitive components). Every call sets the Windows error number
// (vl::platform::lastWinError): 0 on success, otherwise the number Windows
// would give (2 file not found, 3 path not found, 5 access denied, 18 no more
// files, 32 sharing violation, 80 file exists, 112 disk full, 183 already
// exists, 267 not a directory ...).
//
// copyFile, moveFile and deleteFile also stand for the runtime's COPY, RENAME
// and REMOVE: they set the runtime file error (vl::platform::lastFileError) to
// the same number and the system's description of it ("The system cannot find
// the file specified."), or clear it on success, so that a message shown after
// a failed copy can append the description.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vl::fs {

// A point in time in UTC: whole seconds since 1970-01-01 and the fraction.
struct FileTime {
  std::int64_t seconds = 0;
  std::uint32_t nanoseconds = 0;
};

// Calendar fields, like the system's SYSTEMTIME (month 1-12, dayOfWeek 0 =
// Sunday). Hundredths of a second are millisecond / 10.
struct CalendarTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int dayOfWeek = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  friend bool operator==(const CalendarTime&, const CalendarTime&) = default;
};

// Attribute bits of a directory entry, as Windows reports them.
enum FileAttribute : std::uint8_t {
  kAttrReadOnly = 1,   // no write permission for the owner
  kAttrHidden = 2,     // a name starting with "."
  kAttrSystem = 4,     // neither a regular file nor a directory (device, socket, fifo)
  kAttrDirectory = 16,
  kAttrArchive = 32,   // every ordinary file
};

// One entry found by a folder search.
struct FindEntry {
  std::string longName;   // the name as stored on disk, without folder
  std::string shortName;  // 8.3 form: the long name when it is a valid 8.3 name, else empty
  std::uint64_t size = 0;
  std::uint8_t attributes = 0;
  FileTime lastWrite;
};

// Does the path name an existing file or directory? Sets 0, 2 or 3.
bool exists(std::string_view windowsPath);
// Does the path name an existing directory? Sets 0 when it does, else 2, 3 or 267.
bool isDirectory(std::string_view windowsPath);

// CreateDirectory: one level. Fails with 183 when the name exists (file or
// directory), 3 when the parent is missing or is a file, 5 when not permitted
// (also for a drive root or a UNC share level, which cannot be created).
bool createDirectory(std::string_view windowsPath);
// RemoveDirectory: 145 when not empty, 267 on a file, 2/3 when missing.
bool removeDirectory(std::string_view windowsPath);

// DeleteFile: 2/3 when missing, 5 on a directory or when not permitted.
bool deleteFile(std::string_view windowsPath);

// CopyFile. With failIfExists an existing target fails with 80. Otherwise the
// target is replaced atomically: the bytes go to a temporary in the target's
// folder, are flushed to disk and renamed over the target, so a failed copy
// (missing source 2, full disk 112, ...) leaves the old target untouched.
// A directory as source or target fails with 5.
bool copyFile(std::string_view from, std::string_view to, bool failIfExists);

// MoveFile / MoveFileEx: renames a file or directory, across folders too.
// An existing target fails with 183 unless replaceExisting is set (files only:
// a directory target fails with 5). Across host file systems a file is copied
// and the source removed.
bool moveFile(std::string_view from, std::string_view to, bool replaceExisting = false);
// The runtime's RENAME: moveFile without replacing.
bool renameFile(std::string_view from, std::string_view to);

// Size in bytes of an existing file (directories: 0). nullopt with 2/3 when missing.
std::optional<std::uint64_t> fileSize(std::string_view windowsPath);
// Last-write time of an existing file or directory (UTC). nullopt with 2/3 when missing.
std::optional<FileTime> lastWriteTime(std::string_view windowsPath);

// Folder search, FindFirstFile style. The pattern is a folder and a last
// component that may hold "*" and "?" ("C:\VORLAN\T1\INBOX\*.*"), matched
// without regard to case against the long name and the short name, with
// Windows' rules ("*.*" matches every name, also names without a dot; a
// pattern ending in "." matches names without an extension). "." and ".."
// are never listed. The entries come sorted by name (case-insensitive).
// Result: the matches; lastWinError 0 when there is at least one, 2 when
// none matches, 3 when the folder does not exist (or is a file).
std::vector<FindEntry> listFolder(std::string_view pattern);

// FindFirstFile / FindNextFile over the same listing, for callers that walk
// it entry by entry. findFirst returns false with 2 or 3 as listFolder sets;
// findNext returns false with 18 after the last entry.
struct FindState {
  std::vector<FindEntry> entries;
  std::size_t next = 0;
};
bool findFirst(std::string_view pattern, FindState& state, FindEntry& entry);
bool findNext(FindState& state, FindEntry& entry);

// The host path of a file that is about to be opened or created, for layers
// that open files themselves (record files, text files). Components that exist
// are matched without regard to case. Empty with 3 when the folder that should
// hold it does not exist (or is a file), 123 when the path has no host form;
// otherwise sets 0 (whether the file itself exists or not).
std::filesystem::path hostPathForFile(std::string_view windowsPath);

// Writes a whole file so that readers see either the old or the new bytes:
// a temporary in the same folder, flushed to disk, renamed over the target.
// Sets 0, or 3 / 5 / 112 ... on failure (the target is then untouched).
bool replaceFileContents(std::string_view windowsPath, std::string_view bytes);
bool replaceHostFileContents(const std::filesystem::path& hostFile, std::string_view bytes);

// Does a name match a Windows wildcard pattern (case-insensitive)?
bool matchesWildcard(std::string_view pattern, std::string_view name);

// The 8.3 short name of a long name: the name itself when it already is
// a valid 8.3 name, else empty (no generated "~1" names).
std::string shortNameOf(std::string_view longName);

// FileTimeToLocalFileTime + FileTimeToSystemTime: the host's local time zone.
CalendarTime localTimeFromUtc(const FileTime& utc);
// FileTimeToSystemTime without zone conversion.
CalendarTime utcCalendar(const FileTime& utc);

}  // namespace vl::fs
