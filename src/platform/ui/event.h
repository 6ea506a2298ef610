#pragma once
// The events accept() hands the program, in the order they happen.
#include <string_view>

namespace vl::ui {

enum class EventKind {
  None,          // the window has closed: the accept loop ends
  OpenWindow,    // first event after open()
  GainFocus,     // the window is active again (a modal window above it closed)
  Selected,      // a control received the focus
  Accepted,      // an entry was left changed, a button pressed, a box toggled, a radio chosen
  NewSelection,  // a sheet shows another tab; a list box selected another row
  TabChanging,   // a sheet is about to show another tab
  Rejected,      // an entry's input was refused by its picture
  AlertKey,      // an entry's alert key was pressed
  CloseWindow,   // the close box (or a posted close); the loop ends after it
};

struct Event {
  EventKind kind = EventKind::None;
  int control = 0;  // 0 for window events
  explicit operator bool() const { return kind != EventKind::None; }
  bool operator==(const Event&) const = default;
};

std::string_view eventName(EventKind kind);  // "accepted", "closewindow", ...

}  // namespace vl::ui
