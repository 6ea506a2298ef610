#include "platform/ui/message_box.h"

namespace vl::ui {
namespace {

class SilentHandler final : public MessageBoxHandler {
 public:
  Button showMessageBox(const MessageBoxRequest& request) override { return request.defaultButton; }
  void beep() override {}
  void setCursor(Cursor) override {}
};

SilentHandler gSilent;
MessageBoxHandler* gHandler = &gSilent;

}  // namespace

MessageBoxHandler& messageBoxHandler() { return *gHandler; }
void setMessageBoxHandler(MessageBoxHandler* handler) { gHandler = handler ? handler : &gSilent; }

std::string buttonName(Button button) {
  switch (button) {
    case Button::Ok: return "OK";
    case Button::Yes: return "Yes";
    case Button::No: return "No";
  }
  return "OK";
}

std::string iconName(Icon icon) {
  switch (icon) {
    case Icon::Information: return "information";
    case Icon::Exclamation: return "exclamation";
    case Icon::Question: return "question";
    case Icon::None: return "none";
  }
  return "none";
}

}  // namespace vl::ui
