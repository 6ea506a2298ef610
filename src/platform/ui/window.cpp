#include "platform/ui/window.h"

#include <algorithm>
#include <stdexcept>

#include "platform/ui/backend.h"

namespace vl::ui {
namespace {

std::vector<Window*> gOpenWindows;
Backend* gBackend = nullptr;

int nearestBefore(const std::vector<ControlState>& cs, int n, ControlKind kind) {
  for (int i = n - 1; i >= 1; --i) {
    if (cs[static_cast<std::size_t>(i - 1)].desc->kind == kind) return i;
  }
  return 0;
}

}  // namespace

void setBackend(Backend* backend) { gBackend = backend; }
Backend* currentBackend() { return gBackend; }
void yieldToWindows() {
  if (gBackend) gBackend->yieldToWindows();
}
void beep() { messageBoxHandler().beep(); }
void setCursor(Cursor cursor) { messageBoxHandler().setCursor(cursor); }

const std::vector<Window*>& openWindows() { return gOpenWindows; }

Window* findOpenWindow(std::string_view name) {
  for (Window* w : gOpenWindows) {
    if (sameIdentifier(w->name(), name)) return w;
  }
  return nullptr;
}

Window::Window(const WindowDesc& desc) : desc_(desc) {
  controls_.reserve(desc.controls.size());
  for (const ControlDesc& d : desc.controls) {
    ControlState c;
    c.desc = &d;
    c.number = static_cast<int>(controls_.size()) + 1;
    c.attrs = d.attrs;
    c.text = std::string(d.text);
    c.icon = std::string(d.icon);
    c.picture = parsePicture(d.picture);
    c.parent = d.parent;
    controls_.push_back(std::move(c));
  }
  for (ControlState& c : controls_) {
    if (c.parent != 0) continue;
    if (c.desc->kind == ControlKind::Radio) c.parent = nearestBefore(controls_, c.number, ControlKind::OptionGroup);
    if (c.desc->kind == ControlKind::Tab) c.parent = nearestBefore(controls_, c.number, ControlKind::Sheet);
  }
  for (ControlState& c : controls_) {
    if (c.desc->kind == ControlKind::Tab && c.parent != 0 && at(c.parent).shownTab == 0) {
      at(c.parent).shownTab = c.number;
    }
  }
}

Window::~Window() {
  if (open_) {
    open_ = false;
    std::erase(gOpenWindows, this);
    if (gBackend) gBackend->windowClosed(*this);
  }
}

int Window::number(std::string_view id) const {
  for (const ControlState& c : controls_) {
    if (sameIdentifier(c.desc->id, id)) return c.number;
  }
  return 0;
}

const ControlState& Window::control(int n) const {
  if (n < 1 || n > count()) {
    throw std::out_of_range("window " + std::string(name()) + " has no control " + std::to_string(n));
  }
  return controls_[static_cast<std::size_t>(n - 1)];
}

ControlState& Window::at(int n) { return const_cast<ControlState&>(control(n)); }

void Window::changed(int control, int change) {
  if (open_ && gBackend) gBackend->controlChanged(*this, control, static_cast<Change>(change));
}

void Window::rowsChanged(int control, int first, int last) {
  if (open_ && gBackend) gBackend->listRowsChanged(*this, control, first, last);
}

void Window::open() {
  if (open_) return;
  if (!gBackend) throw std::logic_error("no window backend installed");
  open_ = true;
  closeAfterEvent_ = false;
  queue_.clear();
  gOpenWindows.push_back(this);
  if (focus_ == 0 || !visible(focus_) || !enabled(focus_)) {
    focus_ = 0;
    for (const ControlState& c : controls_) {
      const ControlKind k = c.desc->kind;
      const bool takesFocus = k == ControlKind::Entry || k == ControlKind::Button || k == ControlKind::CheckBox ||
                              k == ControlKind::Radio || k == ControlKind::ListBox;
      if (takesFocus && visible(c.number) && enabled(c.number)) {
        focus_ = c.number;
        break;
      }
    }
  }
  gBackend->windowOpened(*this);
  queue({EventKind::OpenWindow, 0});
}

void Window::close() {
  if (!open_) return;
  open_ = false;
  queue_.clear();
  const bool wasActive = !gOpenWindows.empty() && gOpenWindows.back() == this;
  std::erase(gOpenWindows, this);
  if (gBackend) gBackend->windowClosed(*this);
  if (wasActive && !gOpenWindows.empty()) gOpenWindows.back()->queue({EventKind::GainFocus, 0});
}

void Window::queue(Event event, bool checkRequiredFirst) {
  if (open_) queue_.push_back({event, checkRequiredFirst});
}

void Window::post(EventKind kind, int control) {
  if (control != 0) (void)this->control(control);
  queue({kind, control});
}

Event Window::accept() {
  if (open_ && closeAfterEvent_) close();
  while (open_) {
    while (!queue_.empty()) {
      const Queued q = queue_.front();
      queue_.pop_front();
      if (q.checkRequiredFirst && !checkRequired()) continue;
      if (q.event.kind == EventKind::CloseWindow) closeAfterEvent_ = true;
      return q.event;
    }
    if (!gBackend) throw std::logic_error("no window backend installed");
    gBackend->waitForInput(*this);
  }
  return {};
}

}  // namespace vl::ui
