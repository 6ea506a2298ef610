#pragma once
// Helpers of the local fault cases: running the program under strace with a
// fault injected into its own system calls, found by tracing a clean run.
#include <filesystem>
#include <string>
#include <vector>

#include "fault_till.h"

namespace vl::test {

// A wrapper running the program under strace with these options (-e ..., -P ...).
std::vector<std::string> Strace(std::vector<std::string> options);

// One traced system call of a clean HTTP run: its name and the line strace
// wrote (with the paths of descriptors).
struct TracedCall {
  std::string call;
  std::string line;
};
// The renames, unlinks, fsyncs, closes and writes of a clean run of the
// program's main process, in order (traced once per test program).
const std::vector<TracedCall>& CleanRunCalls();
// The number strace's when= counts for the first `call` whose line holds
// `part` (1 for the first call of that name); 0 when there is none.
int CallNumber(const std::string& call, const std::string& part);
// How many `call`s a clean run makes.
int CallCount(const std::string& call);

}  // namespace vl::test
