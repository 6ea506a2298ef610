#pragma once
// The GUI smoke test's driver: plays a person on the real windows from inside
// the process, takes screenshots and writes what it saw. Only the smoke test
// switches it on, by naming its output folder in VLSINET_GUI_SMOKE; this file
// and its .cpp are the only place that reads the environment, and the program
// itself never does. Without the variable the driver does nothing at all.
//
// A step waits (bounded) until its condition holds, then acts. The log
// (smoke.log in the output folder) has one "ok:" or "FAIL:" line per check
// and ends with "result: PASS" or "result: FAIL". A step that never becomes
// ready ends the process at once with exit code 4, so the test never hangs.
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vl::gui {

struct SmokeStep {
  std::string what;
  std::function<bool()> ready;  // empty: ready at once
  std::function<void()> act;
};

class SmokeLog {
 public:
  explicit SmokeLog(std::string folder);
  void check(bool ok, const std::string& what);
  void note(const std::string& line);
  void screenshot(const std::string& name);  // folder/name.png of the whole screen
  bool failed() const { return failed_; }
  const std::string& folder() const { return folder_; }

 private:
  std::string folder_;
  bool failed_ = false;
};

// The steps of the smoke test (smoke_steps.cpp).
std::vector<SmokeStep> smokeSteps(SmokeLog& log);

class SmokeDriver {
 public:
  SmokeDriver();
  ~SmokeDriver();
  // The program's exit code, or 5 when the driver saw a failure or its
  // steps were not all done.
  int finish(int programCode);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vl::gui
