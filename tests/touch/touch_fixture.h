#pragma once
// Runs a touch window procedure in-process with the headless robot, in a
// throw-away prefix whose clock stands still, and reads the transcript back.
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "data/program_state.h"
#include "platform/ui/backend.h"
#include "platform/ui/headless_run.h"
#include "platform/ui/window.h"
#include "support/sandbox.h"

namespace vl::touch::test {

// The frozen day: 11 December 2026 is day 82528 and its code is 126487.
inline constexpr const char* kFrozenClock = "[Clock]\nNow=2026-12-11 09:30:00\n";
inline constexpr long kFrozenDayCode = 126487;

class TouchTest : public ::testing::Test {
 protected:
  TouchTest();

  // Plays the script against program; returns the run's exit code.
  int run(const std::string& script, const std::function<void()>& program);
  std::vector<std::string> transcript() const;
  // Every line of the transcript that contains all the given pieces.
  std::vector<std::string> linesWith(const std::vector<std::string>& pieces) const;
  // What each "dump" of the control showed, in order ("id" as in the window:
  // "?RETSTRING"); a dump of a whole window counts for each of its controls.
  std::vector<std::string> shown(const std::string& id) const;
  std::string iniText() const { return sandbox.readFile("drive_c/VLSInet.INI"); }

  vl::test::Sandbox sandbox;
  ProgramState state;
  std::filesystem::path script = sandbox.prefix() / "script.txt";
  std::filesystem::path transcriptFile = sandbox.prefix() / "transcript.jsonl";
};

// "press ?ID" lines for a list of controls written without the "?".
std::string presses(const std::string& ids);

// A backend for what the robot cannot do (drag a window, send the alert key):
// each time a window waits for input the next step acts on it. Installed for
// its lifetime.
class StepBackend final : public ui::Backend {
 public:
  using Step = std::function<void(ui::Window&)>;
  explicit StepBackend(std::deque<Step> steps) : steps_(std::move(steps)) { ui::setBackend(this); }
  ~StepBackend() override { ui::setBackend(nullptr); }
  StepBackend(const StepBackend&) = delete;
  StepBackend& operator=(const StepBackend&) = delete;

  // Where each window stood when it was shown.
  std::vector<std::pair<int, int>> openedAt;
  std::size_t stepsLeft() const { return steps_.size(); }

  void windowOpened(ui::Window& w) override { openedAt.emplace_back(w.x(), w.y()); }
  void windowClosed(ui::Window&) override {}
  void controlChanged(ui::Window&, int, ui::Change) override {}
  void focusChanged(ui::Window&, int) override {}
  void windowMoved(ui::Window&) override {}
  void waitForInput(ui::Window& w) override;
  void yieldToWindows() override {}

 private:
  std::deque<Step> steps_;
};

}  // namespace vl::touch::test
