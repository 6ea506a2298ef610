// Whole downloads through the real headless program against the cloud
// simulator: the setup window filled as an installer fills it (access code
// first), the HTTP run over plain HTTP and HTTPS, the installation into BIN,
// and what the server keeps.
#include <filesystem>
#include <fstream>
#include <memory>

#include "app_fixture.h"
#include "cloudsim_process.h"
#include "data/builtin_account.h"
#include "host_files.h"
#include "installer_script.h"

namespace vl::test {
namespace {

namespace fsys = std::filesystem;

// Plain HTTP: Use SSL unticked on the third tab.
constexpr const char* kPlainHttp = "press ?TAB3\npress ?BUSESSL\n";

class HttpRobot : public AppTest {
 protected:
  HttpRobot() {
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
      unsetenv(name);
    const std::string host(kBuiltInAddress);
    EXPECT_TRUE(MakeCertificate(box.prefix(), host));
    sim = std::make_unique<Cloudsim>(CloudsimOptions{{}, box.prefix() / "cert.pem", box.prefix() / "key.pem"});
    box.writePlatformIni(
        "[System]\r\nComputerName=till7\r\nDragFullWindows=0\r\n"
        "[Clock]\r\nNow=2026-12-11 10:00:00\r\n"
        "[Network]\r\nConnected=18\r\nCAFile=cert.pem\r\nConnectTo=" + host + ":80:127.0.0.1:" +
        std::to_string(sim->port()) + "," + host + ":443:127.0.0.1:" + std::to_string(sim->httpsPort()) + "\r\n");
  }
  // Plain HTTP unless a case is about HTTPS.
  HeadlessResult download(const std::string& answers = "", bool https = false) {
    return run(std::string(kInstallerForm) + (https ? "" : kPlainHttp) + answers + kDownloadAndClose, false);
  }
  fsys::path remote(const std::string& relative) const { return sim->root() / "FTP" / "ASP" / relative; }
  bool installed(const std::string& name) const { return exists("VORLAN/BIN/" + name); }

  std::unique_ptr<Cloudsim> sim;
};

class HttpRobotFull : public HttpRobot, public ::testing::WithParamInterface<bool> {};

TEST_P(HttpRobotFull, AFullDownloadInstallsTheProgramsAndReportsToTheServer) {
  // A failure is reported at once rather than retried.
  const HeadlessResult r = download(kNoRetry, GetParam());
  expectEnded(r);
  EXPECT_TRUE(r.hasMessage("Download complete.")) << r.transcript;
  EXPECT_TRUE(r.hasMessage("Successfully downloaded: ")) << r.transcript;
  for (const char* name : {"VLSECR.EXE", "HVLSECR.EXE", "Quenta.Exe", "TPSFIX.EXE", "C60RUNX.DLL", "FBCLIENT.DLL"}) {
    EXPECT_TRUE(installed(name)) << name;
  }
  EXPECT_EQ(read("VORLAN/BIN/VLSECR.EXE"), ReadHostFile(remote("CLIENT/BIN/VLSECR.EXE")));
  EXPECT_FALSE(installed("VLSECR_SQL.EXE")) << "an ISAM till takes no SQL program";
  const auto logs = NamesIn(remote("Client/Store/FTPLog"));
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_EQ(logs[0].substr(0, 4), "012_");
  EXPECT_NE(ReadHostFile(remote("Client/Store/FTPLog") / logs[0]).find("Main Street"), std::string::npos);
  for (const char* flag : {"CLIENT/BIN/SWUPD12.TXT", "CLIENT/BIN/POSID12.TXT", "Client/Store/Updates/POSID12.TPS"})
    EXPECT_FALSE(fsys::exists(remote(flag))) << flag;
  EXPECT_TRUE(fsys::exists(remote("Client/Store/Updates/POSID7.TPS"))) << "another location's flag stays";
  EXPECT_EQ(iniValue("AppKeyName", "LocalFTP"), "CLIENT/STORE");
  EXPECT_EQ(iniValue("AppKeyName", "UserName"), "Ann Till");
}

INSTANTIATE_TEST_SUITE_P(Protocols, HttpRobotFull, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& p) { return p.param ? "Https" : "Http"; });

TEST_F(HttpRobot, AByteMismatchInstallsNothing) {
  sim->setFaults(R"([{"fault": "size_delta", "op": "getFile", "match": "*VLSECR.EXE", "delta": -100}])");
  const HeadlessResult r = download();
  expectEnded(r);
  EXPECT_TRUE(r.hasMessage("Incoming Internet file byte mismatch.")) << r.transcript;
  EXPECT_FALSE(r.hasMessage("Download complete.")) << r.transcript;
  for (const char* name : {"VLSECR.EXE", "Quenta.Exe", "C60RUNX.DLL"}) EXPECT_FALSE(installed(name)) << name;
  EXPECT_TRUE(NamesIn(remote("Client/Store/FTPLog")).empty());
  EXPECT_TRUE(fsys::exists(remote("CLIENT/BIN/SWUPD12.TXT")));
}

TEST_F(HttpRobot, AnInternetErrorNotRetriedEndsTheRunWithNothingInstalled) {
  sim->setFaults(R"([{"fault": "reset", "op": "getFile"}])");
  const HeadlessResult r = download(kNoRetry);
  expectEnded(r);
  const auto report = r.message("An Internet connection error has been detected:");
  ASSERT_TRUE(report.has_value()) << r.transcript;
  EXPECT_NE(report->text().find("|Server address:" + std::string(kBuiltInAddress)), std::string::npos)
      << report->text();
  EXPECT_EQ(report->answer(), "No");
  EXPECT_FALSE(r.hasMessage("Download complete.")) << r.transcript;
  EXPECT_FALSE(installed("VLSECR.EXE"));
  EXPECT_TRUE(NamesIn(remote("Client/Store/FTPLog")).empty());
  EXPECT_TRUE(fsys::exists(remote("CLIENT/BIN/SWUPD12.TXT")));
}

}  // namespace
}  // namespace vl::test
