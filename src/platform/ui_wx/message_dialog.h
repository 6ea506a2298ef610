#pragma once
#include <string>

#include <wx/string.h>

#include "platform/ui/message_box.h"

class wxWindow;

namespace vl::ui::wxb {

// Shows the box modally over parent (may be nullptr) and returns the button
// that closed it. Its dialog is named "vl-message-box".
Button runMessageDialog(wxWindow* parent, const MessageBoxRequest& request);

// The program's text as the box shows it: "|" starts a new line.
wxString messageText(const std::string& text);

}  // namespace vl::ui::wxb
