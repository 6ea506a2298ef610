#pragma once
// Windows paths over the host file system. The program speaks C:\VORLAN\...;
// this maps a drive letter to a host folder (C: to the prefix's drive_c, Z: to
// the host root, \\server\share to PREFIX/unc/server/share), matches every
// existing path component without regard to case, and keeps a Windows-style
// current directory of its own.
#include <filesystem>
#include <string>
#include <string_view>

namespace vl::fs {

// The absolute, normalised Windows form of a path: separators become "\",
// "." and ".." are folded, a relative path is taken from the current
// directory. Empty when the path cannot name anything (no such drive form).
std::string fullPath(std::string_view windowsPath);

// The host path a Windows path stands for. Components that exist are matched
// case-insensitively; the first one that does not exist and all below it are
// kept as written. Empty for a path with no host mapping.
std::filesystem::path toHostPath(std::string_view windowsPath);

// The Windows form of a host path: C: below drive C's folder, Z: elsewhere.
std::string toWindowsPath(const std::filesystem::path& hostPath);

// The current directory in Windows form ("C:\VORLAN\T1"; a root keeps its
// backslash: "C:\"). At start it is the host's working directory.
std::string currentDirectory();

// Makes an existing directory current. On failure returns false, leaves the
// current directory as it was and sets the Windows error number (2, 3, 267...).
bool setCurrentDirectory(std::string_view windowsPath);

// Forgets the current directory so that the next use takes the host's working
// directory again (tests that switch prefixes call it with reloadPlatformConfig).
void resetCurrentDirectory();

// Is the path only a root: a drive ("C:\") or a network share ("\\srv\share")?
bool isRootPath(std::string_view windowsPath);
// Does the path lie on a network share ("\\server\share\...")?
bool isUncPath(std::string_view windowsPath);

// ASCII case-insensitive equality of two names, the way the file system compares.
bool sameName(std::string_view a, std::string_view b);

}  // namespace vl::fs
