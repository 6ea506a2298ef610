#pragma once
// The backend object behind WxSession: the runtime's Backend and the
// MessageBoxHandler for real windows.
#include <map>
#include <memory>
#include <vector>

#include "platform/ui/backend.h"
#include "platform/ui_wx/native_window.h"

namespace vl::ui::wxb {

class WxBackend final : public Backend, public MessageBoxHandler {
 public:
  ~WxBackend() override;

  void windowOpened(Window& window) override;
  void windowClosed(Window& window) override;
  void controlChanged(Window& window, int control, Change change) override;
  void listRowsChanged(Window& window, int control, int first, int last) override;
  void focusChanged(Window& window, int control) override;
  void windowMoved(Window& window) override;
  void waitForInput(Window& window) override;
  void yieldToWindows() override;

  Button showMessageBox(const MessageBoxRequest& request) override;
  void beep() override;
  void setCursor(Cursor cursor) override;

  NativeWindow* find(const Window& window) const;

 private:
  void pumpOnce();
  void buryClosed();

  std::map<const Window*, std::unique_ptr<NativeWindow>> open_;
  std::vector<std::unique_ptr<NativeWindow>> closed_;  // until the toolkit has destroyed their frames
  bool busy_ = false;
};

// The backend that nativeFrame and nativeControl look into.
void setActiveBackend(WxBackend* backend);

}  // namespace vl::ui::wxb
