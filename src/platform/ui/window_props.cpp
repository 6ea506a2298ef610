// Control properties the program changes while a window is open or closed.
#include <utility>

#include "platform/ui/backend.h"
#include "platform/ui/window.h"

namespace vl::ui {
namespace {

void setAttr(ControlState& c, unsigned attr, bool on) {
  c.attrs = on ? (c.attrs | attr) : (c.attrs & ~attr);
}

}  // namespace

void Window::setText(int control, std::string_view text) { setScreenText(at(control), std::string(text)); }

const std::string& Window::text(int control) const { return this->control(control).text; }

void Window::setScreenText(ControlState& c, std::string text) {
  if (c.text == text) return;
  c.text = std::move(text);
  changed(c.number, static_cast<int>(Change::Text));
}

void Window::setValue(ControlState& c, long long value) {
  if (c.value == value) return;
  c.value = value;
  changed(c.number, static_cast<int>(Change::Value));
}

void Window::setAttribute(int control, unsigned attr, bool on) {
  ControlState& c = at(control);
  if (c.has(attr) == on) return;
  setAttr(c, attr, on);
  changed(control, static_cast<int>(Change::State));
}

void Window::setHidden(int control, bool hidden) { setAttribute(control, kHidden, hidden); }
void Window::setDisabled(int control, bool disabled) { setAttribute(control, kDisabled, disabled); }
void Window::setRequired(int control, bool required) { setAttribute(control, kRequired, required); }
void Window::setReadOnly(int control, bool readOnly) { setAttribute(control, kReadOnly, readOnly); }
void Window::setMasked(int control, bool masked) { setAttribute(control, kMasked, masked); }

void Window::setIcon(int control, std::string_view resource) {
  ControlState& c = at(control);
  if (c.icon == resource) return;
  c.icon = std::string(resource);
  changed(control, static_cast<int>(Change::Icon));
}

void Window::setPicture(int control, std::string_view picture) {
  at(control).picture = parsePicture(picture);
  changed(control, static_cast<int>(Change::State));
}

void Window::moveTo(int x, int y) {
  if (x == x_ && y == y_) return;
  x_ = x;
  y_ = y;
  if (open_ && currentBackend()) currentBackend()->windowMoved(*this);
}

bool Window::visible(int control) const {
  for (int n = control; n != 0;) {
    const ControlState& c = this->control(n);
    if (c.has(kHidden)) return false;
    if (c.desc->kind == ControlKind::Tab && c.parent != 0 && this->control(c.parent).shownTab != n) return false;
    n = c.parent;
  }
  return true;
}

bool Window::enabled(int control) const {
  for (int n = control; n != 0; n = this->control(n).parent) {
    if (this->control(n).has(kDisabled)) return false;
  }
  return true;
}

// Selecting a control on a tab that is not shown brings that tab forward, as
// the runtime does when it puts the focus on a required entry.
void Window::showTabOf(int control) {
  for (int n = control; n != 0; n = this->control(n).parent) {
    ControlState& c = at(n);
    if (c.desc->kind != ControlKind::Tab || c.parent == 0) continue;
    ControlState& sheet = at(c.parent);
    if (sheet.shownTab != n) {
      sheet.shownTab = n;
      changed(sheet.number, static_cast<int>(Change::Tab));
    }
  }
}

void Window::moveFocus(int control) {
  showTabOf(control);
  if (focus_ == control) return;
  focus_ = control;
  if (open_ && currentBackend()) currentBackend()->focusChanged(*this, control);
}

void Window::select(int control) {
  (void)this->control(control);
  moveFocus(control);
  queue({EventKind::Selected, control});
}

}  // namespace vl::ui
