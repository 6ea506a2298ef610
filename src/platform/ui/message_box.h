#pragma once
// Every message box, beep and cursor change of the program goes through the
// one handler installed here, so that a backend (real windows, or the headless
// robot that answers from a test's rules) decides how it is shown.
#include <string>
#include <vector>

namespace vl::ui {

enum class Icon { None, Information, Exclamation, Question };
enum class Button { Ok, Yes, No };
enum class Cursor { Normal, Busy };

struct MessageBoxRequest {
  std::string caption = {};
  std::string text = {};  // "|" is a line break, exactly as the program built it
  Icon icon = Icon::None;
  std::vector<Button> buttons{Button::Ok};
  Button defaultButton = Button::Ok;
  bool beep = false;  // the box is preceded by the system's default beep
};

class MessageBoxHandler {
 public:
  virtual ~MessageBoxHandler() = default;
  // Shows the box modally and returns the button that closed it. Closing the
  // box any other way returns the button a dialog's Escape would give:
  // the only button of an OK box, No for Yes/No.
  virtual Button showMessageBox(const MessageBoxRequest& request) = 0;
  virtual void beep() = 0;
  virtual void setCursor(Cursor cursor) = 0;
};

// The handler in force. Until a backend installs one, a silent handler answers
// every box with its default button, so nothing ever blocks.
MessageBoxHandler& messageBoxHandler();
void setMessageBoxHandler(MessageBoxHandler* handler);  // nullptr restores the silent one

std::string buttonName(Button button);  // "OK", "Yes", "No"
std::string iconName(Icon icon);        // "information", "exclamation", "question", "none"

}  // namespace vl::ui
