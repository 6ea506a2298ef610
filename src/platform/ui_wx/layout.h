#pragma once
// Dialog units and fonts. A dialog unit is a quarter of the window font's
// average character width across and an eighth of its height down, measured
// the way the descriptions' home platform measures them, so a window keeps
// its proportions whatever font stands in for the one it names.
#include <cmath>
#include <string>
#include <string_view>

#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

#include "platform/ui/window_desc.h"

class wxWindow;

namespace vl::ui::wxb {

struct DuScale {
  double x = 2.0, y = 2.0;  // pixels per dialog unit

  // To the nearest whole pixel or unit, on either side of zero.
  int px(int du) const { return static_cast<int>(std::lround(du * x)); }
  int py(int du) const { return static_cast<int>(std::lround(du * y)); }
  int dux(int px) const { return static_cast<int>(std::lround(px / x)); }
  int duy(int py) const { return static_cast<int>(std::lround(py / y)); }
  wxRect rect(const Rect& r) const { return {px(r.x), py(r.y), px(r.width), py(r.height)}; }
};

// The program's single-byte text as the toolkit's string.
inline wxString toWx(std::string_view text) { return wxString::From8BitData(text.data(), text.size()); }
inline std::string fromWx(const wxString& text) { return std::string(text.To8BitData()); }

// "Face,points[,bold]"; a face this machine lacks becomes the sans-serif one.
wxFont makeFont(std::string_view spec, std::string_view defaultFace, int defaultPoints);
// The window font of a description.
wxFont windowFont(const WindowDesc& desc);
// The scale of a font, measured on `on` (any realised window).
DuScale measure(wxWindow* on, const wxFont& font);

}  // namespace vl::ui::wxb
