#include "platform/ui_wx/wx_backend_impl.h"

#include <algorithm>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/utils.h>

#include "platform/ui_wx/message_dialog.h"
#include "platform/ui_wx/wx_backend.h"

namespace vl::ui::wxb {
namespace {

WxBackend* gBackend = nullptr;

}  // namespace

void setActiveBackend(WxBackend* backend) { gBackend = backend; }

WxBackend::~WxBackend() {
  for (auto& [window, nw] : open_) closeNative(*nw);
}

NativeWindow* WxBackend::find(const Window& window) const {
  const auto it = open_.find(&window);
  return it == open_.end() ? nullptr : it->second.get();
}

void WxBackend::windowOpened(Window& window) {
  buryClosed();
  wxWindow* below = nullptr;
  for (Window* w : openWindows()) {
    if (w == &window) break;
    if (NativeWindow* nw = find(*w)) below = nw->frame;
  }
  open_[&window] = openNative(window, below);
}

void WxBackend::windowClosed(Window& window) {
  const auto it = open_.find(&window);
  if (it == open_.end()) return;
  closeNative(*it->second);
  closed_.push_back(std::move(it->second));
  open_.erase(it);
  if (!openWindows().empty()) {
    if (NativeWindow* top = find(*openWindows().back())) {
      top->frame->Raise();
      mirrorFocus(*top, top->model.focus());
    }
  }
}

void WxBackend::controlChanged(Window& window, int control, Change change) {
  if (NativeWindow* nw = find(window)) mirrorControl(*nw, control, change);
}

void WxBackend::listRowsChanged(Window& window, int control, int first, int last) {
  if (NativeWindow* nw = find(window); nw && !nw->closed) mirrorListRows(*nw, control, first, last);
}

void WxBackend::focusChanged(Window& window, int control) {
  if (NativeWindow* nw = find(window)) mirrorFocus(*nw, control);
}

void WxBackend::windowMoved(Window& window) {
  if (NativeWindow* nw = find(window)) placeNative(*nw);
}

// One step of the toolkit's loop: an event if one is there, else idle work
// and a short wait for the next.
void WxBackend::pumpOnce() {
  wxEventLoopBase* loop = wxEventLoopBase::GetActive();
  if (loop->Pending()) {
    loop->Dispatch();
    return;
  }
  if (wxTheApp) wxTheApp->ProcessIdle();
  buryClosed();
  loop->DispatchTimeout(50);
}

void WxBackend::waitForInput(Window& window) {
  if (NativeWindow* nw = find(window); nw && !nw->frame->IsActive()) nw->frame->Raise();
  while (window.isOpen() && !window.hasPendingEvents()) pumpOnce();
}

void WxBackend::yieldToWindows() {
  wxEventLoopBase* loop = wxEventLoopBase::GetActive();
  if (loop && !loop->IsYielding()) loop->YieldFor(wxEVT_CATEGORY_ALL);
}

void WxBackend::buryClosed() {
  std::erase_if(closed_, [](const std::unique_ptr<NativeWindow>& nw) { return !wxPendingDelete.Member(nw->frame); });
}

Button WxBackend::showMessageBox(const MessageBoxRequest& request) {
  if (request.beep) wxBell();
  wxWindow* parent = nullptr;
  if (!openWindows().empty()) {
    if (NativeWindow* nw = find(*openWindows().back())) parent = nw->frame;
  }
  // A person reads a box with the normal cursor, whatever work is under way.
  wxBusyCursorSuspender normalCursor;
  return runMessageDialog(parent, request);
}

void WxBackend::beep() { wxBell(); }

void WxBackend::setCursor(Cursor cursor) {
  if ((cursor == Cursor::Busy) == busy_) return;
  busy_ = cursor == Cursor::Busy;
  if (busy_) wxBeginBusyCursor();
  else wxEndBusyCursor();
}

wxWindow* nativeFrame(const Window& window) {
  NativeWindow* nw = gBackend ? gBackend->find(window) : nullptr;
  return nw ? nw->frame : nullptr;
}

wxWindow* nativeControl(const Window& window, int control) {
  NativeWindow* nw = gBackend ? gBackend->find(window) : nullptr;
  return nw && control >= 1 && control <= window.count() ? nw->native(control) : nullptr;
}

}  // namespace vl::ui::wxb
