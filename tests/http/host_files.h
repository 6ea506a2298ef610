#pragma once
// Looking at host folders after a run: the simulator's root, the sandbox's
// drive C:.
#include <filesystem>
#include <string>
#include <vector>

namespace vl::test {

// The whole file as bytes ("" when it cannot be read).
std::string ReadHostFile(const std::filesystem::path& file);
// The names in a folder, sorted; none when the folder is missing.
std::vector<std::string> NamesIn(const std::filesystem::path& folder);

}  // namespace vl::test
