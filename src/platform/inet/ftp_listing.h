#pragma once
// Reading FTP directory listings: the Unix "ls -l" form most servers send, the
// DOS form of Windows servers, and MLSD fact lines; and the Windows wildcard
// match that picks entries for a search pattern.
#include <string_view>
#include <vector>

#include "platform/inet/internet.h"

namespace vl::net::detail {

// One line of a listing. False for lines that name no entry ("total 12",
// blanks, "." and "..").
bool parseListingLine(std::string_view line, FindData& entry);

// Every entry of a listing (lines end in LF or CR LF).
std::vector<FindData> parseListing(std::string_view text);

// Windows wildcards, case ignored: '*' any run, '?' one character; "*.*"
// matches every name and "NAME.*" also matches "NAME" without an extension.
bool matchesPattern(std::string_view name, std::string_view pattern);

}  // namespace vl::net::detail
