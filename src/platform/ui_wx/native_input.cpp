// A person's actions on the native controls, handed to the runtime's user*
// calls so that a click or a key does exactly what the headless robot's
// script line does. An action the runtime refuses leaves the control showing
// the runtime's state again.
#include <cctype>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "platform/ui_wx/native_window.h"

namespace vl::ui::wxb {
namespace {

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// What the entry shows after `key` is typed at the caret, the way the
// runtime types: case rules first, then the picture. Empty when the picture
// refuses the key (full is set when only the width stops it).
std::string typed(const ControlState& c, const std::string& before, char key, bool& full) {
  full = false;
  if (c.has(kUpperCase) || (c.has(kCapitalised) && (before.empty() || before.back() == ' '))) key = upper(key);
  if (!acceptsChar(c.picture, before, key)) return {};
  if (!fitsText(c.picture, before)) {
    full = true;
    return {};
  }
  return std::string(1, key);
}

void onEntryChar(NativeWindow& nw, int n, wxKeyEvent& e) {
  auto* entry = static_cast<wxTextCtrl*>(nw.native(n));
  const ControlState& c = nw.model.control(n);
  const int key = e.GetKeyCode();
  if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
    if (c.has(kAlertEnter)) {
      nw.model.setText(n, fromWx(entry->GetValue()));
      nw.model.post(EventKind::AlertKey, n);
    } else {
      commitEntry(nw, n);
      entry->Navigate();
    }
    return;
  }
  const wxChar ch = e.GetUnicodeKey();
  if (ch < ' ' || ch == WXK_DELETE || c.has(kReadOnly) || c.has(kMultiLine)) {
    e.Skip();
    return;
  }
  long from = 0, to = 0;
  entry->GetSelection(&from, &to);
  const std::string text = fromWx(entry->GetValue());
  const std::string before = text.substr(0, static_cast<std::size_t>(from));
  bool full = false;
  const std::string add = ch < 128 ? typed(c, before, static_cast<char>(ch), full) : std::string();
  if (!add.empty()) {
    entry->Replace(from, to, toWx(add));
  } else if (!full) {
    // The runtime decides what a refused key does (the program then beeps and
    // shows the variable again), exactly as for typed script input.
    nw.model.userType(n, before + static_cast<char>(ch < 128 ? ch : '?'));
  }
}

void bindEntry(NativeWindow& nw, int n, wxTextCtrl* entry) {
  entry->Bind(wxEVT_CHAR, [&nw, n](wxKeyEvent& e) {
    if (nw.closed) return e.Skip();
    onEntryChar(nw, n, e);
  });
  entry->Bind(wxEVT_KILL_FOCUS, [&nw, n](wxFocusEvent& e) {
    e.Skip();
    if (!nw.closed) commitEntry(nw, n);
  });
}

void bindFocus(NativeWindow& nw, int n, wxWindow* native) {
  native->Bind(wxEVT_SET_FOCUS, [&nw, n](wxFocusEvent& e) {
    e.Skip();
    if (!nw.closed && !nw.mirroring && nw.model.focus() != n) nw.model.userFocus(n);
  });
}

// The runtime refused or changed the action: show its state again.
void resync(NativeWindow& nw, int n, const std::string& refused) {
  if (!refused.empty()) {
    mirrorControl(nw, n, Change::Value);
    const int group = nw.model.control(n).parent;
    if (group != 0) mirrorControl(nw, group, Change::Value);
  }
}

}  // namespace

void commitEntry(NativeWindow& nw, int n) {
  auto* entry = dynamic_cast<wxTextCtrl*>(nw.native(n));
  if (!entry || !entry->IsModified() || nw.model.control(n).has(kReadOnly)) return;
  entry->DiscardEdits();
  nw.model.userType(n, fromWx(entry->GetValue()));
}

void bindInput(NativeWindow& nw, int n) {
  wxWindow* native = nw.native(n);
  if (!native) return;
  switch (nw.model.control(n).desc->kind) {
    case ControlKind::Entry:
      bindEntry(nw, n, static_cast<wxTextCtrl*>(native));
      break;
    case ControlKind::Button:
      if (auto* button = dynamic_cast<wxButton*>(native)) {
        button->Bind(wxEVT_BUTTON, [&nw, n](wxCommandEvent&) {
          if (!nw.closed) nw.model.userPress(n);
        });
      }
      break;
    case ControlKind::CheckBox:
      native->Bind(wxEVT_CHECKBOX, [&nw, n](wxCommandEvent&) {
        if (!nw.closed && !nw.mirroring) resync(nw, n, nw.model.userPress(n));
      });
      break;
    case ControlKind::Radio:
      native->Bind(wxEVT_RADIOBUTTON, [&nw, n](wxCommandEvent&) {
        if (!nw.closed && !nw.mirroring) resync(nw, n, nw.model.userPress(n));
      });
      break;
    default:
      break;
  }
  const ControlKind kind = nw.model.control(n).desc->kind;
  if (kind == ControlKind::Entry || kind == ControlKind::Button || kind == ControlKind::CheckBox ||
      kind == ControlKind::Radio || kind == ControlKind::ListBox) {
    bindFocus(nw, n, native);
  }
}

}  // namespace vl::ui::wxb
