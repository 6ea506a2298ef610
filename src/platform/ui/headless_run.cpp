#include "platform/ui/headless_run.h"

#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "data/control_flow.h"
#include "platform/ui/window.h"

namespace vl::ui {
namespace {

// Installs the headless backend for the run and restores the silent state after.
class Installed {
 public:
  explicit Installed(HeadlessBackend& backend) {
    setBackend(&backend);
    setMessageBoxHandler(&backend);
  }
  ~Installed() {
    setBackend(nullptr);
    setMessageBoxHandler(nullptr);
  }
  Installed(const Installed&) = delete;
  Installed& operator=(const Installed&) = delete;
};

int finish(Transcript& transcript, const std::string& failure, int code) {
  std::vector<JsonLine> last;
  if (!failure.empty()) {
    std::cerr << "vlsinet-headless: " << failure << '\n';
    last.push_back(JsonLine().add("event", "error").add("message", failure));
    code = kRobotFailed;
  }
  last.push_back(JsonLine().add("event", "exit").add("code", code));
  transcript.writeLast(last);
  return code;
}

bool readFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  text = all.str();
  return true;
}

}  // namespace

int runHeadless(const std::string& scriptPath, const std::string& transcriptPath,
                const std::function<void()>& mainProcedure, RobotOptions options) {
  Transcript transcript(transcriptPath);
  if (!transcript.good()) {
    std::cerr << "vlsinet-headless: cannot write the transcript " << transcriptPath << '\n';
    return kRobotFailed;
  }
  std::string text;
  if (!readFile(scriptPath, text)) return finish(transcript, "cannot read the script " + scriptPath, 0);
  std::vector<ScriptCommand> script;
  try {
    script = parseScript(text);
  } catch (const ScriptError& e) {
    return finish(transcript, e.what(), 0);
  }
  const auto bound = options.stallTimeout;
  HeadlessBackend backend(std::move(script), transcript, std::move(options));
  Watchdog watchdog(bound, [&transcript, bound] {
    finish(transcript, "the program neither waited for input nor ended within " + std::to_string(bound.count()) + " ms", 0);
    std::_Exit(kRobotFailed);
  });
  backend.setWatchdog(&watchdog);
  Installed installed(backend);
  backend.takeLeadingAnswers();
  int code = 0;
  std::string failure;
  try {
    mainProcedure();
  } catch (const ProgramHalt& halt) {
    code = halt.exitCode;
  } catch (const RobotAbort& abort) {
    failure = abort.message;
  } catch (const std::exception& e) {
    failure = std::string("the program failed: ") + e.what();
  }
  watchdog.stop();
  if (failure.empty()) failure = backend.unfinished();
  return finish(transcript, failure, code);
}

}  // namespace vl::ui
