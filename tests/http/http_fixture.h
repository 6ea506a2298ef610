#pragma once
// What the HTTP tests share: the headless window backend in this process, a
// message-box handler that records every box and answers from a list, a fresh
// program state with its transfer window, in a throw-away platform prefix.
#include <gtest/gtest.h>

#include <deque>
#include <sstream>
#include <string>
#include <vector>

#include "app/transfer_window.h"
#include "data/program_state.h"
#include "platform/ui/headless_backend.h"
#include "platform/ui/message_box.h"
#include "platform/ui/robot_script.h"
#include "support/sandbox.h"

namespace vl::test {

class RecordingBoxes : public ui::MessageBoxHandler {
 public:
  std::vector<ui::MessageBoxRequest> shown;
  std::deque<ui::Button> answers;

  ui::Button showMessageBox(const ui::MessageBoxRequest& request) override {
    shown.push_back(request);
    if (answers.empty()) return request.defaultButton;
    const ui::Button answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void beep() override {}
  void setCursor(ui::Cursor) override {}

  // The texts shown, in order.
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const auto& box : shown) out.push_back(box.text);
    return out;
  }
  bool showed(const std::string& part) const {
    for (const auto& box : shown)
      if (box.text.find(part) != std::string::npos) return true;
    return false;
  }
};

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

  Sandbox sandbox;
  RecordingBoxes boxes;
  ProgramState state;

 private:
  std::ostringstream out_;
  ui::Transcript transcript_{out_};
  ui::HeadlessBackend backend_;
};

}  // namespace vl::test
