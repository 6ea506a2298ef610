#pragma once
// The headless backend: no screen; a robot plays the person from a script and
// everything a person would see goes to the transcript. It is the program's
// MessageBoxHandler as well (boxes are answered by the script's answer rules).
//
// The robot acts only where a person could: when a window waits in accept()
// with nothing queued, it reads script lines until one acts on that window
// (type, press, focus, close, access-code); wait, answer and dump lines are
// done on the way. A wait-progress line hands the robot a turn during a
// blocking operation instead: at the first yieldToWindows after a progress bar
// of the named window moved, while that window is the top-most, which is where
// the windowed program handles a click made during the operation. A line that
// cannot act throws RobotAbort, which unwinds the program to runHeadless.
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/answer_rules.h"
#include "platform/ui/backend.h"
#include "platform/ui/robot_script.h"
#include "platform/ui/transcript.h"
#include "platform/ui/watchdog.h"

namespace vl::ui {

struct RobotOptions {
  // How long the program may run between two points where the robot can act
  // (a window waiting for input), and how long it has to end once the script
  // is exhausted. Message boxes and yieldToWindows do not extend it, so a
  // program looping on a "Retry?" box answered Yes still fails in time.
  std::chrono::milliseconds stallTimeout = std::chrono::seconds(30);
  // Today's access code for access-code lines (installed by the app).
  std::function<std::string()> accessCode;
};

// The script cannot go on. Not a std::exception on purpose: nothing in the
// program catches it by accident; runHeadless catches it.
struct RobotAbort {
  std::string message;
};

class HeadlessBackend final : public Backend, public MessageBoxHandler {
 public:
  HeadlessBackend(std::vector<ScriptCommand> script, Transcript& transcript, RobotOptions options);

  void setWatchdog(Watchdog* watchdog) { watchdog_ = watchdog; }
  // Takes the answer lines at the top of the script, so that they also cover
  // boxes shown before the first window.
  void takeLeadingAnswers();
  // After the program ended: why the rest of the script could not run ("" if
  // only answer lines are left), or the failure that aborted the run.
  std::string unfinished() const;
  const std::string& failure() const { return failure_; }

  void windowOpened(Window& window) override;
  void windowClosed(Window& window) override;
  void controlChanged(Window& window, int control, Change change) override;
  void focusChanged(Window&, int) override {}
  void windowMoved(Window&) override {}
  void waitForInput(Window& window) override;
  // Deliberately no kick here: a program that loops forever while yielding
  // (or answering boxes) must still hit the bound.
  void yieldToWindows() override;

  Button showMessageBox(const MessageBoxRequest& request) override;
  void beep() override;
  void setCursor(Cursor) override {}

 private:
  bool perform(Window& window, const ScriptCommand& cmd);
  std::string act(Window& window, const ScriptCommand& cmd);
  void addAnswer(const ScriptCommand& cmd);
  void dump(Window& window, const ScriptCommand& cmd);
  int resolve(const Window& window, const ScriptCommand& cmd, const std::string& ref);
  [[noreturn]] void fail(const ScriptCommand& cmd, const std::string& why);
  void kick();
  const ScriptCommand* awaitedProgress() const;  // the wait-progress line next, if any

  std::vector<ScriptCommand> script_;
  std::size_t next_ = 0;
  Transcript& transcript_;
  RobotOptions options_;
  AnswerRules rules_;
  Watchdog* watchdog_ = nullptr;
  std::string failure_;
  bool progressMoved_ = false;  // since the wait-progress line came next
};

}  // namespace vl::ui
