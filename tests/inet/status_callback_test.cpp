// The status callback: notifications in, the transfer window's connection
// status, per-file bar, picture and the transfer phase out.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/transfer_window.h"
#include "inet/status_callback.h"
#include "inet_fixture.h"
#include "platform/sys/system.h"

namespace vl::inet {
namespace {

using net::StatusEvent;
using ::testing::HasSubstr;

class StatusCallback : public test::InetTest {
 protected:
  void SetUp() override {
    OpenTransferWindow(state, TransferProtocol::Http);
    state.FTPCALLBACKSTATUS = "before";
    state.PRGFILE = 7;
  }
  ui::Window& window() { return TransferWindowOf(state); }
  std::string picture() { return window().control(transfer::kCallbackImage).icon; }
  long long bar() { return window().control(transfer::kFileProgress).value; }
  std::string statusShown() { return window().control(transfer::kCallbackStatus).text; }
};

struct TextCase {
  std::uint32_t status;
  std::string text;
  std::uint32_t value;
  std::string expected;  // the connection status line afterwards
};

TEST_F(StatusCallback, WritesTheConnectionStatusLineByStatusAndState) {
  const std::string longTarget = "http://example.test/" + std::string(300, 'x');
  const TextCase cases[] = {
      {net::kStatusConnectingToServer, "127.0.0.1", 0, "Connecting to server...127.0.0.1"},
      {net::kStatusConnectedToServer, "127.0.0.1", 0, "Connected to: 127.0.0.1"},
      // 50 characters in all: the first 22 of the target after the prefix.
      {net::kStatusRedirect, longTarget, 0, "HTTP request redirected to: http://example.test/xx"},
      {net::kStatusClosingConnection, "", 0, "Closing connection..."},
      {net::kStatusConnectionClosed, "", 0, "Connection closed"},
      {net::kStatusDetectingProxy, "", 0, "Detecting proxy..."},
      {net::kStatusRequestComplete, "", 1, "Request completed"},
      // The line holds 50 characters: even a fixed text can be cut.
      {net::kStatusIntermediateResponse, "", 0, "Received intermediate status message from the serv"},
      {net::kStatusUserInputRequired, "", 0, "The request requires user input to complete"},
      {net::kStatusStateChange, "", net::kStateDisconnected, "Disconnected from network"},
      {net::kStatusStateChange, "", net::kStateDisconnectedByUser, "Disconnected by user request"},
      {net::kStatusStateChange, "", net::kStateIdle, "No network requests are being made"},
      {net::kStatusStateChange, "", net::kStateBusy, "Network requests are being made"},
      // Compared as a whole: connected and busy together is no state of the table.
      {net::kStatusStateChange, "", net::kStateConnected | net::kStateBusy, "before"},
      // Notifications without an entry change nothing.
      {net::kStatusResolvingName, "host", 0, "before"},
      {net::kStatusSendingRequest, "", 0, "before"},
      {net::kStatusReceivingResponse, "", 0, "before"},
      {net::kStatusHandleClosing, "", 0, "before"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.status);
    state.FTPCALLBACKSTATUS = "before";
    window().display(transfer::kCallbackStatus);
    TransferStatusCallback(state, StatusEvent{c.status, c.text, c.value});
    EXPECT_EQ(state.FTPCALLBACKSTATUS.str(), c.expected);
    EXPECT_EQ(statusShown(), c.expected);
  }
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(state.PRGFILE, 7) << "no text notification touches the bar";
}

TEST_F(StatusCallback, InfoTextEndsAtItsTerminatingZero) {
  TransferStatusCallback(state, StatusEvent{net::kStatusConnectedToServer, std::string("10.0.0.1\0junk", 13), 0});
  EXPECT_EQ(state.FTPCALLBACKSTATUS.str(), "Connected to: 10.0.0.1");
}

struct ProgressCase {
  const char* name;
  std::uint8_t phase;
  std::uint32_t status;
  std::int32_t expected;  // bytes expected of the file
  std::vector<std::uint32_t> counts;
  std::int32_t bytesAfter;
  int barAfter;  // PRGFILE afterwards (starts at 7)
};

TEST_F(StatusCallback, CountsBytesOnlyInTheirPhase) {
  const ProgressCase cases[] = {
      {"receiving", kPhaseReceiving, net::kStatusResponseReceived, 1000, {100, 150}, 250, 25},
      {"sending", kPhaseSending, net::kStatusRequestSent, 400, {100}, 100, 25},
      {"received while sending", kPhaseSending, net::kStatusResponseReceived, 1000, {500}, 0, 7},
      {"sent while receiving", kPhaseReceiving, net::kStatusRequestSent, 1000, {500}, 0, 7},
      {"idle", kPhaseIdle, net::kStatusResponseReceived, 1000, {500}, 0, 7},
      // Not capped: more bytes than the file's size go to the bar as they are.
      {"over the size", kPhaseReceiving, net::kStatusResponseReceived, 100, {100, 50}, 150, 150},
      // Past what the byte holds it stays at its largest value, not wrapping round.
      {"far over the size", kPhaseReceiving, net::kStatusResponseReceived, 10, {100}, 100, 255},
      // No size known yet (a listing request): the bar keeps what it shows.
      {"size unknown", kPhaseReceiving, net::kStatusResponseReceived, 0, {4096}, 4096, 7},
  };
  for (const ProgressCase& c : cases) {
    SCOPED_TRACE(c.name);
    state.transferPhase = c.phase;
    state.bytesSoFar = 0;
    state.bytesExpected = c.expected;
    state.PRGFILE = 7;
    window().display(transfer::kFileProgress);
    for (std::uint32_t n : c.counts) TransferStatusCallback(state, StatusEvent{c.status, "", n});
    EXPECT_EQ(state.bytesSoFar, c.bytesAfter);
    EXPECT_EQ(state.PRGFILE, c.barAfter);
    EXPECT_EQ(bar(), c.barAfter);
    EXPECT_EQ(state.transferPhase, c.phase) << "the callback never changes the phase";
  }
}

TEST_F(StatusCallback, ProgressReachesTheTranscript) {
  state.transferPhase = kPhaseReceiving;
  state.bytesExpected = 200;
  windows.clearTranscript();
  TransferStatusCallback(state, StatusEvent{net::kStatusResponseReceived, "", 100});
  TransferStatusCallback(state, StatusEvent{net::kStatusResponseReceived, "", 100});
  TransferStatusCallback(state, StatusEvent{net::kStatusConnectionClosed, "", 0});
  const std::string all = transcriptText();
  EXPECT_THAT(all, HasSubstr(R"("control":"?PRGFILE","value":50)"));
  EXPECT_THAT(all, HasSubstr(R"("control":"?PRGFILE","value":100)"));
  EXPECT_THAT(all, HasSubstr(R"("control":"?FTPCALLBACKSTATUS","text":"Connection closed")"));
}

TEST_F(StatusCallback, FinishedRunShowsOkWhateverArrives) {
  state.StatusPictures = {FixedText<29>(kGreenBall), FixedText<29>(kBlueBall), FixedText<29>(kRedBall),
                          FixedText<29>(kYellowBall)};
  state.transferPhase = kPhaseFinished;
  state.bytesSoFar = 5;
  state.bytesExpected = 1000;
  for (std::uint32_t status : {net::kStatusConnectingToServer, net::kStatusResponseReceived,
                               net::kStatusRedirect, net::kStatusResolvingName}) {
    window().setIcon(transfer::kCallbackImage, "other");
    state.FTPCALLBACKSTATUS = "before";
    state.PRGFILE = 7;
    TransferStatusCallback(state, StatusEvent{status, "127.0.0.1", 100});
    EXPECT_EQ(state.FTPCALLBACKSTATUS.str(), "OK");
    EXPECT_EQ(state.PRGFILE, 100);
    EXPECT_EQ(picture(), std::string(kGreenBall));
  }
  EXPECT_EQ(state.bytesSoFar, 5);
  EXPECT_EQ(state.transferPhase, kPhaseFinished);
}

TEST_F(StatusCallback, PicturesCycleThroughStatusPictures) {
  state.StatusPictures = {FixedText<29>(kGreenBall), FixedText<29>(kBlueBall), FixedText<29>(kRedBall),
                          FixedText<29>(kYellowBall)};
  sys::seedRandom(7);
  state.transferPhase = kPhaseReceiving;
  state.bytesExpected = 1'000'000;
  std::set<std::string> seen;
  for (int i = 0; i < 200; ++i) {
    const auto status = i % 2 ? net::kStatusResponseReceived : net::kStatusConnectionClosed;
    TransferStatusCallback(state, StatusEvent{status, "", 1});
    seen.insert(picture());
  }
  EXPECT_EQ(seen, (std::set<std::string>{std::string(kGreenBall), std::string(kBlueBall), std::string(kRedBall),
                                         std::string(kYellowBall)}));

  // Outside their phase the byte notifications leave even the picture alone.
  window().setIcon(transfer::kCallbackImage, "unchanged");
  state.transferPhase = kPhaseSending;
  TransferStatusCallback(state, StatusEvent{net::kStatusResponseReceived, "", 1});
  EXPECT_EQ(picture(), "unchanged");
}

TEST_F(StatusCallback, AtProgramStartEveryPictureIsTheGreenBall) {
  state.transferPhase = kPhaseReceiving;
  state.bytesExpected = 100;
  for (int i = 0; i < 20; ++i) {
    TransferStatusCallback(state, StatusEvent{net::kStatusResponseReceived, "", 1});
    EXPECT_EQ(picture(), std::string(kGreenBall));
  }
}

TEST_F(StatusCallback, ConnectedStateChangeShowsOneBoxAndChangesNothing) {
  TransferStatusCallback(state, StatusEvent{net::kStatusStateChange, "", net::kStateConnected});
  ASSERT_EQ(boxes.shown.size(), 1u);
  const ui::MessageBoxRequest& box = boxes.shown[0];
  EXPECT_EQ(box.caption, "INTERNET_STATUS_STATE_CHANGED");
  EXPECT_EQ(box.text, "Connected state moved between secure and nonsecure site.");
  EXPECT_EQ(box.icon, ui::Icon::Information);
  EXPECT_FALSE(box.beep);
  EXPECT_EQ(boxes.beeps, 0);
  EXPECT_EQ(state.FTPCALLBACKSTATUS.str(), "before");
}

TEST_F(StatusCallback, ClosedWindowStillGetsItsVariables) {
  CloseTransferWindow(state);
  state.transferPhase = kPhaseReceiving;
  state.bytesExpected = 10;
  TransferStatusCallback(state, StatusEvent{net::kStatusConnectedToServer, "1.2.3.4", 0});
  TransferStatusCallback(state, StatusEvent{net::kStatusResponseReceived, "", 5});
  EXPECT_EQ(state.FTPCALLBACKSTATUS.str(), "Connected to: 1.2.3.4");
  EXPECT_EQ(state.PRGFILE, 50);
}

}  // namespace
}  // namespace vl::inet

namespace vl::inet {
namespace {

// Counts the times window work was let run; shows nothing.
struct YieldCounter : ui::Backend {
  int yields = 0;
  void windowOpened(ui::Window&) override {}
  void windowClosed(ui::Window&) override {}
  void controlChanged(ui::Window&, int, ui::Change) override {}
  void focusChanged(ui::Window&, int) override {}
  void windowMoved(ui::Window&) override {}
  void waitForInput(ui::Window&) override { throw std::logic_error("nobody to act"); }
  void yieldToWindows() override { ++yields; }
};

TEST(StatusCallbackWork, LetsWindowWorkRunOnEveryNotification) {
  YieldCounter backend;
  ui::setBackend(&backend);
  ProgramState state;
  for (std::uint32_t status : {net::kStatusResolvingName, net::kStatusConnectedToServer, net::kStatusHandleClosing})
    TransferStatusCallback(state, net::StatusEvent{status, "", 0});
  state.transferPhase = kPhaseFinished;
  TransferStatusCallback(state, net::StatusEvent{net::kStatusRequestComplete, "", 1});
  ui::setBackend(nullptr);
  EXPECT_EQ(backend.yields, 4);
}

}  // namespace
}  // namespace vl::inet
