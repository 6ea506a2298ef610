#pragma once
// The keyed file the records target reads, and the seed maker writes: a small
// layout without an owner password, so that no run pays for the slow hash.
#include <cstddef>

#include "platform/records/data_file.h"

namespace vl::fuzz {

inline constexpr std::size_t kRecordSize = 40;
inline constexpr const char* kLayout = "FZZ:40:NAME(32),COUNT(8)";
inline constexpr const char* kWindowsName = "C:\\T\\FUZZ.TPS";
inline constexpr const char* kHostName = "drive_c/T/FUZZ.TPS";

inline records::DataFile fuzzFile() {
  records::DataFile file("FUZZ", records::Driver::Keyed, kLayout, kRecordSize);
  file.setName(kWindowsName);
  return file;
}

}  // namespace vl::fuzz
