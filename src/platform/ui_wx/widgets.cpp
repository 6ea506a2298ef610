#include "platform/ui_wx/widgets.h"

#include <algorithm>

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include "platform/ui_wx/pictures.h"

namespace vl::ui::wxb {
namespace {

const wxColour kBandGrey(128, 128, 128);
const wxColour kFrameDark(128, 128, 128);
const wxColour kBarFill(0, 84, 166);

void drawLabel(wxDC& dc, const wxWindow& w, const wxRect& box, int align) {
  dc.SetFont(w.GetFont());
  dc.DrawLabel(wxStripMenuCodes(w.GetLabel()), box, align);
}

}  // namespace

HeadingBand::HeadingBand(wxWindow* parent, const wxRect& at)
    : wxPanel(parent, wxID_ANY, at.GetPosition(), at.GetSize(), wxBORDER_NONE) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &HeadingBand::onPaint, this);
}

void HeadingBand::onPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  dc.SetBackground(wxBrush(kBandGrey));
  dc.Clear();
  dc.SetTextForeground(*wxWHITE);
  wxRect box = GetClientRect();
  box.x += 4;
  drawLabel(dc, *this, box, wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
}

ProgressBar::ProgressBar(wxWindow* parent, const wxRect& at)
    : wxPanel(parent, wxID_ANY, at.GetPosition(), at.GetSize(), wxBORDER_NONE) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &ProgressBar::onPaint, this);
}

void ProgressBar::setValue(long long percent) {
  percent = std::clamp(percent, 0LL, 100LL);
  if (percent == value_) return;
  value_ = percent;
  Refresh();
  Update();  // a run may not give the loop a chance before the next step
}

void ProgressBar::onPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  const wxSize size = GetClientSize();
  dc.SetBackground(*wxWHITE_BRUSH);
  dc.Clear();
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(kBarFill));
  const int inner = size.x - 4;
  dc.DrawRectangle(2, 2, static_cast<int>(inner * value_ / 100), size.y - 4);
  dc.SetPen(wxPen(kFrameDark));
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  dc.DrawRectangle(0, 0, size.x, size.y);
}

PictureBox::PictureBox(wxWindow* parent, const wxRect& at, std::function<void()> onClick)
    : wxPanel(parent, wxID_ANY, at.GetPosition(), at.GetSize(), wxBORDER_NONE), onClick_(std::move(onClick)) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &PictureBox::onPaint, this);
  if (onClick_) {
    SetCursor(wxCursor(wxCURSOR_HAND));
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) {
      pressed_ = true;
      Refresh();
    });
    Bind(wxEVT_LEFT_UP, &PictureBox::onUp, this);
    Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent&) {
      if (pressed_) pressed_ = false, Refresh();
    });
  }
}

void PictureBox::setPicture(const std::string& resource) {
  resource_ = resource;
  Refresh();
}

void PictureBox::onUp(wxMouseEvent&) {
  const bool was = pressed_;
  pressed_ = false;
  Refresh();
  if (was && IsEnabled() && onClick_) onClick_();
}

void PictureBox::onPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
  dc.Clear();
  if (resource_.empty()) return;
  wxBitmap picture = drawPicture(resource_, GetClientSize());
  if (!IsEnabled()) picture = picture.ConvertToDisabled();
  dc.DrawBitmap(picture, pressed_ ? 1 : 0, pressed_ ? 1 : 0, true);
  if (pressed_) {
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(0, 0, 0, 40)));
    dc.DrawRoundedRectangle(GetClientRect(), 5);
  }
}

TabLabel::TabLabel(wxWindow* parent, const wxRect& at, std::function<void()> onClick)
    : wxPanel(parent, wxID_ANY, at.GetPosition(), at.GetSize(), wxBORDER_NONE), onClick_(std::move(onClick)) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &TabLabel::onPaint, this);
  Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) {
    if (IsEnabled() && onClick_) onClick_();
  });
}

void TabLabel::setShown(bool shown) {
  if (shown_ == shown) return;
  shown_ = shown;
  Refresh();
}

void TabLabel::onPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
  dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
  dc.Clear();
  const wxSize size = GetClientSize();
  const int top = shown_ ? 0 : 3;
  dc.SetBrush(wxBrush(shown_ ? face : face.ChangeLightness(92)));
  dc.SetPen(wxPen(kFrameDark));
  dc.DrawRoundedRectangle(0, top, size.x, size.y - top + 4, 3);
  if (shown_) {  // joins the page: no line under the shown tab
    dc.SetPen(wxPen(face));
    dc.DrawLine(1, size.y - 1, size.x - 1, size.y - 1);
  }
  dc.SetTextForeground(IsEnabled() ? GetForegroundColour() : wxColour(128, 128, 128));
  drawLabel(dc, *this, wxRect(0, top, size.x, size.y - top), wxALIGN_CENTER);
}

SheetPanel::SheetPanel(wxWindow* parent, const wxRect& at, int tabHeight)
    : wxPanel(parent, wxID_ANY, at.GetPosition(), at.GetSize(), wxBORDER_NONE), tabHeight_(tabHeight) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &SheetPanel::onPaint, this);
}

void SheetPanel::onPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  dc.SetBackground(wxBrush(GetBackgroundColour()));
  dc.Clear();
  const wxSize size = GetClientSize();
  dc.SetPen(wxPen(kFrameDark));
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  dc.DrawRectangle(0, tabHeight_ - 1, size.x, size.y - tabHeight_ + 1);
}

}  // namespace vl::ui::wxb
