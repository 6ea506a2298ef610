#pragma once
// What the HTTP tests share: the headless window backend in this process, a
// message-box handler that records every box and answers from a list, a fresh
// program state with its transfer window, in a throw-away platform prefix.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/transfer_window.h"
#include "data/program_state.h"
#include "platform/ui/headless_backend.h"
#include "platform/ui/message_box.h"
#include "platform/ui/robot_script.h"
#include "support/headless_in_process.h"
#include "support/sandbox.h"

namespace vl::test {

class HttpTest : public ::testing::Test {
 protected:
  explicit HttpTest(const std::string& script = "") : backend_(ui::parseScript(script), transcript_, {}) {
    ui::setBackend(&backend_);
    ui::setMessageBoxHandler(&boxes);
  }
  ~HttpTest() override {
    DisposeTransferWindow(state);
    ui::setMessageBoxHandler(nullptr);
    ui::setBackend(nullptr);
  }

  // What the robot wrote: windows opened and closed, and its dump lines.
  std::string transcriptText() const { return out_.str(); }

  Sandbox sandbox;
  RecordingBoxes boxes;
  ProgramState state;

 private:
  std::ostringstream out_;
  ui::Transcript transcript_{out_};
  ui::HeadlessBackend backend_;
};

}  // namespace vl::test
