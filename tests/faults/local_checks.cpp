#include "local_checks.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace vl::test {

std::vector<std::string> Strace(std::vector<std::string> options) {
  std::vector<std::string> wrapper = {"strace", "-f", "-qq", "-o", "/dev/null"};
  wrapper.insert(wrapper.end(), options.begin(), options.end());
  return wrapper;
}

namespace {

std::vector<TracedCall> TraceCleanRun() {
  FaultTill probe(Transport::Http);
  const std::filesystem::path trace = probe.box().prefix() / "robot-trace.txt";
  HeadlessRun run;
  run.wrapper = {"strace", "-f", "-qq", "-y", "-o", trace.string(), "-e",
                 "trace=rename,renameat2,unlink,fsync,close,write"};
  const HeadlessResult r = probe.download(kAnswerNo, run);
  EXPECT_TRUE(r.hasMessage("Download complete.")) << r.transcript;
  std::vector<TracedCall> calls;
  std::string mainPid;
  std::ifstream in(trace);
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string pid;
    std::string call;
    words >> pid >> call;
    if (mainPid.empty()) mainPid = pid;
    // strace counts per process; the program's own calls are those of its first.
    if (pid != mainPid || call.find('(') == std::string::npos) continue;
    calls.push_back({call.substr(0, call.find('(')), line});
  }
  return calls;
}

}  // namespace

const std::vector<TracedCall>& CleanRunCalls() {
  static const std::vector<TracedCall> calls = TraceCleanRun();
  return calls;
}

int CallNumber(const std::string& call, const std::string& part) {
  int n = 0;
  for (const TracedCall& c : CleanRunCalls()) {
    if (c.call != call) continue;
    ++n;
    if (c.line.find(part) != std::string::npos) return n;
  }
  return 0;
}

int CallCount(const std::string& call) {
  const auto& calls = CleanRunCalls();
  return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const TracedCall& c) { return c.call == call; }));
}

}  // namespace vl::test
