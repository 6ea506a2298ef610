// The message box: our own small dialog rather than the toolkit's, so that
// the icon always shows and the buttons stand in the program's order (Yes
// before No) with the program's default focused.
#include "platform/ui_wx/message_dialog.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include "platform/ui_wx/layout.h"

namespace vl::ui::wxb {
namespace {

wxArtID artOf(Icon icon) {
  switch (icon) {
    case Icon::Information: return wxART_INFORMATION;
    case Icon::Exclamation: return wxART_WARNING;
    case Icon::Question: return wxART_QUESTION;
    case Icon::None: break;
  }
  return {};
}

int idOf(Button b) { return b == Button::Yes ? wxID_YES : b == Button::No ? wxID_NO : wxID_OK; }

wxString textOf(const std::string& text) {
  wxString shown = toWx(text);
  shown.Replace("|", "\n");
  return shown;
}

}  // namespace

wxString messageText(const std::string& text) { return textOf(text); }

Button runMessageDialog(wxWindow* parent, const MessageBoxRequest& request) {
  wxDialog dialog(parent, wxID_ANY, toWx(request.caption), wxDefaultPosition, wxDefaultSize,
                  wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
  dialog.SetName("vl-message-box");
  auto* top = new wxBoxSizer(wxHORIZONTAL);
  if (const wxArtID art = artOf(request.icon); !art.empty()) {
    top->Add(new wxStaticBitmap(&dialog, wxID_ANY, wxArtProvider::GetBitmap(art, wxART_MESSAGE_BOX, wxSize(32, 32))), 0,
             wxALL, 12);
  }
  top->Add(new wxStaticText(&dialog, wxID_ANY, textOf(request.text)), 1, wxALL | wxALIGN_CENTER_VERTICAL, 12);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  wxButton* focused = nullptr;
  for (Button b : request.buttons) {
    auto* button = new wxButton(&dialog, idOf(b), wxString::FromUTF8(buttonName(b)));
    button->Bind(wxEVT_BUTTON, [&dialog, b](wxCommandEvent&) { dialog.EndModal(idOf(b)); });
    row->Add(button, 0, wxALL, 4);
    if (b == request.defaultButton || !focused) focused = button;
  }
  auto* all = new wxBoxSizer(wxVERTICAL);
  all->Add(top, 1, wxEXPAND);
  all->Add(row, 0, wxALIGN_CENTER | wxBOTTOM, 8);
  dialog.SetSizerAndFit(all);
  // Escape and the close box give what the runtime promises: the only
  // button of an OK box, No for Yes/No.
  const bool yesNo = request.buttons.size() > 1;
  dialog.SetEscapeId(yesNo ? wxID_NO : idOf(request.buttons.empty() ? Button::Ok : request.buttons.front()));
  if (focused) {
    focused->SetDefault();
    focused->SetFocus();
  }
  dialog.CentreOnParent();
  const int answer = dialog.ShowModal();
  for (Button b : request.buttons) {
    if (idOf(b) == answer) return b;
  }
  return yesNo ? Button::No : Button::Ok;
}

}  // namespace vl::ui::wxb
