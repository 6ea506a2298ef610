#pragma once
// What the Internet session tests share: the headless window backend in this
// process (its transcript kept in memory), a message-box handler that records
// every box and answers from a list, and a fresh program state with its
// transfer window, in a throw-away platform prefix.
#include <gtest/gtest.h>

#include <deque>
#include <sstream>
#include <string>
#include <vector>

#include "app/transfer_window.h"
#include "data/program_state.h"
#include "platform/ui/headless_backend.h"
#include "platform/ui/message_box.h"
#include "support/sandbox.h"

namespace vl::test {

// Records each box; answers with the next queued button, else the default.
class RecordingBoxes : public ui::MessageBoxHandler {
 public:
  std::vector<ui::MessageBoxRequest> shown;
  std::deque<ui::Button> answers;
  int beeps = 0;

  ui::Button showMessageBox(const ui::MessageBoxRequest& request) override {
    shown.push_back(request);
    if (answers.empty()) return request.defaultButton;
    const ui::Button answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void beep() override { ++beeps; }
  void setCursor(ui::Cursor) override {}
};

class InetTest : public ::testing::Test {
 protected:
  InetTest() : backend_({}, transcript_, {}) {
    ui::setBackend(&backend_);
    ui::setMessageBoxHandler(&boxes);
  }
  ~InetTest() override {
    DisposeTransferWindow(state);
    ui::setMessageBoxHandler(nullptr);
    ui::setBackend(nullptr);
  }

  // The transcript lines written so far (window opened and closed, status
  // texts, progress values), and forgets them.
  std::vector<std::string> takeTranscript() {
    std::vector<std::string> lines;
    std::istringstream in(out_.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    out_.str("");
    return lines;
  }
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
