#pragma once
// Windows and message boxes for tests that run program procedures in this
// process: the headless backend with its transcript kept in memory, and a
// message-box handler that records every box and answers from a list.
// Header only; the test links vl_platform_ui.
#include <deque>
#include <sstream>
#include <string>
#include <vector>

#include "platform/ui/headless_backend.h"
#include "platform/ui/message_box.h"

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

// Installs the headless backend (no script: nothing may wait for a person)
// and the recording boxes while it lives.
class HeadlessInProcess {
 public:
  HeadlessInProcess() {
    ui::setBackend(&backend_);
    ui::setMessageBoxHandler(&boxes);
  }
  ~HeadlessInProcess() {
    ui::setMessageBoxHandler(nullptr);
    ui::setBackend(nullptr);
  }
  HeadlessInProcess(const HeadlessInProcess&) = delete;
  HeadlessInProcess& operator=(const HeadlessInProcess&) = delete;

  // Windows opened and closed, status texts and progress values, one JSON
  // object a line.
  std::string transcriptText() const { return out_.str(); }
  void clearTranscript() { out_.str(""); }

  RecordingBoxes boxes;

 private:
  std::ostringstream out_;
  ui::Transcript transcript_{out_};
  ui::HeadlessBackend backend_{{}, transcript_, {}};
};

}  // namespace vl::test
