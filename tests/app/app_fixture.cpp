#include "app_fixture.h"

#include "app/settings_file.h"
#include "data/day_number.h"
#include "platform/fs/paths.h"
#include "platform/profile/profile.h"

namespace vl::test {

AppTest::AppTest() {
  box.writePlatformIni(
      "[System]\r\nComputerName=till7\r\nDragFullWindows=0\r\n"
      "[Clock]\r\nNow=2026-12-11 10:00:00\r\n"
      "[Network]\r\nConnected=18\r\n");
}

HeadlessResult AppTest::run(const std::string& script, bool testRuns) {
  HeadlessRun run{.executable = testRuns ? VL_HEADLESS_TESTRUNS_BIN : VL_HEADLESS_BIN, .script = script};
  return runHeadlessProgram(box, run);
}

void AppTest::writeIni(const std::string& text) { write("VLSInet/VLSInet.INI", text); }

std::string AppTest::iniValue(const std::string& section, const std::string& key) const {
  return profile::getString("C:\\VLSInet\\VLSInet.INI", section, key, "<absent>");
}

void AppTest::runResult(int result) { box.writeFile("testrun/result", std::to_string(result)); }

void AppTest::runLeaves(const std::string& name, const std::string& bytes) {
  box.writeFile("testrun/inbox/" + name, bytes);
}

bool AppTest::exists(const std::string& relative) const { return std::filesystem::exists(box.driveC() / relative); }

std::string AppTest::read(const std::string& relative) const { return box.readFile("drive_c/" + relative); }

void AppTest::write(const std::string& relative, const std::string& bytes) {
  box.writeFile("drive_c/" + relative, bytes);
}

std::int32_t AppTest::today() const { return dayNumber(kYear, kMonth, kDay); }

SettingsRecord AppTest::storedSettings() {
  fs::setCurrentDirectory("C:\\VORLAN\\T1");
  records::DataFile file = setup::makeSettingsFile();
  EXPECT_TRUE(file.open(records::Access::ReadWriteShared)) << file.errorText();
  ProgramState state;
  EXPECT_TRUE(setup::ReadSettingsRecord(file, state));
  return state.FTP;
}

void expectEnded(const HeadlessResult& r, int code) {
  EXPECT_FALSE(r.timedOut) << r.transcript;
  EXPECT_EQ(r.exitCode, code) << r.transcript << r.errors;
  EXPECT_EQ(r.transcriptExitCode(), code) << r.transcript;
}

}  // namespace vl::test
