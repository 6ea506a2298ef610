#include "gui/smoke_driver.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iostream>

#include <wx/timer.h>

namespace vl::gui {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kStepBound = std::chrono::seconds(20);
constexpr auto kSettle = std::chrono::milliseconds(600);  // lets a window paint before the next step
constexpr int kTickMs = 100;
constexpr int kStuck = 4;

void append(const std::string& folder, const std::string& line) {
  std::ofstream(folder + "/smoke.log", std::ios::app) << line << "\n";
  std::cerr << "smoke: " << line << "\n";
}

// Runs the program with its arguments as given (no shell, so no quoting of the
// folder), its diagnostics discarded; true when it exits with 0.
bool run(std::vector<std::string> args) {
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (failed || waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

SmokeLog::SmokeLog(std::string folder) : folder_(std::move(folder)) {
  std::ofstream(folder_ + "/smoke.log", std::ios::trunc);
}

void SmokeLog::check(bool ok, const std::string& what) {
  failed_ = failed_ || !ok;
  append(folder_, (ok ? "ok: " : "FAIL: ") + what);
}

void SmokeLog::note(const std::string& line) { append(folder_, line); }

void SmokeLog::screenshot(const std::string& name) {
  const std::string path = folder_ + "/" + name + ".png";
  check(run({"import", "-window", "root", path}), "screenshot " + name + ".png");
}

struct SmokeDriver::Impl : wxTimer {
  SmokeLog log;
  std::vector<SmokeStep> steps;
  std::size_t next = 0;
  Clock::time_point since = Clock::now();
  bool inStep = false;

  explicit Impl(std::string folder) : log(std::move(folder)) { steps = smokeSteps(log); }

  // Runs inside whatever loop is active (the program's, a message box's).
  void Notify() override {
    if (inStep || next >= steps.size() || Clock::now() - since < kSettle) return;
    SmokeStep& step = steps[next];
    if (step.ready && !step.ready()) {
      if (Clock::now() - since > kStepBound) stuck(step);
      return;
    }
    inStep = true;
    log.note("step: " + step.what);
    if (step.act) step.act();
    inStep = false;
    ++next;
    since = Clock::now();
  }

  [[noreturn]] void stuck(const SmokeStep& step) {
    log.check(false, "timed out waiting: " + step.what);
    log.screenshot("timeout");
    log.note("result: FAIL");
    std::_Exit(kStuck);
  }
};

SmokeDriver::SmokeDriver() {
  const char* folder = std::getenv("VLSINET_GUI_SMOKE");
  if (!folder || !*folder) return;
  impl_ = std::make_unique<Impl>(folder);
  impl_->Start(kTickMs);
}

SmokeDriver::~SmokeDriver() = default;

int SmokeDriver::finish(int programCode) {
  if (!impl_) return programCode;
  impl_->Stop();
  SmokeLog& log = impl_->log;
  log.check(impl_->next == impl_->steps.size(),
            "all steps done (" + std::to_string(impl_->next) + " of " + std::to_string(impl_->steps.size()) + ")");
  log.check(programCode == 0, "program ended with exit code " + std::to_string(programCode));
  log.note(log.failed() ? "result: FAIL" : "result: PASS");
  return log.failed() ? 5 : programCode;
}

}  // namespace vl::gui
