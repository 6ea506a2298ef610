// What the smoke test does, step by step, as a person with a mouse and a
// keyboard would: every action goes through the X server (XTest), so the
// native controls, the backend and the runtime all take part.
#include <memory>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>

#include "app/transfer_window.h"
#include "gui/smoke_driver.h"
#include "platform/ui/window.h"
#include "platform/ui_wx/wx_backend.h"

namespace vl::gui {
namespace {

constexpr const char* kSetup = "P1$FTPINSTALLER";
constexpr const char* kKeyboard = "P1$TOUCHKEYPAD";
constexpr const char* kKeypad = "P1$MODALWINDOW";

ui::Window* window(const char* name) { return ui::findOpenWindow(name); }

bool isTop(const char* name) {
  const auto& open = ui::openWindows();
  if (open.empty() || !ui::sameIdentifier(open.back()->name(), name)) return false;
  wxWindow* frame = ui::wxb::nativeFrame(*open.back());
  return frame && frame->IsShownOnScreen();
}

std::string text(const char* name, const char* id) {
  ui::Window* w = window(name);
  return w && w->number(id) ? w->text(w->number(id)) : "<no such control>";
}

void clickAt(wxWindow* target) {
  static wxUIActionSimulator sim;
  const wxRect r = target->GetScreenRect();
  sim.MouseMove(r.x + r.width / 2, r.y + r.height / 2);
  sim.MouseClick();
}

void click(SmokeLog& log, const char* name, const char* id) {
  ui::Window* w = window(name);
  wxWindow* target = w ? ui::wxb::nativeControl(*w, w->number(id)) : nullptr;
  if (!target) return log.check(false, std::string("no native control ") + id + " in " + name);
  clickAt(target);
}

void typeKeys(const char* keys) {
  static wxUIActionSimulator sim;
  sim.Text(keys);
}

wxTopLevelWindow* messageBox() {
  for (wxWindow* w : wxTopLevelWindows) {
    if (w->GetName() == "vl-message-box" && w->IsShownOnScreen()) return static_cast<wxTopLevelWindow*>(w);
  }
  return nullptr;
}

std::string boxText(wxWindow* box) {
  for (wxWindow* child : box->GetChildren()) {
    if (auto* t = dynamic_cast<wxStaticText*>(child)) return t->GetLabel().ToStdString();
  }
  return "";
}

void pressBoxButton(wxWindow* box, const wxString& label) {
  for (wxWindow* child : box->GetChildren()) {
    if (auto* b = dynamic_cast<wxButton*>(child); b && b->GetLabel() == label) return clickAt(b);
  }
}

int shownTab(const char* name, const char* sheet) {
  ui::Window* w = window(name);
  return w ? w->control(w->number(sheet)).shownTab : 0;
}

int number(const char* name, const char* id) {
  ui::Window* w = window(name);
  return w ? w->number(id) : -1;
}

SmokeStep tab(SmokeLog& log, const char* id, const char* shot) {
  return {std::string("show tab ") + id, [] { return isTop(kSetup); }, [&log, id, shot] {
            click(log, kSetup, id);
            (void)shot;
          }};
}

SmokeStep shotWhenTab(SmokeLog& log, const char* id, const char* shot) {
  return {std::string("tab ") + id + " shown", [id] { return shownTab(kSetup, "?SHEET1") == number(kSetup, id); },
          [&log, shot] { log.screenshot(shot); }};
}

std::vector<SmokeStep> setupSteps(SmokeLog& log) {
  return {
      {"setup window open", [] { return isTop(kSetup); },
       [&log] {
         log.screenshot("01-setup-general");
         log.check(text(kSetup, "?USERNAME") == "Ilvo Test", "developer mode fills the user name");
       }},
      tab(log, "?TAB2", ""), shotWhenTab(log, "?TAB2", "02-setup-account"),
      tab(log, "?TAB3", ""), shotWhenTab(log, "?TAB3", "03-setup-connection"),
      tab(log, "?TAB1", ""), shotWhenTab(log, "?TAB1", "01b-setup-general-again"),
  };
}

std::vector<SmokeStep> touchSteps(SmokeLog& log) {
  return {
      {"select the target location", {}, [&log] { click(log, kSetup, "?USERLOCATION"); }},
      {"keyboard button", {}, [&log] { click(log, kSetup, "?CMDKEYBOARD"); }},
      {"keyboard open", [] { return isTop(kKeyboard); }, [&log] {
         log.screenshot("04-keyboard");
         click(log, kKeyboard, "?KBDCLEAR");
       }},
      {"type S", {}, [&log] { click(log, kKeyboard, "?KBD14"); }},
      {"type h", {}, [&log] { click(log, kKeyboard, "?KBD18"); }},
      {"type o", {}, [&log] { click(log, kKeyboard, "?KBD9"); }},
      {"type p", {}, [&log] { click(log, kKeyboard, "?KBD10"); }},
      {"enter", {}, [&log] {
         log.check(text(kKeyboard, "?RETSTRING") == "Shop", "keyboard line shows Shop: " + text(kKeyboard, "?RETSTRING"));
         log.screenshot("05-keyboard-typed");
         click(log, kKeyboard, "?KBDENTER");
       }},
      {"keyboard closed", [] { return isTop(kSetup); }, [&log] {
         log.check(text(kSetup, "?USERLOCATION") == "Shop", "target location taken from the keyboard: " +
                                                                text(kSetup, "?USERLOCATION"));
         click(log, kSetup, "?LOCATIONID");
       }},
      {"keyboard button for the location ID", {}, [&log] { click(log, kSetup, "?CMDKEYBOARD"); }},
      {"keypad open", [] { return isTop(kKeypad); }, [&log] {
         log.screenshot("06-keypad");
         click(log, kKeypad, "?FOUR");
       }},
      {"keypad 2", {}, [&log] { click(log, kKeypad, "?TWO"); }},
      {"keypad OK", {}, [&log] {
         log.check(text(kKeypad, "?OUTNUMBER") == "42", "keypad shows 42: " + text(kKeypad, "?OUTNUMBER"));
         click(log, kKeypad, "?OKKEY");
       }},
      {"keypad closed", [] { return isTop(kSetup); }, [&log] {
         log.check(text(kSetup, "?LOCATIONID") == "42", "location ID taken from the keypad: " + text(kSetup, "?LOCATIONID"));
         click(log, kSetup, "?LOCATIONID");
       }},
      {"a letter typed into the location ID", {}, [] { typeKeys("x"); }},
      {"the number picture refused it", {}, [&log] {
         ui::Window* w = window(kSetup);
         const int n = number(kSetup, "?LOCATIONID");
         auto* entry = w ? dynamic_cast<wxTextCtrl*>(ui::wxb::nativeControl(*w, n)) : nullptr;
         const std::string shown = entry ? entry->GetValue().ToStdString() : "";
         log.check(text(kSetup, "?LOCATIONID") == "42" && shown == "42", "location ID still shows 42: " + shown);
       }},
  };
}

std::vector<SmokeStep> downloadSteps(SmokeLog& log) {
  return {
      {"select the local cloud folder", {}, [&log] { click(log, kSetup, "?FTP:LOCALFTP"); }},
      {"type the local folder", {}, [] { typeKeys("acme/shopf12"); }},
      {"leave it", {}, [&log] { click(log, kSetup, "?USERNAME"); }},
      {"download with the global folder blank", [] { return text(kSetup, "?FTP:LOCALFTP") == "ACME/SHOPF12"; },
       [&log] {
         log.check(true, "typed local folder shows in upper case");
         click(log, kSetup, "?OKBUTTON");
       }},
      {"required global folder gets the focus",
       [] { return window(kSetup) && window(kSetup)->focus() == number(kSetup, "?FTP:GLOBALFTP"); },
       [] { typeKeys("acme/acmehq"); }},
      {"download again", {}, [&log] { click(log, kSetup, "?OKBUTTON"); }},
      {"warning box", [] { return messageBox() != nullptr; }, [&log] {
         wxTopLevelWindow* box = messageBox();
         log.screenshot("07-message-box");
         log.check(box->GetTitle() == "Message", "box caption Message");
         log.check(boxText(box) == "You must select the POS RDBMS type.", "box text: " + boxText(box));
         pressBoxButton(box, "OK");
       }},
      {"box closed", [] { return messageBox() == nullptr && isTop(kSetup); }, [&log] {
         log.check(text(kSetup, "?FTP:GLOBALFTP") == "ACME/ACMEHQ", "global folder typed: " + text(kSetup, "?FTP:GLOBALFTP"));
         log.screenshot("08-setup-after-box");
       }},
  };
}

// No transfer can run here, so the driver shows the transfer window itself
// with a few files, both bars part-way and the review controls shown.
struct TransferShow {
  std::unique_ptr<ui::Window> window;
  std::string status = "Downloading POSDATA.ZIP...";
  std::string connection = "Receiving response from the server";
  int overall = 40, file = 70, multiple = 1, sort = 1;
  std::vector<ui::ListRow> rows{{transfer::kIconDone, {"", "VORPOS.INI", "4"}},
                                {transfer::kIconFetching, {"", "POSDATA.ZIP", "12,345"}},
                                {0, {"", "VLSECR.EXE", "2,048"}},
                                {0, {"", "SWUPD.TXT", "1"}}};
  std::vector<bool> marks{true, true, false, true};

  void open() {
    using namespace transfer;
    window = std::make_unique<ui::Window>(kTransferWindow);
    ui::Window& w = *window;
    w.bindVariable("STRFTPSTATUS", ui::bindVar(status));
    w.bindVariable("FTPCALLBACKSTATUS", ui::bindVar(connection));
    w.bindVariable("PRGFTP", ui::bindVar(overall));
    w.bindVariable("PRGFILE", ui::bindVar(file));
    w.bindVariable("BMULTIPLESELECTION", ui::bindVar(multiple));
    w.bindVariable("BSORTORDER", ui::bindVar(sort));
    w.bindList(kFileList, {.count = [this] { return static_cast<int>(rows.size()); },
                           .row = [this](int r) { return rows[static_cast<std::size_t>(r - 1)]; },
                           .mark = [this](int r) -> bool { return marks[static_cast<std::size_t>(r - 1)]; },
                           .setMark = [this](int r, bool on) { marks[static_cast<std::size_t>(r - 1)] = on; }});
    w.setListIcons(kFileList, {std::string(kArrowIcon), std::string(kTickIcon)});
    w.setText(kHeading, std::string(kHeadingText) + std::string(kHttpSuffix));
    for (int n : {kCallbackImage, kContinue, kCancel, kMultipleSelection, kSelectAll, kDeselectAll, kSortOrder}) {
      w.setHidden(n, false);
    }
    w.setDisabled(kSelectAll, false);
    w.setDisabled(kDeselectAll, false);
    w.open();
    w.display();
    w.setListMarks(kFileList, true);
  }
};

void clickRow(SmokeLog& log, ui::Window& w, int row) {
  auto* list = dynamic_cast<wxListCtrl*>(ui::wxb::nativeControl(w, transfer::kFileList));
  wxRect r;
  if (!list || !list->GetItemRect(row - 1, r)) return log.check(false, "no row " + std::to_string(row) + " to click");
  static wxUIActionSimulator sim;
  const wxPoint at = list->ClientToScreen(wxPoint(r.x + r.width / 2, r.y + r.height / 2));
  sim.MouseMove(at);
  sim.MouseClick();
}

std::vector<SmokeStep> transferSteps(SmokeLog& log, const std::shared_ptr<TransferShow>& show) {
  const char* name = "$FTPWINDOW";
  return {
      {"open the transfer window", {}, [show] { show->open(); }},
      {"transfer window shown", [name] { return isTop(name); }, [&log, show] {
         auto* list = dynamic_cast<wxListCtrl*>(ui::wxb::nativeControl(*show->window, transfer::kFileList));
         log.check(list && list->GetItemCount() == 4, "the file list shows 4 rows: " +
                                                      std::to_string(list ? list->GetItemCount() : -1));
         log.screenshot("09-transfer-window");
         clickRow(log, *show->window, 3);
       }},
      {"row chosen", [show] { return show->window->selectedRow(transfer::kFileList) == 3; }, [&log, show] {
         log.check(true, "a click chooses row 3 of the file list");
         log.screenshot("10-transfer-row-chosen");
         show->window->close();
         show->window.reset();
       }},
  };
}

}  // namespace

std::vector<SmokeStep> smokeSteps(SmokeLog& log) {
  std::vector<SmokeStep> steps = setupSteps(log);
  for (auto part : {touchSteps(log), downloadSteps(log), transferSteps(log, std::make_shared<TransferShow>())}) {
    steps.insert(steps.end(), part.begin(), part.end());
  }
  steps.push_back({"close the setup window", [] { return isTop(kSetup); }, [&log] { click(log, kSetup, "?CANCELBUTTON"); }});
  return steps;
}

}  // namespace vl::gui
