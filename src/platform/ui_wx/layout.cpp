#include "platform/ui_wx/layout.h"

#include <charconv>
#include <string>

#include <wx/fontenum.h>
#include <wx/window.h>

namespace vl::ui::wxb {
namespace {

std::string_view nextField(std::string_view& spec) {
  const auto comma = spec.find(',');
  std::string_view field = spec.substr(0, comma);
  spec = comma == std::string_view::npos ? std::string_view() : spec.substr(comma + 1);
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  return field;
}

// The windows were laid out for narrow sans-serif faces; where the named one
// is missing, a metric twin or a condensed face keeps the captions inside
// their controls better than a wide default would.
wxString faceOrStandIn(const wxString& face) {
  for (const wxString& candidate : {face, wxString("Liberation Sans")}) {
    if (!candidate.empty() && wxFontEnumerator::IsValidFacename(candidate)) return candidate;
  }
  // The enumerator lists only the main family names; the condensed DejaVu
  // face comes with the plain one.
  if (wxFontEnumerator::IsValidFacename("DejaVu Sans")) return "DejaVu Sans Condensed";
  return wxFont(wxFontInfo().Family(wxFONTFAMILY_SWISS)).GetFaceName();
}

}  // namespace

wxFont makeFont(std::string_view spec, std::string_view defaultFace, int defaultPoints) {
  std::string_view face = nextField(spec);
  if (face.empty()) face = defaultFace;
  int points = defaultPoints;
  if (std::string_view size = nextField(spec); !size.empty()) {
    std::from_chars(size.data(), size.data() + size.size(), points);
  }
  const bool bold = nextField(spec) == "bold";
  wxFontInfo info(points > 0 ? points : 8);
  info.FaceName(faceOrStandIn(wxString::FromUTF8(face.data(), face.size())));
  if (bold) info.Bold();
  return wxFont(info);
}

wxFont windowFont(const WindowDesc& desc) {
  return makeFont(std::string(desc.font) + "," + std::to_string(desc.fontSize), "MS Sans Serif", 8);
}

DuScale measure(wxWindow* on, const wxFont& font) {
  int width = 0, height = 0;
  on->GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", &width, &height, nullptr, nullptr, &font);
  const int average = (width / 26 + 1) / 2;
  if (average <= 0 || height <= 0) return {};
  return {average / 4.0, height / 8.0};
}

}  // namespace vl::ui::wxb
