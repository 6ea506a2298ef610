#pragma once
// Two ways of leaving a procedure early that are control flow, not error
// reporting. Each is caught in exactly one place: EndRun by the entry procedure
// of a transfer run, ProgramHalt by the main procedure. Nothing else catches them.

namespace vl {

// "The program ends with exit code 0" from deep inside a procedure
// (a data file that cannot be opened, the startup folder missing, ...).
struct ProgramHalt {
  int exitCode = 0;
};

// "End the run": leave the transfer run's steps and return to its entry
// procedure, which releases the run and hands back its result.
struct EndRun {};

}  // namespace vl
