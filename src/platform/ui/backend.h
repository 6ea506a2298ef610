#pragma once
// The one interface a window backend implements. The runtime (Window) owns all
// window and control state and all event queues; a backend only mirrors that
// state on a screen (or a transcript) and feeds a person's actions back through
// user_input.h. Everything happens on the program's one thread.
//
// Contract, in the order things happen:
//   windowOpened(w)        after Window::open(); build the native window from
//                          w.desc() and the current state (w.control(n)).
//   controlChanged(w,n,c)  after any change of control n's state (text, value,
//                          visibility, icon, list rows ...); c says which. Called
//                          only while w is open, only when something changed.
//   listRowsChanged(w,n,first,last)
//                          list box n: rows first..last (1-based, none when
//                          first > last) show new contents or marks, and the
//                          number of rows or the selected row may have changed;
//                          every other row shows what it showed before. The
//                          default takes it as a Change::List of the whole list.
//   focusChanged(w,n)      the runtime moved the focus to control n.
//   windowMoved(w)         the program moved the window (w.x(), w.y(), DU);
//                          a backend reports a person's move with w.userMoved.
//   waitForInput(w)        accept() has nothing queued for w, the top-most open
//                          window. Return once a person acted (user_input.h
//                          calls queue events on w) or w has been closed.
//                          Returning with nothing queued is allowed (accept()
//                          asks again); a backend that will never get input
//                          again must throw rather than spin.
//   yieldToWindows()       a long blocking operation lets pending window work
//                          run (repaint, a Cancel click); return promptly.
//   windowClosed(w)        after Window::close(); destroy the native window.
// Message boxes, beeps and the cursor go through the MessageBoxHandler of
// message_box.h, which the backend installs alongside itself.
#include "platform/ui/message_box.h"

namespace vl::ui {

class Window;

enum class Change {
  Text,       // caption or on-screen text
  Value,      // check box, option group, progress bar value
  State,      // hidden, disabled, required, read-only, picture (attributes)
  Icon,       // icon or picture resource
  List,       // rows, selected row, marks or list icons
  Tab,        // the sheet shows another tab
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual void windowOpened(Window& window) = 0;
  virtual void windowClosed(Window& window) = 0;
  virtual void controlChanged(Window& window, int control, Change change) = 0;
  virtual void listRowsChanged(Window& window, int control, int /*first*/, int /*last*/) {
    controlChanged(window, control, Change::List);
  }
  virtual void focusChanged(Window& window, int control) = 0;
  virtual void windowMoved(Window& window) = 0;
  virtual void waitForInput(Window& window) = 0;
  virtual void yieldToWindows() = 0;
};

// The backend in force; installing nullptr leaves no backend, and opening a
// window then fails with std::logic_error.
void setBackend(Backend* backend);
Backend* currentBackend();

// Lets pending window work run during a long blocking operation (the Internet
// status callback calls it); does nothing without a backend.
void yieldToWindows();

// The system's default beep and the mouse cursor, through the message-box handler.
void beep();
void setCursor(Cursor cursor);

}  // namespace vl::ui
