// vlsinet: the program with real windows. Same main procedure as
// vlsinet-headless; the window backend is the wxWidgets one.
#include <iostream>
#include <memory>
#include <stdexcept>

#include "app/program.h"
#include "gui/smoke_driver.h"
#include "platform/ui_wx/wx_backend.h"

int main(int argc, char** argv) {
  std::unique_ptr<vl::ui::wxb::WxSession> session;
  try {
    session = std::make_unique<vl::ui::wxb::WxSession>(argc, argv);
  } catch (const std::runtime_error& e) {
    std::cerr << "vlsinet: " << e.what() << "\n";
    return 1;
  }
  vl::gui::SmokeDriver driver;  // idle unless the GUI smoke test started us
  const int code = vl::RunProgram(vl::defaultTransferRuns());
  return driver.finish(code);
}
