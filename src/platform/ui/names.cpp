#include <algorithm>
#include <cctype>

#include "platform/ui/event.h"
#include "platform/ui/window_desc.h"

namespace vl::ui {

std::string_view kindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Text: return "text";
    case ControlKind::Prompt: return "prompt";
    case ControlKind::Heading: return "heading";
    case ControlKind::Entry: return "entry";
    case ControlKind::Button: return "button";
    case ControlKind::CheckBox: return "checkbox";
    case ControlKind::OptionGroup: return "option";
    case ControlKind::Radio: return "radio";
    case ControlKind::Sheet: return "sheet";
    case ControlKind::Tab: return "tab";
    case ControlKind::Line: return "line";
    case ControlKind::Image: return "image";
    case ControlKind::ProgressBar: return "progress";
    case ControlKind::ListBox: return "list";
  }
  return "unknown";
}

bool sameIdentifier(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

std::string_view eventName(EventKind kind) {
  switch (kind) {
    case EventKind::None: return "none";
    case EventKind::OpenWindow: return "openwindow";
    case EventKind::GainFocus: return "gainfocus";
    case EventKind::Selected: return "selected";
    case EventKind::Accepted: return "accepted";
    case EventKind::NewSelection: return "newselection";
    case EventKind::TabChanging: return "tabchanging";
    case EventKind::Rejected: return "rejected";
    case EventKind::AlertKey: return "alertkey";
    case EventKind::CloseWindow: return "closewindow";
  }
  return "unknown";
}

}  // namespace vl::ui
