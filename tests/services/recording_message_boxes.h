#pragma once
// A message-box handler for tests: records every box, beep and cursor change
// in order, and answers each box from a short list of rules (the first rule
// whose text occurs in the box's caption or text wins; otherwise the box's
// default button). Installed for the lifetime of the object.
#include <string>
#include <vector>

#include "platform/ui/message_box.h"

namespace vl::test {

class RecordingMessageBoxes final : public ui::MessageBoxHandler {
 public:
  RecordingMessageBoxes() { ui::setMessageBoxHandler(this); }
  ~RecordingMessageBoxes() override { ui::setMessageBoxHandler(nullptr); }
  RecordingMessageBoxes(const RecordingMessageBoxes&) = delete;
  RecordingMessageBoxes& operator=(const RecordingMessageBoxes&) = delete;

  void answer(std::string textOrCaptionPart, ui::Button button) {
    rules_.push_back({std::move(textOrCaptionPart), button});
  }

  ui::Button showMessageBox(const ui::MessageBoxRequest& request) override {
    boxes.push_back(request);
    events.push_back("box:" + request.caption);
    for (const auto& rule : rules_) {
      if (request.caption.find(rule.part) != std::string::npos ||
          request.text.find(rule.part) != std::string::npos) {
        return rule.button;
      }
    }
    return request.defaultButton;
  }
  void beep() override { events.push_back("beep"); }
  void setCursor(ui::Cursor cursor) override {
    events.push_back(cursor == ui::Cursor::Normal ? "cursor:normal" : "cursor:busy");
  }

  std::vector<ui::MessageBoxRequest> boxes;
  std::vector<std::string> events;

 private:
  struct Rule {
    std::string part;
    ui::Button button;
  };
  std::vector<Rule> rules_;
};

}  // namespace vl::test
