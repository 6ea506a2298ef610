#pragma once
// A throw-away till for one test of the whole program: a sandbox prefix with a
// fixed clock, computer name and connection state, the program's start
// directory C:\VLSInet, and helpers to run a robot script against the real
// headless program and to look at what it left behind.
#include <gtest/gtest.h>

#include <string>

#include "data/records.h"
#include "headless_harness.h"
#include "support/sandbox.h"

namespace vl::test {

// The fixed clock of every test: 11 December 2026, 10:00.
inline constexpr int kYear = 2026, kMonth = 12, kDay = 11;

// The start of a script in developer mode, up to the setup window waiting.
inline constexpr const char* kWaitSetup = "wait P1$FTPINSTALLER\n";

class AppTest : public ::testing::Test {
 protected:
  AppTest();

  // Runs the script; testRuns picks the build whose transfer runs stand in for a server.
  HeadlessResult run(const std::string& script, bool testRuns = true);

  void writeIni(const std::string& text);  // C:\VLSInet\VLSInet.INI
  void developerMode(const std::string& moreIni = "") { writeIni("[VLSInet]\r\nDevSwitch=1\r\n" + moreIni); }
  std::string iniValue(const std::string& section, const std::string& key) const;
  // What the next transfer run returns, and a file it leaves in the inbox.
  void runResult(int result);
  void runLeaves(const std::string& name, const std::string& bytes);
  // Host files below drive C:.
  bool exists(const std::string& relative) const;
  std::string read(const std::string& relative) const;
  void write(const std::string& relative, const std::string& bytes);

  std::int32_t today() const;
  // The settings record as VLSInet.TPS holds it (the program must have ended).
  SettingsRecord storedSettings();

  Sandbox box;
};

// Fails with the transcript when the run did not end by itself with `code`.
void expectEnded(const HeadlessResult& r, int code = 0);

}  // namespace vl::test
