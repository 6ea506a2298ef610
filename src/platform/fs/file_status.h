#pragma once
// Internal to platform/fs: how the file operations turn host outcomes into
// Windows error numbers.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace vl::fs::detail {

// Sets the Windows error number and returns false / true.
bool fail(std::uint32_t code);
bool succeed();

// The same, also setting the runtime file error (code and description).
bool failRuntime(std::uint32_t code);
bool succeedRuntime();

// The number Windows gives for a name that is not there: 2 when its folder
// exists, 3 when the folder is missing or a file; on a network path whose
// server or share folder is missing, 53 or 67.
std::uint32_t missingError(std::string_view windowsPath, const std::filesystem::path& host);

// lstat-free stat of a host path; false when it is not there.
bool statHost(const std::filesystem::path& host, struct stat& st);

// The full path resolved to the host; empty with 123 set for a path that has
// no host form.
std::filesystem::path resolve(std::string_view windowsPath);

// The names in an existing host folder that equal `name` without regard to
// case (the exact spelling among them if it is there), in no set order; empty
// when there are none or the folder cannot be read.
std::vector<std::string> namesLike(const std::filesystem::path& folder, std::string_view name);

}  // namespace vl::fs::detail
