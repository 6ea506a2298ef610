#pragma once
// Controls drawn by hand where the toolkit's own look does not fit: the
// section heading band, a progress bar that fills its whole height, pictures
// (also as flat keys), and the tabs of a sheet.
#include <functional>
#include <string>

#include <wx/panel.h>

namespace vl::ui::wxb {

// Bold white text on a grey band.
class HeadingBand final : public wxPanel {
 public:
  HeadingBand(wxWindow* parent, const wxRect& at);
 private:
  void onPaint(wxPaintEvent&);
};

class ProgressBar final : public wxPanel {
 public:
  ProgressBar(wxWindow* parent, const wxRect& at);
  void setValue(long long percent);
  long long value() const { return value_; }
 private:
  void onPaint(wxPaintEvent&);
  long long value_ = 0;
};

// A picture filling the control; with a click action it is a flat key that
// darkens while pressed and greys out when disabled.
class PictureBox final : public wxPanel {
 public:
  PictureBox(wxWindow* parent, const wxRect& at, std::function<void()> onClick = {});
  void setPicture(const std::string& resource);
 private:
  void onPaint(wxPaintEvent&);
  void onUp(wxMouseEvent&);
  std::string resource_;
  std::function<void()> onClick_;
  bool pressed_ = false;
};

// One tab of a sheet, a label on a raised tongue; the shown one stands in
// front and joins the page.
class TabLabel final : public wxPanel {
 public:
  TabLabel(wxWindow* parent, const wxRect& at, std::function<void()> onClick);
  void setShown(bool shown);
 private:
  void onPaint(wxPaintEvent&);
  std::function<void()> onClick_;
  bool shown_ = false;
};

// The sheet: the page's frame below the row of tabs, which are its children
// like the controls on its pages.
class SheetPanel final : public wxPanel {
 public:
  SheetPanel(wxWindow* parent, const wxRect& at, int tabHeight);
  int tabHeight() const { return tabHeight_; }
 private:
  void onPaint(wxPaintEvent&);
  int tabHeight_;
};

}  // namespace vl::ui::wxb
