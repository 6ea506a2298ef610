#include "services/messages.h"

#include <utility>

#include "platform/base/errors.h"

namespace vl::services {
namespace {

using ui::Button;
using ui::Icon;

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

ui::Button show(std::string_view caption, std::string text, Icon icon, bool beep) {
  ui::MessageBoxRequest request;
  request.caption = std::string(caption);
  request.text = std::move(text);
  request.icon = icon;
  request.beep = beep;
  return showBox(std::move(request));
}

}  // namespace

ui::Button showBox(ui::MessageBoxRequest request) {
  if (request.caption.size() > kCaptionWidth) request.caption.resize(kCaptionWidth);
  return ui::messageBoxHandler().showMessageBox(request);
}

void ShowMessage(std::string_view text, std::string_view caption, int kind, bool defaultCaption) {
  ui::messageBoxHandler().setCursor(ui::Cursor::Normal);
  const std::string_view shown = defaultCaption ? kDefaultCaption : caption;
  switch (kind) {
    case kMessageInformation:
      show(shown, std::string(text), Icon::Information, false);
      break;
    case kMessageWarning:
      show(shown, std::string(text), Icon::Exclamation, true);
      break;
    case kMessageError: {
      std::string full(trimRight(text));
      full += "||Error: ";
      full += platform::lastFileError().description;
      show(shown, std::move(full), Icon::Exclamation, true);
      break;
    }
    default:
      break;
  }
}

bool AskYesNo(std::string_view text, std::string_view caption, bool defaultCaption, int defaultButton,
              bool yesDefault) {
  ui::MessageBoxRequest request;
  request.caption = std::string(defaultCaption ? kDefaultCaption : caption);
  request.text = std::string(text);
  request.icon = Icon::Question;
  request.buttons = {Button::Yes, Button::No};
  const bool yesFocused = yesDefault || defaultButton == kButtonYes;
  request.defaultButton = yesFocused ? Button::Yes : Button::No;
  return showBox(std::move(request)) == Button::Yes;
}

void ShowTrace(std::string_view text, std::string_view caption, bool defaultCaption) {
  show(defaultCaption ? kDefaultTraceCaption : caption, std::string(text), Icon::Information, false);
}

}  // namespace vl::services
