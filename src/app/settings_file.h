#pragma once
// The settings record file VLSINET (VLSInet.TPS in the terminal's working
// directory): one record, the working copy of which is state.FTP.
#include "data/program_state.h"
#include "platform/records/data_file.h"

namespace vl::setup {

// The file as declared: keyed, the settings layout, the owner password, named
// VLSInet.TPS (relative: it is opened while C:\VORLAN\T1\ is current).
records::DataFile makeSettingsFile();

// Opens the file for the setup window: held with other processes denied
// writing; a file of another record layout is removed first, and whatever
// still fails goes to OpenDataFile (which creates it or ends the program).
void OpenSettingsFile(records::DataFile& file);

// Reads the first record in record order into state.FTP (cleared first);
// false when the file holds none.
bool ReadSettingsRecord(records::DataFile& file, ProgramState& state);

// Adds state.FTP as the file's record, or rewrites the one read last.
bool WriteSettingsRecord(records::DataFile& file, const ProgramState& state, bool add);

}  // namespace vl::setup
