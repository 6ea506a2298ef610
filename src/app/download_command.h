#pragma once
// The Download command: what the setup window's Download button does once the
// form has passed its checks (setup_context.h: CheckAndDownload).
#include "app/transfer_runs.h"
#include "data/program_state.h"

namespace vl {

// Saves the settings into the INI file, makes the directory tree, runs the
// transfer of the chosen protocol and, when it reports 0, installs what
// arrived. Ends the program (ProgramHalt) when the inbox cannot be made.
// Leaves the inbox as the current directory after a successful run.
void DownloadCommand(ProgramState& state, const TransferRuns& runs);

// Copies every file of state.inboxListing from the inbox into the BIN
// directory and says "Download complete.".
void InstallDownloadedPrograms(ProgramState& state);

}  // namespace vl
