#pragma once
// What the Internet session tests share: windows and boxes in this process
// (headless backend, recording message boxes) and a fresh program state with
// its transfer window, in a throw-away platform prefix.
#include <gtest/gtest.h>

#include <string>

#include "app/transfer_window.h"
#include "data/program_state.h"
#include "support/headless_in_process.h"
#include "support/sandbox.h"

namespace vl::test {

class InetTest : public ::testing::Test {
 protected:
  ~InetTest() override { DisposeTransferWindow(state); }

  std::string transcriptText() const { return windows.transcriptText(); }

  Sandbox sandbox;
  HeadlessInProcess windows;
  RecordingBoxes& boxes = windows.boxes;
  ProgramState state;
};

}  // namespace vl::test
