#pragma once
// The native side of one open runtime window: a top-level wx window with one
// native control per control of the description. The runtime's Window stays
// the owner of all state; these procedures mirror it and turn a person's
// actions into the runtime's user* calls.
#include <memory>
#include <vector>

#include <wx/dialog.h>
#include <wx/panel.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "platform/ui/backend.h"
#include "platform/ui/window.h"
#include "platform/ui_wx/layout.h"

namespace vl::ui::wxb {

struct NativeWindow {
  Window& model;
  wxDialog* frame = nullptr;
  wxPanel* client = nullptr;
  DuScale scale;
  std::vector<wxWindow*> natives;  // natives[n - 1] for control n (nullptr: none)
  std::unique_ptr<wxWindowDisabler> disabler;  // the windows below, while this one is open
  bool closed = false;          // the runtime window is gone; late native events are dropped
  bool placing = false;         // the program moves it: its own move events are not a person's
  bool mirroring = false;       // applying runtime state: native events it causes are not a person's
  std::vector<wxWindow*> noChoice; // per option group (by number): the hidden radio chosen when none is

  explicit NativeWindow(Window& w) : model(w), natives(static_cast<std::size_t>(w.count()), nullptr),
                                    noChoice(static_cast<std::size_t>(w.count()) + 1, nullptr) {}
  wxWindow* native(int n) const { return natives[static_cast<std::size_t>(n - 1)]; }
};

// Builds, shows and places the window (centred on the one below it, or on
// the screen, until the program places it).
std::unique_ptr<NativeWindow> openNative(Window& model, wxWindow* below);
void closeNative(NativeWindow& nw);
void placeNative(NativeWindow& nw);

// Mirroring runtime state onto the native controls.
void mirrorControl(NativeWindow& nw, int n, Change change);
void mirrorStates(NativeWindow& nw);  // shown / enabled of every control
void mirrorFocus(NativeWindow& nw, int n);

// Building (native_controls.cpp): the native control of control n, placed.
wxWindow* createControl(NativeWindow& nw, int n);
// An entry's editable or read-only look.
void showEditable(wxTextCtrl& entry, bool editable);
// Sizes the option groups that the description leaves unsized to frame their radios.
void sizeGroups(NativeWindow& nw);
// The control that contains control n's native one: the sheet it lies on, or 0.
int hostSheet(const Window& model, int n);

// A person's actions (native_input.cpp): binds the handlers of control n.
void bindInput(NativeWindow& nw, int n);
// Takes an entry's edited text into the runtime if the person changed it.
void commitEntry(NativeWindow& nw, int n);

// The list box (native_list.cpp).
wxWindow* createList(NativeWindow& nw, wxWindow* parent, int n, const wxRect& at);
void mirrorList(NativeWindow& nw, int n);
// Only rows first..last (none when first > last), the number of rows and the
// selection: the rest of the list already shows what the runtime holds.
void mirrorListRows(NativeWindow& nw, int n, int first, int last);

}  // namespace vl::ui::wxb
