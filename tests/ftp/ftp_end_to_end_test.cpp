// The FTP download end to end: the real headless program, a robot filling in
// the setup window, choosing FTP and pressing Download, a real FTP server.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ftp_run_fixture.h"
#include "platform/fs/files.h"
#include "platform/fs/paths.h"
#include "headless_harness.h"

namespace vl::test {
namespace {

// A corporate ISAM store with every file kind, over FTP, then Download and close.
constexpr const char* kScript =
    "wait P1$FTPINSTALLER\n"
    "press ?BSTOREOWNER:RADIO1\ntype ?FTP:LOCALFTP ACME/SHOPF12\ntype ?LOCATIONID 12\n"
    "press ?POSRDBMS:RADIO1\npress ?CMDFULL\n"
    "press ?TAB3\npress ?BPROTOCOLTYPE:RADIO2\npress ?FTPPASSIVEMODE\n"
    "press ?OKBUTTON\npress ?CANCELBUTTON\n";

class FtpEndToEnd : public FtpRunTest {
 protected:
  HeadlessResult Download() {
    sandbox_.writeFile("drive_c/VLSInet/VLSInet.INI", "[VLSInet]\r\nDevSwitch=1\r\n");
    return runHeadlessProgram(sandbox_, HeadlessRun{.executable = VL_HEADLESS_FTP_BIN, .script = kScript});
  }
  // BIN names are matched without regard to case, as the till sees them.
  bool InBin(const std::string& name) const { return fs::exists("C:\\VORLAN\\BIN\\" + name); }
  std::string ReadBin(const std::string& name) const {
    std::ifstream in(fs::toHostPath("C:\\VORLAN\\BIN\\" + name), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(FtpEndToEnd, DownloadOverFtpInstallsTheNewPrograms) {
  SeedLocation("ACME", "SHOPF12");
  StartServer();
  const HeadlessResult r = Download();
  ASSERT_FALSE(r.timedOut) << r.transcript;
  EXPECT_EQ(r.exitCode, 0) << r.transcript << r.errors;
  std::vector<std::string> texts;
  for (const auto& m : r.messages()) texts.push_back(m.text());
  EXPECT_EQ(texts, (std::vector<std::string>{"Successfully downloaded: 19,137 bytes in 10 files.",
                                             "Download complete."}))
      << r.transcript;
  for (const char* name : {"VLSECR.EXE", "HVLSECR.EXE", "QUENTA.EXE", "C60RUNX.DLL"}) {
    ASSERT_TRUE(InBin(name)) << name;
    EXPECT_EQ(ReadBin(name),
              ReadRemote(std::string("FTP/ASP/ACME/BIN/") + name));
  }
  EXPECT_FALSE(RemoteExists("FTP/ASP/ACME/BIN/SWUPD12.TXT"));
  EXPECT_FALSE(RemoteExists("FTP/ASP/ACME/SHOPF12/Updates/POSID12.TPS"));
  EXPECT_TRUE(RemoteExists("FTP/ASP/ACME/SHOPF12/FTPLog/VLI_240315093015.Txt"));
}

TEST_F(FtpEndToEnd, ShortTransferInstallsNothing) {
  SeedLocation("ACME", "SHOPF12");
  StartServer({"--vanish", "ITEMS.UPD"});
  const HeadlessResult r = Download();
  ASSERT_FALSE(r.timedOut) << r.transcript;
  EXPECT_EQ(r.exitCode, 0) << r.transcript << r.errors;
  const auto shortMessage = r.message("The file update will not take place.");
  ASSERT_TRUE(shortMessage) << r.transcript;
  EXPECT_EQ(shortMessage->caption(), "Transfer error");
  EXPECT_FALSE(r.hasMessage("Download complete.")) << r.transcript;
  for (const char* name : {"VLSECR.EXE", "HVLSECR.EXE", "QUENTA.EXE", "C60RUNX.DLL"}) EXPECT_FALSE(InBin(name)) << name;
}

}  // namespace
}  // namespace vl::test
