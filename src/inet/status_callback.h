#pragma once
// The status callback: the one piece of code that updates the transfer window
// from inside a blocking Internet operation. It writes the connection status
// line (control 7), animates the connection picture (control 6) from
// StatusPictures and drives the per-file bar (control 8) from the byte counts
// of the run's file or request (bytesSoFar against bytesExpected, while the
// transfer phase is 3 receiving or 5 sending). It lets pending window work run
// first, and reports no errors of its own.
//
// The session steps register it; a run never calls it.
#include <string_view>

#include "data/program_state.h"
#include "platform/inet/internet.h"

namespace vl::inet {

void TransferStatusCallback(ProgramState& state, const net::StatusEvent& event);

// The callback bound to one program state, as Session::setStatusCallback
// takes it.
net::StatusCallback TransferStatusCallbackFor(ProgramState& state);

// Caption and text of the one box the callback shows (state-change
// notification with the connected state).
inline constexpr std::string_view kStateChangeCaption = "INTERNET_STATUS_STATE_CHANGED";
inline constexpr std::string_view kStateChangeText = "Connected state moved between secure and nonsecure site.";

}  // namespace vl::inet
