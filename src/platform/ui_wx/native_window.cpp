// Opening, placing and closing the native window, and mirroring the runtime's
// control state onto it.
#include "platform/ui_wx/native_window.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "platform/ui_wx/pictures.h"
#include "platform/ui_wx/widgets.h"

namespace vl::ui::wxb {
namespace {

void mirrorText(NativeWindow& nw, int n) {
  const ControlState& c = nw.model.control(n);
  wxWindow* native = nw.native(n);
  if (auto* entry = dynamic_cast<wxTextCtrl*>(native)) {
    if (entry->GetValue() != toWx(c.text)) {
      entry->ChangeValue(toWx(c.text));
      entry->SetInsertionPointEnd();
    }
  } else if (auto* text = dynamic_cast<wxStaticText*>(native)) {
    if (c.desc->kind == ControlKind::Prompt && !c.binding.bound()) text->SetLabel(toWx(c.text));
    else text->SetLabelText(toWx(c.text));
  } else if (native) {
    native->SetLabel(toWx(c.text));
    native->Refresh();
  }
}

void mirrorValue(NativeWindow& nw, int n) {
  const ControlState& c = nw.model.control(n);
  wxWindow* native = nw.native(n);
  if (auto* box = dynamic_cast<wxCheckBox*>(native)) {
    box->SetValue(c.value != 0);
  } else if (auto* bar = dynamic_cast<ProgressBar*>(native)) {
    bar->setValue(c.value);
  } else if (c.desc->kind == ControlKind::OptionGroup) {
    wxWindow* chosen = nw.noChoice[static_cast<std::size_t>(n)];
    for (int r = n + 1; r <= nw.model.count(); ++r) {
      const ControlState& radio = nw.model.control(r);
      if (radio.desc->kind == ControlKind::Radio && radio.parent == n && radio.desc->value == c.value) {
        chosen = nw.native(r);
      }
    }
    if (auto* button = dynamic_cast<wxRadioButton*>(chosen)) button->SetValue(true);
  }
}

void mirrorIcon(NativeWindow& nw, int n) {
  const ControlState& c = nw.model.control(n);
  if (auto* picture = dynamic_cast<PictureBox*>(nw.native(n))) {
    picture->setPicture(c.icon);
  } else if (auto* button = dynamic_cast<wxButton*>(nw.native(n)); button && !c.icon.empty()) {
    const wxSize size = button->GetSize();
    const int side = std::min(32, std::min(size.x, size.y) - 8);
    button->SetBitmap(drawPicture(c.icon, wxSize(side, side)));
  }
}

void mirrorEntryState(NativeWindow& nw, int n) {
  if (auto* entry = dynamic_cast<wxTextCtrl*>(nw.native(n))) {
    const ControlState& c = nw.model.control(n);
    showEditable(*entry, !c.has(kReadOnly));
    // The masking style is fixed when a GTK entry is made: make it again.
    if (c.has(kMasked) != entry->HasFlag(wxTE_PASSWORD)) {
      const bool focused = entry->HasFocus();
      nw.natives[static_cast<std::size_t>(n - 1)] = createControl(nw, n);
      entry->Destroy();
      bindInput(nw, n);
      if (focused) nw.native(n)->SetFocus();
    }
  }
}

// A window the program has not placed: the first one in the middle of the
// screen; one opened over another just below it, so that the window it
// serves (the field a keyboard types into) stays in sight, or else at the
// screen's bottom edge.
void placeUnplaced(wxTopLevelWindow& frame) {
  wxWindow* below = frame.GetParent();
  if (!below) return frame.CentreOnScreen();
  const wxRect screen = wxGetClientDisplayRect();
  const wxRect under = below->GetScreenRect();
  const wxSize size = frame.GetSize();
  const int x = std::clamp(under.x + (under.width - size.x) / 2, screen.x, std::max(screen.x, screen.GetRight() - size.x));
  const int y = std::min(under.GetBottom() + 1, std::max(screen.y, screen.GetBottom() - size.y));
  frame.Move(x, y);
}

void bindFrame(NativeWindow& nw) {
  nw.frame->Bind(wxEVT_CLOSE_WINDOW, [&nw](wxCloseEvent& e) {
    if (e.CanVeto()) e.Veto();
    if (!nw.closed) nw.model.userClose();
  });
  nw.frame->Bind(wxEVT_MOVE, [&nw](wxMoveEvent& e) {
    e.Skip();
    if (nw.closed || nw.placing) return;
    const wxPoint at = nw.frame->GetPosition();
    nw.model.userMoved(nw.scale.dux(at.x), nw.scale.duy(at.y));
  });
}

}  // namespace

std::unique_ptr<NativeWindow> openNative(Window& model, wxWindow* below) {
  auto nw = std::make_unique<NativeWindow>(model);
  const WindowDesc& desc = model.desc();
  nw->frame = new wxDialog(below, wxID_ANY, toWx(std::string(desc.caption)), wxDefaultPosition, wxDefaultSize,
                           wxDEFAULT_DIALOG_STYLE | wxMINIMIZE_BOX);
  const wxFont font = windowFont(desc);
  nw->frame->SetFont(font);
  nw->client = new wxPanel(nw->frame, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL);
  nw->client->SetFont(font);
  nw->scale = measure(nw->client, font);
  nw->frame->SetClientSize(nw->scale.px(desc.width), nw->scale.py(desc.height));
  nw->client->SetSize(nw->frame->GetClientSize());
  for (int n = 1; n <= model.count(); ++n) nw->natives[static_cast<std::size_t>(n - 1)] = createControl(*nw, n);
  sizeGroups(*nw);
  for (int n = 1; n <= model.count(); ++n) {
    bindInput(*nw, n);
    mirrorControl(*nw, n, Change::Value);
    if (model.control(n).desc->kind == ControlKind::ListBox) mirrorList(*nw, n);
  }
  mirrorControl(*nw, 1, Change::Tab);
  bindFrame(*nw);
  if (below) nw->disabler = std::make_unique<wxWindowDisabler>(nw->frame);
  placeNative(*nw);
  nw->frame->Show();
  nw->frame->Raise();
  mirrorFocus(*nw, model.focus());
  return nw;
}

void placeNative(NativeWindow& nw) {
  nw.placing = true;
  if (nw.model.x() == 0 && nw.model.y() == 0) {
    placeUnplaced(*nw.frame);
  } else {
    nw.frame->Move(nw.scale.px(nw.model.x()), nw.scale.py(nw.model.y()));
  }
  nw.placing = false;
}

void closeNative(NativeWindow& nw) {
  nw.closed = true;
  nw.disabler.reset();
  nw.frame->Hide();
  nw.frame->Destroy();
  if (wxWindow* parent = nw.frame->GetParent()) parent->Raise();
}

void mirrorStates(NativeWindow& nw) {
  const Window& w = nw.model;
  for (int n = 1; n <= w.count(); ++n) {
    wxWindow* native = nw.native(n);
    if (!native) continue;
    const ControlState& c = w.control(n);
    bool shown = w.visible(n);
    if (c.desc->kind == ControlKind::Tab) {
      shown = !c.has(kHidden) && (c.parent == 0 || w.visible(c.parent));
      if (auto* tab = dynamic_cast<TabLabel*>(native)) tab->setShown(c.parent != 0 && w.control(c.parent).shownTab == n);
    }
    native->Show(shown);
    native->Enable(w.enabled(n));
  }
}

void mirrorFocus(NativeWindow& nw, int n) {
  if (n == 0 || nw.closed) return;
  // An option group shows the focus on its first radio that can take it.
  if (nw.model.control(n).desc->kind == ControlKind::OptionGroup) {
    for (int r = n + 1; r <= nw.model.count() && nw.model.control(r).parent == n; ++r) {
      if (nw.model.visible(r) && nw.model.enabled(r)) {
        n = r;
        break;
      }
    }
  }
  wxWindow* native = nw.native(n);
  if (!native || !native->IsShownOnScreen() || native->HasFocus()) return;
  nw.mirroring = true;
  native->SetFocus();
  nw.mirroring = false;
}

void mirrorControl(NativeWindow& nw, int n, Change change) {
  if (nw.closed) return;
  switch (change) {
    case Change::Text: mirrorText(nw, n); break;
    case Change::Value: mirrorValue(nw, n); break;
    case Change::State:
      mirrorEntryState(nw, n);
      mirrorStates(nw);
      break;
    case Change::Icon: mirrorIcon(nw, n); break;
    case Change::List: mirrorList(nw, n); break;
    case Change::Tab: mirrorStates(nw); break;
  }
}

}  // namespace vl::ui::wxb
