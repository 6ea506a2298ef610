#include "inet/status_callback.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "app/transfer_window.h"
#include "platform/sys/system.h"
#include "platform/ui/backend.h"
#include "services/messages.h"

namespace vl::inet {
namespace {

// The status information is taken into a 255-character buffer and read up to
// its terminating zero.
constexpr std::size_t kInfoCapacity = 255;

std::string infoText(const net::StatusEvent& e) {
  std::string_view text = e.text;
  text = text.substr(0, std::min(text.find('\0'), kInfoCapacity));
  return std::string(text);
}

void setCallbackStatus(ProgramState& s, std::string_view text) {
  s.FTPCALLBACKSTATUS = text;
  if (ui::Window* w = OpenTransferWindowOf(s)) w->display(transfer::kCallbackStatus);
}

void setPicture(ProgramState& s, int position) {
  const auto name = s.StatusPictures[static_cast<std::size_t>(position - 1)].trimmed();
  if (ui::Window* w = OpenTransferWindowOf(s)) w->setIcon(transfer::kCallbackImage, name);
}

void randomPicture(ProgramState& s) { setPicture(s, sys::random(1, 4)); }

void setFileProgress(ProgramState& s, double percent) {
  // Over 100 goes to the bar as it is; only what the byte cannot hold is
  // held at its largest value rather than wrapping round to a small one.
  const double held = std::clamp(percent, 0.0, static_cast<double>(std::numeric_limits<std::uint8_t>::max()));
  s.PRGFILE = static_cast<std::uint8_t>(held);
  if (ui::Window* w = OpenTransferWindowOf(s)) w->display(transfer::kFileProgress);
}

void addProgress(ProgramState& s, std::uint32_t count) {
  const std::int64_t sum = static_cast<std::int64_t>(s.bytesSoFar) + count;
  s.bytesSoFar = static_cast<std::int32_t>(std::min<std::int64_t>(sum, std::numeric_limits<std::int32_t>::max()));
  // Before a file's size is known (listing requests) there is nothing to
  // measure against: the bar keeps what it shows.
  if (s.bytesExpected <= 0) return;
  setFileProgress(s, static_cast<double>(s.bytesSoFar) * 100.0 / s.bytesExpected);
}

void onStateChange(ProgramState& s, std::uint32_t stateValue) {
  switch (stateValue) {
    case net::kStateConnected:
      services::ShowMessage(kStateChangeText, kStateChangeCaption, services::kMessageInformation, false);
      break;
    case net::kStateDisconnected: setCallbackStatus(s, "Disconnected from network"); break;
    case net::kStateDisconnectedByUser: setCallbackStatus(s, "Disconnected by user request"); break;
    case net::kStateIdle: setCallbackStatus(s, "No network requests are being made"); break;
    case net::kStateBusy: setCallbackStatus(s, "Network requests are being made"); break;
    default: break;  // combinations are not any one state
  }
}

void onStatus(ProgramState& s, const net::StatusEvent& e) {
  switch (e.status) {
    case net::kStatusRedirect: setCallbackStatus(s, "HTTP request redirected to: " + infoText(e)); break;
    case net::kStatusConnectingToServer: setCallbackStatus(s, "Connecting to server..." + infoText(e)); break;
    case net::kStatusConnectedToServer: setCallbackStatus(s, "Connected to: " + infoText(e)); break;
    case net::kStatusResponseReceived:
      if (s.transferPhase != kPhaseReceiving) break;
      randomPicture(s);
      addProgress(s, e.value);
      break;
    case net::kStatusRequestSent:
      if (s.transferPhase != kPhaseSending) break;
      randomPicture(s);
      addProgress(s, e.value);
      break;
    case net::kStatusClosingConnection:
      setCallbackStatus(s, "Closing connection...");
      randomPicture(s);
      break;
    case net::kStatusConnectionClosed:
      setCallbackStatus(s, "Connection closed");
      randomPicture(s);
      break;
    case net::kStatusDetectingProxy: setCallbackStatus(s, "Detecting proxy..."); break;
    case net::kStatusRequestComplete: setCallbackStatus(s, "Request completed"); break;
    case net::kStatusIntermediateResponse:
      setCallbackStatus(s, "Received intermediate status message from the server");
      break;
    case net::kStatusUserInputRequired: setCallbackStatus(s, "The request requires user input to complete"); break;
    case net::kStatusStateChange: onStateChange(s, e.value); break;
    default: break;
  }
}

}  // namespace

void TransferStatusCallback(ProgramState& state, const net::StatusEvent& event) {
  ui::yieldToWindows();
  if (state.transferPhase == kPhaseFinished) {
    setCallbackStatus(state, "OK");
    setPicture(state, 1);
    setFileProgress(state, 100);
    return;
  }
  onStatus(state, event);
}

net::StatusCallback TransferStatusCallbackFor(ProgramState& state) {
  return [&state](const net::StatusEvent& event) { TransferStatusCallback(state, event); };
}

}  // namespace vl::inet
