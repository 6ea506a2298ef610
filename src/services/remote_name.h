#pragma once
// Names and sizes that a server lists are data, not instructions. Before a
// listed file is fetched into a local folder, the transfer runs check that its
// name is a plain file name and that its size fits the 32-bit size fields of
// the update-file list; an entry that fails is left out with a warning.
#include <cstdint>
#include <string>
#include <string_view>

namespace vl::services {

// True when `name` can only ever name a file directly inside the folder it is
// fetched into: not empty, not "." or "..", and free of path separators (/ \),
// the drive colon, control characters and the other characters a Windows file
// name cannot hold (< > " | ? *). The "|" matters beyond that: downloaded names
// are kept joined by "|". The name must also fit the update-file list's
// 50-character name field whole, without a trailing blank.
bool IsSafeRemoteName(std::string_view name);

// True when a listed size is a valid byte count for the update-file list:
// more than 0 and no more than a signed 32-bit field holds.
bool IsValidRemoteSize(std::uint64_t size);

// The warnings for an entry that is left out. The name is shown with control
// characters replaced by '?', trailing blanks cut.
std::string InvalidByteSizeText(std::string_view name);
std::string InvalidRemoteNameText(std::string_view name);

}  // namespace vl::services
