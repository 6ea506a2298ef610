#pragma once
// The location setup window, the program's only top-level window.
#include "app/transfer_runs.h"
#include "data/program_state.h"

namespace vl {

// Prepares the run (version key, access prompt or developer mode, working
// directory, settings file), runs the window until it is closed, and closes
// the settings file. Returns at once, with the window never shown, when the
// access prompt is cancelled. Ends the program (ProgramHalt) when the working
// directory cannot be made current or the settings file cannot be opened.
void RunSetupWindow(ProgramState& state, const TransferRuns& runs);

}  // namespace vl
