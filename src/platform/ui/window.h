#pragma once
// A window at run time: its description, the live state of each control, the
// bound variables and the event queue. A procedure opens it and loops on
// accept(); the backend in force mirrors it on screen or in a transcript.
//
//   Window w(kSetupWindow);
//   w.bindVariable("LOCATIONID", bindVar(state.locationId));
//   w.open();
//   while (Event e = w.accept()) {
//     if (e.kind == EventKind::Accepted && e.control == kOkButton) ...
//   }
//
// Controls are numbered from 1 in declaration order; every call that takes a
// control number throws std::out_of_range for a number outside the window.
// The object keeps its control state between open() and close() cycles, so a
// window that is opened again shows what it showed last time.
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/binding.h"
#include "platform/ui/event.h"
#include "platform/ui/picture.h"
#include "platform/ui/window_desc.h"

namespace vl::ui {

struct ControlState {
  const ControlDesc* desc = nullptr;
  int number = 0;
  int parent = 0;          // resolved: group of a radio, sheet of a tab, tab of a control
  unsigned attrs = 0;      // live attributes (kHidden, kDisabled, kRequired, ...)
  std::string text;        // what it shows: caption, or an entry's on-screen text
  long long value = 0;     // check box, option group, progress bar
  std::string icon;        // icon or picture resource
  Picture picture;
  Binding binding;
  int shownTab = 0;        // sheet: number of the tab it shows
  // list box
  ListSource list;
  std::vector<ListRow> rows;
  std::vector<std::string> listIcons;  // icon n is listIcons[n-1]
  int selectedRow = 0;                 // 1-based, 0 none
  bool marksOn = false;
  std::vector<bool> marks;

  bool has(unsigned attr) const { return (attrs & attr) != 0; }
};

class Window {
 public:
  explicit Window(const WindowDesc& desc);
  ~Window();  // closes the window if it is open
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  const WindowDesc& desc() const { return desc_; }
  std::string_view name() const { return desc_.name; }
  int count() const { return static_cast<int>(controls_.size()); }
  // Number of the control with this identifier (case-insensitive), 0 if none.
  int number(std::string_view id) const;
  const ControlState& control(int n) const;

  // --- lifecycle and events -------------------------------------------------
  void open();   // shows it on top of the open windows; queues OpenWindow
  void close();  // hides it; accept() returns EventKind::None from now on
  bool isOpen() const { return open_; }
  // The next event, waiting for the person when none is queued. After the
  // CloseWindow event has been handed out, the next call closes the window.
  // Returns EventKind::None once the window is closed.
  Event accept();
  // Queues an event as if it had happened (an accepted event for an entry,
  // a CloseWindow to end the loop ...).
  void post(EventKind kind, int control = 0);
  // Whether accept() has something to hand out without waiting (a backend's
  // waitForInput pumps its native loop until this turns true or w closes).
  bool hasPendingEvents() const { return !queue_.empty(); }

  // --- variables -------------------------------------------------------------
  void bind(int control, Binding binding);
  // Binds every control whose description names this variable.
  void bindVariable(std::string_view variable, const Binding& binding);
  void bindList(int control, ListSource source);
  void display();             // every control shows its variable again
  void display(int control);
  void update();              // every entry's on-screen text into its variable
  void update(int control);   // an entry's on-screen text into its variable

  // --- properties ------------------------------------------------------------
  void setText(int control, std::string_view text);  // caption / on-screen text
  const std::string& text(int control) const;
  void setHidden(int control, bool hidden);
  void setDisabled(int control, bool disabled);
  void setRequired(int control, bool required);
  void setReadOnly(int control, bool readOnly);
  void setMasked(int control, bool masked);
  void setIcon(int control, std::string_view resource);
  void setPicture(int control, std::string_view picture);  // "@n4b"
  void setListIcons(int control, std::vector<std::string> resources);
  void setListMarks(int control, bool on);   // rows get marks from the source
  void selectRow(int control, int row);      // 1-based, 0 none
  int selectedRow(int control) const;
  // Gives the control the focus (showing its tab first) and queues Selected.
  void select(int control);
  int focus() const { return focus_; }
  // Where the window stands, in dialog units from the screen's top left
  // corner (0,0 until it is moved: the backend centres such a window).
  int x() const { return x_; }
  int y() const { return y_; }
  void moveTo(int x, int y);
  // Effective state: the control and all it lies in are shown / enabled, and
  // a control on a tab is visible only while its sheet shows that tab.
  bool visible(int control) const;
  bool enabled(int control) const;
  // The check a kChecksRequired button makes before it acts: every shown,
  // enabled entry marked required must not be blank (nor 0 for a number).
  // On failure: beep, focus the first failing entry, return false.
  bool checkRequired();

  // --- what a person does (backends call these) -------------------------------
  // Each queues the events the action raises and returns "", or returns why
  // the action is impossible (hidden, disabled, wrong kind) and changes nothing.
  std::string userFocus(int control);
  // Selects the entry, replaces its content by typing `typed` key by key (picture,
  // upper case and capitalising apply), then leaves it: Accepted, or Rejected
  // at the first key the picture refuses.
  std::string userType(int control, std::string_view typed);
  // Presses a button, toggles a check box, chooses a radio or a tab.
  std::string userPress(int control);
  void userClose();  // the close box
  // Chooses a row of a list box (NewSelection for the list).
  std::string userSelectRow(int control, int row);
  // Ticks or clears a row's mark; needs marks on and a source that stores them.
  std::string userMarkRow(int control, int row, bool on);
  void userMoved(int x, int y) { x_ = x, y_ = y; }  // the person dragged the window

 private:
  struct Queued {
    Event event;
    bool checkRequiredFirst = false;
  };
  ControlState& at(int n);
  void setAttribute(int control, unsigned attr, bool on);
  void changed(int control, int change);
  void rowsChanged(int control, int first, int last);  // list box rows, see Backend
  void queue(Event event, bool checkRequiredFirst = false);
  void moveFocus(int control);
  void showTabOf(int control);
  std::string cannotAct(int control) const;
  void displayList(ControlState& c);
  void setScreenText(ControlState& c, std::string text);
  void setValue(ControlState& c, long long value);

  const WindowDesc& desc_;
  std::vector<ControlState> controls_;
  std::deque<Queued> queue_;
  bool open_ = false;
  bool closeAfterEvent_ = false;
  int focus_ = 0;
  int x_ = 0, y_ = 0;
};

// The open windows, bottom first; the last one is the active one.
const std::vector<Window*>& openWindows();
Window* findOpenWindow(std::string_view name);  // case-insensitive

}  // namespace vl::ui
