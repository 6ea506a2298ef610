// Building the native control of each kind at its place. A control the
// description gives no size takes the size its kind has on the descriptions'
// home platform: entries as wide as their picture (within the page), headings
// and lines across the page, option groups around their radios.
#include <algorithm>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include "platform/ui_wx/native_window.h"
#include "platform/ui_wx/pictures.h"
#include "platform/ui_wx/widgets.h"

namespace vl::ui::wxb {
namespace {

constexpr int kEntryHeight = 12;   // DU
constexpr int kHeadingHeight = 10;
constexpr int kButtonHeight = 14;
constexpr int kIconButtonWidth = 69, kIconButtonHeight = 40;
constexpr int kTabHeight = 13;
constexpr int kPageMargin = 6;

const ControlDesc& descOf(const Window& w, int n) { return *w.control(n).desc; }

// The right edge (DU, window coordinates) of what control n lies in.
int rightEdge(const Window& w, int n) {
  const int sheet = hostSheet(w, n);
  if (sheet == 0) return w.desc().width;
  const Rect& r = descOf(w, sheet).at;
  return r.x + r.width;
}

int entryWidth(const Window& w, int n) {
  const ControlState& c = w.control(n);
  const int room = rightEdge(w, n) - c.desc->at.x - kPageMargin;
  if (c.picture.isNumber()) return std::min(room, c.picture.width * 4 + 12);
  const int chars = c.picture.width > 0 ? c.picture.width : 25;
  return std::max(20, std::min(room, chars * 4 + 8));
}

// An option group without a size frames its radios.
Rect groupBox(const NativeWindow& nw, int group) {
  const Window& w = nw.model;
  Rect box = descOf(w, group).at;
  int right = box.x + 40, bottom = box.y + 20;
  for (int n = group + 1; n <= w.count() && w.control(n).parent == group; ++n) {
    const Rect& r = descOf(w, n).at;
    const wxWindow* radio = nw.native(n);
    const int width = radio ? nw.scale.dux(radio->GetSize().x) : 40;
    right = std::max(right, r.x + width + 8);
    bottom = std::max(bottom, r.y + 12);
  }
  box.width = right - box.x;
  box.height = bottom - box.y;
  return box;
}

wxFont fontOf(const NativeWindow& nw, int n) {
  const ControlDesc& d = descOf(nw.model, n);
  const WindowDesc& wd = nw.model.desc();
  if (!d.font.empty()) return makeFont(d.font, wd.font, wd.fontSize);
  wxFont font = windowFont(wd);
  if (d.attrs & kBold) font.MakeBold();
  return font;
}

wxWindow* button(NativeWindow& nw, wxWindow* parent, int n, const wxRect& at) {
  const ControlState& c = nw.model.control(n);
  if (c.has(kFlat)) {
    auto* key = new PictureBox(parent, at, [&nw, n] {
      nw.model.userPress(n);
    });
    key->setPicture(c.icon);
    return key;
  }
  auto* b = new wxButton(parent, wxID_ANY, toWx(c.text), at.GetPosition(), at.GetSize());
  if (!c.icon.empty()) {
    const int side = std::min(32, std::min(at.width, at.height) - 8);
    b->SetBitmap(drawPicture(c.icon, wxSize(side, side)), c.text.empty() ? wxLEFT : wxTOP);
  }
  return b;
}

wxWindow* radio(NativeWindow& nw, wxWindow* parent, int n, const wxRect& at) {
  const ControlState& c = nw.model.control(n);
  std::size_t group = static_cast<std::size_t>(c.parent);
  if (group != 0 && !nw.noChoice[group]) {
    // GTK always shows one radio of a group chosen; a hidden one stands for
    // "none chosen" and starts the group.
    auto* none = new wxRadioButton(parent, wxID_ANY, "", at.GetPosition(), wxSize(1, 1), wxRB_GROUP);
    none->Hide();
    nw.noChoice[group] = none;
  }
  return new wxRadioButton(parent, wxID_ANY, toWx(c.text), at.GetPosition(), wxDefaultSize);
}

wxWindow* entry(NativeWindow& nw, wxWindow* parent, int n, const wxRect& at) {
  const ControlState& c = nw.model.control(n);
  long style = wxTE_PROCESS_ENTER;
  if (c.has(kMasked)) style |= wxTE_PASSWORD;
  if (c.has(kMultiLine)) style = wxTE_MULTILINE;
  auto* t = new wxTextCtrl(parent, wxID_ANY, toWx(c.text), at.GetPosition(), at.GetSize(), style);
  showEditable(*t, !c.has(kReadOnly));
  return t;
}

wxWindow* tabLabel(NativeWindow& nw, int n) {
  const Window& w = nw.model;
  const int sheet = w.control(n).parent;
  auto* host = static_cast<SheetPanel*>(nw.native(sheet));
  int x = 2;
  for (int t = sheet + 1; t < n; ++t) {
    if (wxWindow* before = w.control(t).desc->kind == ControlKind::Tab ? nw.native(t) : nullptr) {
      x = before->GetRect().GetRight() + 1;
    }
  }
  wxClientDC dc(host);
  dc.SetFont(fontOf(nw, n));
  const int width = dc.GetTextExtent(wxStripMenuCodes(toWx(w.control(n).text))).x + nw.scale.px(10);
  auto* tab = new TabLabel(host, wxRect(x, 0, width, host->tabHeight()), [&nw, n] { nw.model.userPress(n); });
  tab->SetLabel(toWx(w.control(n).text));
  return tab;
}

// The control as its kind is built; at holds the given size (0 where none).
wxWindow* build(NativeWindow& nw, wxWindow* parent, int n, wxRect at) {
  const ControlState& c = nw.model.control(n);
  const DuScale& s = nw.scale;
  switch (c.desc->kind) {
    case ControlKind::Text:
    case ControlKind::Prompt: {
      const long style = at.width > 0 ? wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END : 0;
      auto* t = new wxStaticText(parent, wxID_ANY, "", at.GetPosition(), at.width > 0 ? at.GetSize() : wxDefaultSize, style);
      if (c.binding.bound() || c.desc->kind == ControlKind::Text) t->SetLabelText(toWx(c.text));
      else t->SetLabel(toWx(c.text));
      return t;
    }
    case ControlKind::Heading: {
      if (at.width == 0) at.width = s.px(rightEdge(nw.model, n) - c.desc->at.x - kPageMargin);
      if (at.height == 0) at.height = s.py(kHeadingHeight);
      auto* h = new HeadingBand(parent, at);
      h->SetLabel(toWx(c.text));
      return h;
    }
    case ControlKind::Entry:
      if (at.width == 0) at.width = s.px(entryWidth(nw.model, n));
      if (at.height == 0) at.height = s.py(kEntryHeight);
      return entry(nw, parent, n, at);
    case ControlKind::Button:
      if (at.width == 0 && !c.icon.empty()) at.SetSize({s.px(kIconButtonWidth), s.py(kIconButtonHeight)});
      return button(nw, parent, n, at);
    case ControlKind::CheckBox:
      return new wxCheckBox(parent, wxID_ANY, toWx(c.text), at.GetPosition());
    case ControlKind::OptionGroup:
      return c.has(kBoxed) ? new wxStaticBox(parent, wxID_ANY, toWx(c.text), at.GetPosition(),
                                                   at.width > 0 ? at.GetSize() : wxSize(10, 10)) : nullptr;
    case ControlKind::Radio:
      return radio(nw, parent, n, at);
    case ControlKind::Sheet:
      return new SheetPanel(parent, at, s.py(kTabHeight));
    case ControlKind::Tab:
      return tabLabel(nw, n);
    case ControlKind::Line:
      at.width = at.width > 0 ? at.width : s.px(rightEdge(nw.model, n) - c.desc->at.x - kPageMargin);
      return new wxStaticLine(parent, wxID_ANY, at.GetPosition(), wxSize(at.width, 2));
    case ControlKind::Image: {
      auto* p = new PictureBox(parent, at);
      p->setPicture(c.icon);
      return p;
    }
    case ControlKind::ProgressBar:
      return new ProgressBar(parent, at);
    case ControlKind::ListBox:
      return createList(nw, parent, n, at);
  }
  return nullptr;
}

// A caption wider than its button (the stand-in font may be wider than the
// one the window was drawn for) gets a smaller font rather than being cut.
void fitCaption(wxWindow* button) {
  wxFont font = button->GetFont();
  const wxString caption = wxStripMenuCodes(button->GetLabel());
  const int room = button->GetSize().x - 6;
  while (font.GetPointSize() > 6 && button->GetTextExtent(caption).x > room) {
    font.SetPointSize(font.GetPointSize() - 1);
    button->SetFont(font);
  }
}

// Controls without a size take their natural one in their own font; buttons
// at least the home platform's minimum.
void settleSize(NativeWindow& nw, int n, wxWindow* native) {
  const ControlState& c = nw.model.control(n);
  const ControlKind kind = c.desc->kind;
  if (c.desc->at.width != 0) {
    if (kind == ControlKind::Button && c.icon.empty()) fitCaption(native);
    return;
  }
  if (kind == ControlKind::Text || kind == ControlKind::Prompt) {
    // Measured in the control's own font: the toolkit's best size may still
    // be the one of the font the label was first laid out in.
    const wxSize text = native->GetTextExtent(wxStripMenuCodes(native->GetLabel()));
    native->SetSize(text.x + 4, text.y + 2);
    return;
  }
  if (kind == ControlKind::CheckBox || kind == ControlKind::Radio) {
    native->InvalidateBestSize();
    native->SetSize(native->GetBestSize());
    return;
  }
  if (kind != ControlKind::Button || !c.icon.empty()) return;
  wxSize best = native->GetBestSize();
  best.x = std::max(best.x + nw.scale.px(6), nw.scale.px(50));
  best.y = std::max(best.y, nw.scale.py(kButtonHeight));
  native->SetSize(best);
}

}  // namespace

void showEditable(wxTextCtrl& entry, bool editable) {
  entry.SetEditable(editable);
  // A read-only entry looks like one: the dialog's face, not a white field.
  entry.SetBackgroundColour(editable ? wxNullColour : wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
  entry.Refresh();
}

int hostSheet(const Window& model, int n) {
  for (int p = model.control(n).parent; p != 0; p = model.control(p).parent) {
    if (model.control(p).desc->kind == ControlKind::Sheet) return p;
  }
  return 0;
}

wxWindow* createControl(NativeWindow& nw, int n) {
  const ControlState& c = nw.model.control(n);
  const int sheet = hostSheet(nw.model, n);
  wxWindow* parent = sheet != 0 ? nw.native(sheet) : nw.client;
  Rect at = c.desc->at;
  if (sheet != 0) {
    at.x -= descOf(nw.model, sheet).at.x;
    at.y -= descOf(nw.model, sheet).at.y;
  }
  wxWindow* native = build(nw, parent, n, nw.scale.rect(at));
  if (!native) return nullptr;
  native->SetFont(fontOf(nw, n));
  settleSize(nw, n, native);
  return native;
}

// Option groups are sized once their radios exist.
void sizeGroups(NativeWindow& nw) {
  for (int n = 1; n <= nw.model.count(); ++n) {
    const ControlState& c = nw.model.control(n);
    if (c.desc->kind != ControlKind::OptionGroup || !nw.native(n) || c.desc->at.width != 0) continue;
    Rect box = groupBox(nw, n);
    if (const int sheet = hostSheet(nw.model, n)) {
      box.x -= descOf(nw.model, sheet).at.x;
      box.y -= descOf(nw.model, sheet).at.y;
    }
    nw.native(n)->SetSize(nw.scale.rect(box));
  }
}

}  // namespace vl::ui::wxb
