#pragma once
// Real windows: the wxWidgets backend of the window runtime.
//
//   int main(int argc, char** argv) {
//     vl::ui::wxb::WxSession session(argc, argv);  // throws without a display
//     return vl::RunProgram(vl::defaultTransferRuns());
//   }
//
// The session starts the toolkit without handing it the main loop: the
// program's accept() pulls events, and waitForInput pumps the toolkit until
// the runtime has one. Windows opened while another is open are modal over
// it (the windows below are disabled until it closes).
#include <functional>
#include <memory>

#include "platform/ui/window.h"

class wxWindow;

namespace vl::ui::wxb {

class WxBackend;

class WxSession {
 public:
  WxSession(int& argc, char** argv);  // std::runtime_error when the toolkit cannot start
  ~WxSession();
  WxSession(const WxSession&) = delete;
  WxSession& operator=(const WxSession&) = delete;

 private:
  struct Loop;
  std::unique_ptr<Loop> loop_;
  std::unique_ptr<WxBackend> backend_;
};

// For a driver that plays the person from inside the process (the GUI smoke
// test): the native top-level window of an open runtime window and the native
// control of one of its controls (nullptr when there is none).
wxWindow* nativeFrame(const Window& window);
wxWindow* nativeControl(const Window& window, int control);

}  // namespace vl::ui::wxb
