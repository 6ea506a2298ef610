#pragma once
// The outer frame of the process, shared by every executable: the headless
// one and the GUI program install their window backend first, then hand over
// here.
//
//   int main() {                       // after installing a backend
//     return vl::RunProgram(vl::defaultTransferRuns());
//   }
#include "app/transfer_runs.h"
#include "data/program_state.h"

namespace vl {

// The main procedure: switches the desktop's full-window dragging off while
// the setup window runs (when it was on) and back on afterwards, and runs the
// setup window once. A ProgramHalt passes through it (dragging is switched
// back on on the way out all the same).
void MainProcedure(ProgramState& state, const TransferRuns& runs);

// Process entry behind a backend already installed: a fresh program state,
// the main procedure, and the exit code (0, or that of a ProgramHalt, which
// is caught here and nowhere else).
int RunProgram(const TransferRuns& runs);

}  // namespace vl
