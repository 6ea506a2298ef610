#pragma once
// The hand-over from the Download command to a transfer run. The command
// knows only these two procedures; which code stands behind them is decided
// by the executable (defaultTransferRuns) or by a test.
//
// A run's result: 0 done, 1 not configured or cancelled (or refused by the
// server), 2 ended by or after an Internet error. The Download command
// installs the downloaded programs only on 0.
#include <functional>

#include "data/program_state.h"

namespace vl {

using TransferRun = std::function<int(ProgramState&)>;

struct TransferRuns {
  TransferRun http;
  TransferRun ftp;
};

inline constexpr int kRunDone = 0;
inline constexpr int kRunNotDone = 1;
inline constexpr int kRunInternetError = 2;

// The runs the program ships with (defined beside each executable's main).
TransferRuns defaultTransferRuns();

}  // namespace vl
