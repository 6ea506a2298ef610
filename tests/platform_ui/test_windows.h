#pragma once
// Small windows for the runtime tests, declared the way the program declares
// its own, and a backend that plays a list of user actions.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "data/fixed_text.h"
#include "platform/ui/backend.h"
#include "platform/ui/window.h"

namespace vl::ui::test {

// 1 ?NAME entry capitalised required, 2 ?FOLDER entry upper case required,
// 3 ?ID entry @n4b required, 4 ?FLAG check box, 5 ?KIND option group,
// 6/7 radios, 8 ?SHEET, 9 ?TAB1, 10 ?ONTAB1 entry, 11 ?TAB2, 12 ?ONTAB2 entry
// required, 13 ?STATUS text showing a variable, 14 ?PROGRESS, 15 ?OK button
// that checks the required entries, 16 ?OFF disabled button, 17 ?FILES list.
inline constexpr ControlDesc kFormControls[] = {
    {.id = "?NAME", .kind = ControlKind::Entry, .at = {10, 10}, .attrs = kRequired | kCapitalised,
     .picture = "@s20", .variable = "NAME"},
    {.id = "?FOLDER", .kind = ControlKind::Entry, .at = {10, 20}, .attrs = kRequired | kUpperCase,
     .picture = "@s10", .variable = "FOLDER"},
    {.id = "?ID", .kind = ControlKind::Entry, .at = {10, 30}, .attrs = kRequired, .picture = "@n4b",
     .variable = "ID"},
    {.id = "?FLAG", .kind = ControlKind::CheckBox, .text = "Flag", .variable = "FLAG"},
    {.id = "?KIND", .kind = ControlKind::OptionGroup, .text = "Kind:", .attrs = kBoxed, .variable = "KIND"},
    {.id = "?KIND:RADIO1", .kind = ControlKind::Radio, .text = "One", .value = 1},
    {.id = "?KIND:RADIO2", .kind = ControlKind::Radio, .text = "Two", .value = 2},
    {.id = "?SHEET", .kind = ControlKind::Sheet},
    {.id = "?TAB1", .kind = ControlKind::Tab, .text = "&First"},
    {.id = "?ONTAB1", .kind = ControlKind::Entry, .picture = "@s10", .variable = "ONTAB1", .parent = 9},
    {.id = "?TAB2", .kind = ControlKind::Tab, .text = "&Second"},
    {.id = "?ONTAB2", .kind = ControlKind::Entry, .attrs = kRequired, .picture = "@s10", .variable = "ONTAB2",
     .parent = 11},
    {.id = "?STATUS", .kind = ControlKind::Text, .picture = "@s60", .variable = "STATUS"},
    {.id = "?PROGRESS", .kind = ControlKind::ProgressBar, .variable = "PROGRESS"},
    {.id = "?OK", .kind = ControlKind::Button, .text = "OK", .attrs = kChecksRequired, .icon = "ok.ico"},
    {.id = "?OFF", .kind = ControlKind::Button, .text = "Off", .attrs = kDisabled},
    {.id = "?FILES", .kind = ControlKind::ListBox},
};
inline constexpr WindowDesc kForm{.name = "T$FORM", .caption = "Test Form", .width = 200, .height = 150,
                                  .controls = kFormControls};

inline constexpr ControlDesc kInnerControls[] = {
    {.id = "?VALUE", .kind = ControlKind::Entry, .attrs = kMasked, .picture = "@s8", .variable = "VALUE"},
    {.id = "?DONE", .kind = ControlKind::Button, .text = "Done"},
};
inline constexpr WindowDesc kInner{.name = "T$INNER", .caption = "Inner \"quoted\"", .width = 80, .height = 40,
                                   .controls = kInnerControls};

enum FormControl {
  kName = 1, kFolder, kId, kFlag, kKind, kRadio1, kRadio2, kSheet, kTab1, kOnTab1, kTab2, kOnTab2,
  kStatus, kProgress, kOk, kOff, kFiles
};

// The program variables behind the form.
struct FormVars {
  FixedText<20> name;
  FixedText<10> folder;
  std::int16_t id = 0;
  std::uint8_t flag = 0;
  std::uint8_t kind = 0;
  FixedText<10> onTab1, onTab2;
  FixedText<60> status;
  std::uint8_t progress = 0;

  void bindTo(Window& w) {
    w.bindVariable("NAME", bindVar(name));
    w.bindVariable("FOLDER", bindVar(folder));
    w.bindVariable("ID", bindVar(id));
    w.bindVariable("FLAG", bindVar(flag));
    w.bindVariable("KIND", bindVar(kind));
    w.bindVariable("ONTAB1", bindVar(onTab1));
    w.bindVariable("ONTAB2", bindVar(onTab2));
    w.bindVariable("STATUS", bindVar(status));
    w.bindVariable("PROGRESS", bindVar(progress));
  }
};

// Plays one queued action per waitForInput; with none left it closes the
// window, so a test loop always ends.
class PlayBackend final : public Backend, public MessageBoxHandler {
 public:
  std::deque<std::function<void(Window&)>> actions;
  std::vector<std::string> log;  // "open T$FORM", "close T$FORM", "beep"
  int beeps = 0;

  void windowOpened(Window& w) override { log.push_back("open " + std::string(w.name())); }
  void windowClosed(Window& w) override { log.push_back("close " + std::string(w.name())); }
  std::vector<std::string> lists;  // list updates: "all" or "rows FIRST-LAST"
  void controlChanged(Window&, int, Change change) override {
    if (change == Change::List) lists.push_back("all");
  }
  void listRowsChanged(Window&, int, int first, int last) override {
    lists.push_back("rows " + std::to_string(first) + "-" + std::to_string(last));
  }
  void focusChanged(Window&, int) override {}
  void windowMoved(Window&) override {}
  void waitForInput(Window& w) override {
    if (actions.empty()) return w.userClose();
    auto action = std::move(actions.front());
    actions.pop_front();
    action(w);
  }
  void yieldToWindows() override {}
  Button showMessageBox(const MessageBoxRequest& r) override { return r.defaultButton; }
  void beep() override {
    ++beeps;
    log.push_back("beep");
  }
  void setCursor(Cursor) override {}
};

// Installs a PlayBackend for the life of a test.
struct PlayFixtureGuard {
  explicit PlayFixtureGuard(PlayBackend& b) {
    setBackend(&b);
    setMessageBoxHandler(&b);
  }
  ~PlayFixtureGuard() {
    setBackend(nullptr);
    setMessageBoxHandler(nullptr);
  }
};

// The events of one loop on w until it closes.
inline std::vector<Event> drain(Window& w) {
  std::vector<Event> events;
  while (Event e = w.accept()) events.push_back(e);
  return events;
}

}  // namespace vl::ui::test
