// Every picture is a small drawing procedure over a wxGraphicsContext; the
// table at the end maps resource names to them.
#include "platform/ui_wx/pictures.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <memory>

#include <wx/brush.h>
#include <wx/graphics.h>
#include <wx/pen.h>
#include <wx/image.h>

namespace vl::ui::wxb {
namespace {

using Draw = std::function<void(wxGraphicsContext&, double w, double h)>;

void ball(wxGraphicsContext& g, double w, double h, const wxColour& colour) {
  const double d = std::min(w, h) - 1;
  const double x = (w - d) / 2, y = (h - d) / 2;
  g.SetPen(wxPen(colour.ChangeLightness(55), 1));
  g.SetBrush(g.CreateRadialGradientBrush(x + d * 0.35, y + d * 0.3, x + d * 0.35, y + d * 0.3, d * 0.75,
                                         colour.ChangeLightness(170), colour));
  g.DrawEllipse(x, y, d, d);
}

// A filled polygon from points given in a unit square, scaled to the box.
void polygon(wxGraphicsContext& g, double x, double y, double w, double h, std::initializer_list<wxPoint2DDouble> pts) {
  wxGraphicsPath path = g.CreatePath();
  bool first = true;
  for (const wxPoint2DDouble& p : pts) {
    if (first) path.MoveToPoint(x + p.m_x * w, y + p.m_y * h);
    else path.AddLineToPoint(x + p.m_x * w, y + p.m_y * h);
    first = false;
  }
  path.CloseSubpath();
  g.DrawPath(path);
}

void arrowRight(wxGraphicsContext& g, double w, double h) {
  g.SetPen(wxPen(wxColour(0, 60, 140), 1));
  g.SetBrush(wxBrush(wxColour(40, 120, 220)));
  polygon(g, 1, 2, w - 2, h - 4, {{0, 0.3}, {0.5, 0.3}, {0.5, 0}, {1, 0.5}, {0.5, 1}, {0.5, 0.7}, {0, 0.7}});
}

void tick(wxGraphicsContext& g, double w, double h) {
  g.SetPen(wxPen(wxColour(120, 120, 120), 1));
  g.SetBrush(*wxWHITE_BRUSH);
  g.DrawRectangle(1.5, 1.5, w - 3, h - 3);
  wxGraphicsPath path = g.CreatePath();
  path.MoveToPoint(w * 0.22, h * 0.52);
  path.AddLineToPoint(w * 0.42, h * 0.74);
  path.AddLineToPoint(w * 0.8, h * 0.26);
  g.SetPen(wxPen(wxColour(0, 140, 40), static_cast<int>(std::max(2.0, w / 7))));  // whole pixels
  g.StrokePath(path);
}

void blueCross(wxGraphicsContext& g, double w, double h) {
  g.SetPen(wxPen(wxColour(20, 70, 190), static_cast<int>(std::max(2.5, w / 5))));  // whole pixels
  g.StrokeLine(w * 0.2, h * 0.2, w * 0.8, h * 0.8);
  g.StrokeLine(w * 0.8, h * 0.2, w * 0.2, h * 0.8);
}

// A page with a green arrow coming down into it.
void download(wxGraphicsContext& g, double w, double h) {
  g.SetPen(wxPen(wxColour(90, 90, 90), 1));
  g.SetBrush(*wxWHITE_BRUSH);
  g.DrawRectangle(w * 0.18, h * 0.3, w * 0.64, h * 0.66);
  g.SetPen(wxPen(wxColour(170, 170, 170), 1));
  for (int line = 0; line < 4; ++line) {
    const double y = 0.5 + 0.12 * line;
    g.StrokeLine(w * 0.28, h * y, w * 0.72, h * y);
  }
  g.SetPen(wxPen(wxColour(0, 100, 30), 1));
  g.SetBrush(wxBrush(wxColour(30, 170, 60)));
  polygon(g, w * 0.25, 0, w * 0.5, h * 0.7, {{0.3, 0}, {0.7, 0}, {0.7, 0.55}, {1, 0.55}, {0.5, 1}, {0, 0.55}, {0.3, 0.55}});
}

void keyboard(wxGraphicsContext& g, double w, double h) {
  const double top = h * 0.22, kh = h * 0.56;
  g.SetPen(wxPen(wxColour(70, 70, 70), 1));
  g.SetBrush(wxBrush(wxColour(205, 205, 210)));
  g.DrawRoundedRectangle(1, top, w - 2, kh, 3);
  g.SetBrush(*wxWHITE_BRUSH);
  g.SetPen(wxPen(wxColour(120, 120, 120), 1));
  const double kw = (w - 6) / 8, rowH = (kh - 4) / 4;
  for (int row = 0; row < 3; ++row) {
    for (int k = 0; k < 8 - (row == 2 ? 1 : 0); ++k) {
      g.DrawRectangle(3 + k * kw + (row == 2 ? kw / 2 : 0), top + 2 + row * rowH, kw - 1.5, rowH - 1.5);
    }
  }
  g.DrawRectangle(3 + kw * 2, top + 2 + 3 * rowH, kw * 4, rowH - 1.5);
}

// The transfer window's side picture: from the cloud down to the till.
void transferBitmap(wxGraphicsContext& g, double w, double h) {
  g.SetPen(*wxTRANSPARENT_PEN);
  g.SetBrush(g.CreateLinearGradientBrush(0, 0, 0, h, wxColour(20, 60, 140), wxColour(150, 195, 240)));
  g.DrawRectangle(0, 0, w, h);
  g.SetBrush(*wxWHITE_BRUSH);
  const double c = w * 0.16;
  g.DrawEllipse(w * 0.2, h * 0.1, c * 2, c * 1.5);
  g.DrawEllipse(w * 0.38, h * 0.06, c * 2.4, c * 2);
  g.DrawEllipse(w * 0.55, h * 0.11, c * 1.8, c * 1.4);
  g.DrawRectangle(w * 0.28, h * 0.1 + c * 0.8, w * 0.5, c * 0.7);
  g.SetPen(wxPen(wxColour(0, 100, 30), 1));
  g.SetBrush(wxBrush(wxColour(40, 190, 70)));
  polygon(g, w * 0.3, h * 0.32, w * 0.4, h * 0.3, {{0.3, 0}, {0.7, 0}, {0.7, 0.6}, {1, 0.6}, {0.5, 1}, {0, 0.6}, {0.3, 0.6}});
  // The till: a screen on a stand and a cash drawer.
  g.SetPen(wxPen(wxColour(40, 40, 40), 1));
  g.SetBrush(wxBrush(wxColour(60, 60, 70)));
  g.DrawRoundedRectangle(w * 0.22, h * 0.68, w * 0.56, h * 0.14, 4);
  g.SetBrush(wxBrush(wxColour(120, 200, 255)));
  g.DrawRectangle(w * 0.26, h * 0.695, w * 0.48, h * 0.11);
  g.SetBrush(wxBrush(wxColour(90, 90, 100)));
  g.DrawRectangle(w * 0.45, h * 0.82, w * 0.1, h * 0.04);
  g.DrawRoundedRectangle(w * 0.12, h * 0.86, w * 0.76, h * 0.08, 3);
}

// A flat grey key of the keypad with its label.
Draw flatKey(const wxString& label) {
  return [label](wxGraphicsContext& g, double w, double h) {
    g.SetPen(wxPen(wxColour(150, 150, 150), 1));
    g.SetBrush(g.CreateLinearGradientBrush(0, 0, 0, h, wxColour(236, 236, 236), wxColour(200, 200, 200)));
    g.DrawRoundedRectangle(2, 2, w - 4, h - 4, 5);
    const double unit = std::min(w, h > w * 1.5 ? w : h);
    const double points = label.length() > 2 ? unit * 0.2 : unit * 0.32;
    g.SetFont(wxFont(wxFontInfo(points).Family(wxFONTFAMILY_SWISS).Bold()), wxColour(40, 40, 40));
    double tw = 0, th = 0;
    g.GetTextExtent(label, &tw, &th);
    g.DrawText(label, (w - tw) / 2, (h - th) / 2);
  };
}

void unknown(wxGraphicsContext& g, double w, double h) {
  g.SetPen(wxPen(wxColour(150, 150, 150), 1));
  g.SetBrush(wxBrush(wxColour(225, 225, 225)));
  g.DrawRectangle(0.5, 0.5, w - 1, h - 1);
  g.SetFont(wxFont(wxFontInfo(std::max(6.0, h * 0.45)).Bold()), wxColour(120, 120, 120));
  double tw = 0, th = 0;
  g.GetTextExtent("?", &tw, &th);
  g.DrawText("?", (w - tw) / 2, (h - th) / 2);
}

const std::map<std::string, Draw>& pictures() {
  static const std::map<std::string, Draw> table = [] {
    std::map<std::string, Draw> t{
        {"greball.ico", [](auto& g, double w, double h) { ball(g, w, h, wxColour(20, 170, 40)); }},
        {"bluball.ico", [](auto& g, double w, double h) { ball(g, w, h, wxColour(30, 80, 220)); }},
        {"redball.ico", [](auto& g, double w, double h) { ball(g, w, h, wxColour(210, 30, 30)); }},
        {"yelball.ico", [](auto& g, double w, double h) { ball(g, w, h, wxColour(235, 200, 0)); }},
        {"barrow4.ico", arrowRight},
        {"lstcheckon.ico", tick},
        {"smallbluecross.ico", blueCross},
        {"ftpupd.ico", download},
        {"keybrd03.ico", keyboard},
        {"ftpdownload.bmp", transferBitmap},
        {"decimalpoint_flat_grey.jpg", flatKey(".")},
        {"cancel_2wide_flat_grey.jpg", flatKey("Cancel")},
        {"c_flat_grey.jpg", flatKey("C")},
        {"plus_flat_grey.jpg", flatKey("+")},
        {"minus_flat_grey.jpg", flatKey(wxString::FromUTF8("\xE2\x88\x92"))},
        {"clear_flat_grey.jpg", flatKey("Clear")},
        {"ok_3tall_flat_grey.jpg", flatKey("OK")},
    };
    for (char d = '0'; d <= '9'; ++d) t[std::string(1, d) + "_flat_grey.jpg"] = flatKey(wxString(d));
    return t;
  }();
  return table;
}

}  // namespace

std::string pictureKey(std::string_view resource) {
  if (!resource.empty() && resource.front() == '~') resource.remove_prefix(1);
  if (const auto slash = resource.find_last_of("\\/"); slash != std::string_view::npos) {
    resource.remove_prefix(slash + 1);
  }
  std::string key(resource);
  std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return key;
}

bool hasPicture(std::string_view resource) { return pictures().contains(pictureKey(resource)); }

wxBitmap drawPicture(std::string_view resource, wxSize size) {
  size.IncTo(wxSize(4, 4));
  wxImage image(size);
  image.InitAlpha();
  std::fill_n(image.GetAlpha(), size.x * size.y, 0);
  {
    std::unique_ptr<wxGraphicsContext> g(wxGraphicsContext::Create(image));
    g->SetAntialiasMode(wxANTIALIAS_DEFAULT);
    const auto found = pictures().find(pictureKey(resource));
    (found != pictures().end() ? found->second : Draw(unknown))(*g, size.x, size.y);
  }  // the context writes the image back when it goes
  return wxBitmap(image);
}

}  // namespace vl::ui::wxb
