// A person at the till while a run is under way: a second copy of the
// program started over the first, and the transfer window closed before
// anything is fetched or while a file comes in.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <thread>

#include "fault_till.h"

namespace vl::test {
namespace {

namespace fsys = std::filesystem;

// Waits (bounded) until the first run writes its slow download.
bool DownloadUnderWay(const FaultTill& till) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline) {
    if (fsys::exists(till.driveC("VORLAN/T1/INBOX/VLSECR.FTP"))) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

TEST(TwoCopies, TheSecondEndsOnTheLockedSettingsFileAndTheFirstCompletes) {
  FaultTill till(Transport::Http);
  // The ECR program takes about 13 s, longer than the 10 s a second copy
  // waits for the settings file to be given up, so it finds the file locked.
  till.server().setFaults(R"([{"fault": "trickle", "op": "getFile", "match": "*VLSECR.EXE", "rate": 16000}])");
  auto first = std::async(std::launch::async, [&] { return till.download(kAnswerNo); });
  ASSERT_TRUE(DownloadUnderWay(till));

  HeadlessRun copy{.executable = VL_HEADLESS_BIN, .script = till.script(kAnswerNo)};
  copy.robotDir = "robot/second";  // its own transcript, beside the first's
  const HeadlessResult second = runHeadlessProgram(till.box(), copy);
  ExpectEndedByItself(second);
  const auto locked = second.message("File Is Already Locked");
  ASSERT_TRUE(locked.has_value()) << second.transcript;
  EXPECT_EQ(locked->caption(), "Database Access Error");
  EXPECT_NE(locked->text().find("VLSInet.TPS"), std::string::npos) << locked->text();
  EXPECT_FALSE(second.hasMessage("Download complete.")) << second.transcript;

  const HeadlessResult r = first.get();
  EXPECT_EQ(r.exitCode, 0) << r.transcript << r.errors;
  EXPECT_TRUE(r.hasMessage("Download complete.")) << r.transcript;
  till.expectInvariants(r);
  EXPECT_EQ(ReadEndState(till.box().prefix()).bin, FaultTill::CleanState(Transport::Http).bin);
}

// The headless robot acts only while a window waits for input, so the
// transfer window is closed while it shows the update list for review:
// closing it is a Cancel, and nothing is fetched or installed.
TEST(TransferWindow, ClosedBeforeTheDownloadInstallsNothing) {
  FaultTill till(Transport::Http);
  std::string script = till.script(kAnswerNo + std::string("press ?BPREVIEWUPDATELIST\n"));
  const std::string download = "press ?OKBUTTON\n";
  script.insert(script.rfind(download) + download.size(), "wait $FTPWINDOW\nclose\n");
  HeadlessRun run;
  run.script = script;
  const HeadlessResult r = till.download(kAnswerNo, run);
  EXPECT_EQ(r.exitCode, 0) << r.transcript << r.errors;
  EXPECT_FALSE(r.hasMessage("Download complete.")) << r.transcript;
  till.expectInvariants(r);
  const CleanEndState now = ReadEndState(till.box().prefix());
  EXPECT_TRUE(now.bin.empty()) << "installed after the window was closed";
  EXPECT_TRUE(now.inbox.empty()) << "fetched after the window was closed";
  till.expectSecondRunClean();
}

// The value a "dump ?PRGFILE" line recorded, -1 if none.
int DumpedFileProgress(const HeadlessResult& r) {
  const std::string id = R"("id":"?PRGFILE")";
  const std::size_t at = r.transcript.find(id);
  if (at == std::string::npos) return -1;
  const std::string key = R"("value":)";
  const std::size_t value = r.transcript.find(key, at);
  return value == std::string::npos ? -1 : std::atoi(r.transcript.c_str() + value + key.size());
}

// A person may close the transfer window, or press its Cancel, while a file
// is coming in: the click reaches the window where the status callback lets
// window work run, but the run does not look at the window again until its
// downloads, log and update are done, and the run's end closes the window,
// so the click changes nothing. The robot acts at that same point, once a
// slowed file has shown part of its progress.
TEST(TransferWindow, ClosedOrCancelledMidDownloadChangesNothing) {
  struct Case {
    const char* name;
    std::string answers;  // before Download
    std::string during;   // after Download
  };
  const Case cases[] = {
      {"close box, the download started at once", "", "wait-progress $FTPWINDOW\ndump ?PRGFILE\nclose\n"},
      {"Cancel of the review, after Continue", "press ?BPREVIEWUPDATELIST\n",
       "wait $FTPWINDOW\npress ?CMDCONTINUE\nwait-progress $FTPWINDOW\ndump ?PRGFILE\npress ?CMDCANCEL\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FaultTill till(Transport::Http);
    till.server().setFaults(R"([{"fault": "trickle", "op": "getFile", "rate": 200000}])");
    std::string script = till.script(kAnswerNo + c.answers);
    const std::string download = "press ?OKBUTTON\n";
    script.insert(script.rfind(download) + download.size(), c.during);
    HeadlessRun run;
    run.script = script;
    const HeadlessResult r = till.download(kAnswerNo, run);
    EXPECT_EQ(r.exitCode, 0) << r.transcript << r.errors;
    const int progress = DumpedFileProgress(r);
    EXPECT_TRUE(progress > 0 && progress < 100) << "not mid-file: " << progress << "\n" << r.transcript;
    EXPECT_TRUE(r.hasMessage("Download complete.")) << r.transcript;
    till.expectInvariants(r);
    EXPECT_EQ(ReadEndState(till.box().prefix()).bin, FaultTill::CleanState(Transport::Http).bin);
    till.expectSecondRunClean();
  }
}

}  // namespace
}  // namespace vl::test
