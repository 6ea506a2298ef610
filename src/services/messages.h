#pragma once
// The three procedures that put every message of the program on the screen, so
// that all boxes look and sound alike. A "|" in a text is a line break, "||" an
// empty line; the caller composes the text, these only choose caption, icon,
// buttons and beep. All of them are modal and return when the box is closed.
#include <string>
#include <string_view>

#include "platform/ui/message_box.h"

namespace vl::services {

// Kinds of ShowMessage.
enum MessageKind : int {
  kMessageInformation = 0,  // information icon, no beep
  kMessageWarning = 1,      // beep, exclamation icon
  kMessageError = 2,        // beep, exclamation icon, "||Error: " + last file error appended
};

// Buttons of AskYesNo.
enum YesNoButton : int { kButtonYes = 1, kButtonNo = 2 };

inline constexpr std::string_view kDefaultCaption = "Message";
inline constexpr std::string_view kDefaultTraceCaption = "Trace Message";
inline constexpr std::size_t kCaptionWidth = 80;  // a longer caption is cut

// Restores the normal cursor, then shows text with one OK button. With
// defaultCaption set the caption is "Message", otherwise `caption` exactly as
// given (even blank). Any kind other than 0, 1 or 2 shows nothing.
void ShowMessage(std::string_view text, std::string_view caption, int kind, bool defaultCaption);

// Question icon, "Yes" then "No". The focused button is Yes when yesDefault is
// set, else defaultButton (1 Yes, 2 No). True only when Yes closed the box.
// Neither beeps nor touches the cursor.
bool AskYesNo(std::string_view text, std::string_view caption, bool defaultCaption, int defaultButton,
              bool yesDefault);

// A diagnostic box: information icon, OK, no beep; default caption "Trace Message".
void ShowTrace(std::string_view text, std::string_view caption, bool defaultCaption);

// Shows one box as requested, its caption cut to 80 characters; the common
// path of the procedures above and of the file warnings. Returns the button
// that closed it.
ui::Button showBox(ui::MessageBoxRequest request);

}  // namespace vl::services
