#pragma once
// Making sure a whole directory path exists, level by level from the drive (or
// network share) down. The process's current directory is the same on return
// as on entry, whatever happens: the rest of the program relies on it.
#include <cstdint>
#include <string_view>

namespace vl::services {

inline constexpr std::uint8_t kPathMade = 0;      // the path exists at the end
inline constexpr std::uint8_t kPathFailed = 255;  // it could not be made (the user was told)

// A level path is held in a zero-terminated field of 80: at most 79 characters.
inline constexpr std::size_t kLevelPathCapacity = 79;

// Accepts "C:\A\B" or "C:\A\B\" and "\\server\share\A" (the server level is
// never created). Any other form gets the warning "Error creating new
// directory <path>||Invalid path syntax." and 255.
std::uint8_t MakeDirectoryPath(std::string_view path);

// One level: true when it exists or was created. Otherwise the user has been
// told "Could not create the directory: <level>||Error: <number>", the saved
// directory is current again, and the whole MakeDirectoryPath must give up.
[[nodiscard]] bool CreateDirectoryLevel(std::string_view levelPath, std::string_view savedDirectory);

}  // namespace vl::services
