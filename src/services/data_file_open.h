#pragma once
// Opening the data files the program keeps open while it works. The caller
// never continues without its file: OpenDataFile either returns with the file
// open (shared read/write) or explains the failure in a box and ends the
// program by throwing vl::ProgramHalt{0}, which only the main procedure catches.
#include <string>
#include <string_view>

#include "platform/records/data_file.h"

namespace vl::services {

// Opens `file` (its name already assigned) shared for reading and writing. A
// lock left by another process is taken over once ("Recover=10"); a missing
// file is created silently; damaged keys are rebuilt after the user's Yes;
// 52 (already open in this process) counts as open. Anything else ends the
// program after one message naming the file.
void OpenDataFile(records::DataFile& file);

// Shows standard warning 1 to 5 about the file `name` (see data_file_open.cpp)
// and ends the program, except warning 2 (the key rebuild question), which
// returns non-zero when the user chose Yes. Reads the current file error
// state itself (vl::platform::lastFileError).
int FileWarning(int number, std::string_view name);

// The current file error state in one line of at most 150 characters:
// "<description> (<code>)", or for 90 "<driver message> (<driver code>)".
inline constexpr std::size_t kErrorSummaryWidth = 150;
std::string FileErrorSummary();

}  // namespace vl::services
