#include "app/program.h"

#include "app/setup_window.h"
#include "app/transfer_window.h"
#include "data/control_flow.h"
#include "platform/sys/system.h"

namespace vl {
namespace {

// Full-window dragging is off while the program runs, when the desktop had it
// on. It is a persistent desktop setting, so it is switched back on however
// the setup window ends, also when the program stops with a message from
// inside it; only a killed process leaves it off.
class DragOutlinesWhileRunning {
 public:
  DragOutlinesWhileRunning() : wasOn_(sys::dragFullWindows()) {
    if (wasOn_) (void)sys::setDragFullWindows(false);  // a failing call changes nothing
  }
  ~DragOutlinesWhileRunning() {
    if (wasOn_) (void)sys::setDragFullWindows(true);
  }
  DragOutlinesWhileRunning(const DragOutlinesWhileRunning&) = delete;
  DragOutlinesWhileRunning& operator=(const DragOutlinesWhileRunning&) = delete;

 private:
  bool wasOn_;
};

}  // namespace

void MainProcedure(ProgramState& state, const TransferRuns& runs) {
  // The transfer window exists, unseen, for the whole run of the program;
  // the runs only open and close it.
  TransferWindowLifetime transferWindow(state);
  DragOutlinesWhileRunning drag;
  RunSetupWindow(state, runs);
}

int RunProgram(const TransferRuns& runs) {
  ProgramState state;
  try {
    MainProcedure(state, runs);
  } catch (const ProgramHalt& halt) {
    return halt.exitCode;
  }
  return 0;
}

}  // namespace vl
