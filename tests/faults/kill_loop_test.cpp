// The program killed at one file-system step of a run after another: after
// each kill nothing outside is touched, no half file carries a final name,
// the record files open, and a second run ends cleanly. The steps are found
// by tracing a clean run; every rename of the run's inbox and flag steps is
// taken, the others sampled, so the loop stays short.
#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <map>

#include "local_checks.h"

namespace vl::test {
namespace {

namespace fsys = std::filesystem;

struct KillPoint {
  std::string call;
  int n;
};

// Every `step`-th call of each kind a clean run makes, and the last one.
std::vector<KillPoint> KillPoints(const std::map<std::string, int>& steps) {
  std::vector<KillPoint> points;
  for (const auto& [call, step] : steps) {
    const int count = CallCount(call);
    for (int n = 1; n <= count; n += step) points.push_back({call, n});
    if ((count - 1) % step != 0) points.push_back({call, count});
  }
  return points;
}

std::string ReadHost(const fsys::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Verified downloads that a finished run renames or removes, so that a
// clean run's inbox does not hold them: a kill can leave them whole.
std::map<std::string, std::string> ServedLocationFiles(const FaultTill& till) {
  std::map<std::string, std::string> files;
  for (const char* path : {"CLIENT/BIN/SWUPD12.TXT", "Client/Store/Updates/POSID12.TPS", "Client/Store/Updates/VORPOS12.INI"})
    files[fsys::path(path).filename().string()] = ReadHost(till.remote(path));
  return files;
}

// What only a killed process leaves: the copy it was about to rename over a
// file, a record file's journal or new version. The next run must clear them.
bool LeftByTheKill(const std::string& violation) {
  for (const char* mark : {"/.~", "-journal", ".vlnew."}) {
    if (violation.find(mark) != std::string::npos) return true;
  }
  return false;
}

std::vector<std::string> Except(std::vector<std::string> violations, bool (*excused)(const std::string&)) {
  std::erase_if(violations, excused);
  return violations;
}

// The run after a kill: it ends by itself and cleanly, removes what the kill
// left, and BIN ends as a clean run's.
void ExpectRecovery(FaultTill& till) {
  const HeadlessResult r = till.download(kAnswerNo);
  ExpectEndedByItself(r);
  EXPECT_EQ(r.exitCode, 0) << r.transcript << r.errors;
  const auto clearedLeftover = [](const std::string& v) { return v.rfind("file removed outside", 0) == 0 && LeftByTheKill(v); };
  const std::vector<std::string> broken = Except(till.violations(), clearedLeftover);
  EXPECT_TRUE(broken.empty()) << Describe(broken) << "\n" << r.transcript;
  EXPECT_EQ(ReadEndState(till.box().prefix()).bin, FaultTill::CleanState(Transport::Http).bin) << r.transcript;
}

TEST(KillLoop, EveryStepLeavesTheInvariantsAndASecondRunRecovers) {
  // renameat2: the inbox's downloads and flags; rename: whole-file
  // replacements (records, INI, BIN); unlink: inbox clearing, log removal.
  const std::map<std::string, int> steps = {{"renameat2", 2}, {"rename", 4}, {"unlink", 3}};
  ASSERT_GT(CallCount("renameat2"), 0);
  InvariantOptions halfDone;
  halfDone.downloadTempsMayStay = true;
  for (const KillPoint& p : KillPoints(steps)) {
    SCOPED_TRACE("killed at " + p.call + " #" + std::to_string(p.n));
    FaultTill till(Transport::Http);
    halfDone.moreInboxFiles = ServedLocationFiles(till);
    HeadlessRun run;
    run.wrapper = Strace({"-e", "inject=" + p.call + ":signal=SIGKILL:when=" + std::to_string(p.n)});
    const HeadlessResult r = till.download(kAnswerNo, run);
    EXPECT_FALSE(r.timedOut);
    const std::vector<std::string> broken = Except(till.violations(halfDone), LeftByTheKill);
    EXPECT_TRUE(broken.empty()) << Describe(broken) << "\n" << r.transcript;
    ExpectRecovery(till);
  }
}

}  // namespace
}  // namespace vl::test
