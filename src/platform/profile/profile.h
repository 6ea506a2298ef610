#pragma once
// INI files read and written the way the Windows private-profile calls do it
// (GetPrivateProfileString / GetPrivateProfileInt / WritePrivateProfileString):
//  - section and key names match without regard to case;
//  - a missing file, section or key yields the default;
//  - a value is read trimmed of surrounding blanks (and of one pair of
//    enclosing quotes), at most kProfileValueChars characters (the 1,024-byte
//    buffer less its terminating zero);
//  - a duplicate key or section: the first one wins;
//  - a write creates the file, the section and the key as needed and keeps
//    everything else (order, comments, blank lines, other sections); the file
//    is replaced atomically and every line ends in CR LF.
// Texts are stored as given: cutting trailing blanks is the caller's business.
// The INI path is a Windows path ("C:\VORLAN\T1\Terminal.INI", or relative to
// the current directory), resolved through platform/fs.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace vl::profile {

inline constexpr std::size_t kProfileValueChars = 1023;

std::string getString(std::string_view iniPath, std::string_view section, std::string_view key,
                      std::string_view defaultValue);

// GetPrivateProfileInt: the key's text converted as Windows does it: leading
// blanks skipped, an optional sign, then the leading decimal digits ("12abc"
// is 12, "abc" is 0; "0x1A" is read as hexadecimal). A missing key, or one with
// an empty value, gives the default.
int getInt(std::string_view iniPath, std::string_view section, std::string_view key, int defaultValue);

// WritePrivateProfileString with a value. Returns false (and sets the Windows
// error number) when the file cannot be written; the old file is then intact.
bool writeString(std::string_view iniPath, std::string_view section, std::string_view key,
                 std::string_view value);
// The number as plain decimal text without padding.
bool writeInt(std::string_view iniPath, std::string_view section, std::string_view key, long value);

// The same on a host file, for the platform's own platform.ini.
std::string getStringAt(const std::filesystem::path& hostFile, std::string_view section,
                        std::string_view key, std::string_view defaultValue);
int getIntAt(const std::filesystem::path& hostFile, std::string_view section, std::string_view key,
             int defaultValue);
bool writeStringAt(const std::filesystem::path& hostFile, std::string_view section, std::string_view key,
                   std::string_view value);

// The number conversion of getInt on a text (exposed for tests and callers
// that read numbers from INI-like text).
int profileTextToInt(std::string_view text);

}  // namespace vl::profile
