#pragma once
// A whole HTTP run in this process: the cloud simulator over HTTP and HTTPS,
// the built-in host redirected to it, and a terminal set up as location 12
// of "Client/Store" with every update option on (plain HTTP unless a case
// turns SSL on).
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cloudsim_process.h"
#include "data/builtin_account.h"
#include "http_fixture.h"
#include "platform/base/platform_config.h"
#include "platform/fs/files.h"
#include "platform/fs/paths.h"

namespace vl::http {

namespace fsys = std::filesystem;

class HttpRunTest : public test::HttpTest {
 protected:
  explicit HttpRunTest(const std::string& script = "", std::vector<std::string> seedArgs = {},
                       bool trusted = true)
      : test::HttpTest(script) {
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
      unsetenv(name);
    EXPECT_TRUE(test::MakeCertificate(sandbox.prefix(), std::string(kBuiltInAddress)));
    test::CloudsimOptions options{std::move(seedArgs), sandbox.prefix() / "cert.pem", sandbox.prefix() / "key.pem"};
    sim = std::make_unique<test::Cloudsim>(options);
    const std::string host(kBuiltInAddress);
    sandbox.writePlatformIni("[Network]\r\nConnectTo=" + host + ":443:127.0.0.1:" + std::to_string(sim->httpsPort()) +
                             "," + host + ":80:127.0.0.1:" + std::to_string(sim->port()) + "\r\n" +
                             (trusted ? "CAFile=cert.pem\r\n" : ""));
    for (const char* dir : {"C:\\VORLAN", "C:\\VORLAN\\T1", "C:\\VORLAN\\T1\\INBOX"}) fs::createDirectory(dir);
    fs::setCurrentDirectory("C:\\VORLAN\\T1\\");
    state.FTP.ADDRESS = kBuiltInAddress;
    state.STRFTPADDRESS = kBuiltInAddress;
    state.FTP.USERNAME = kBuiltInUserName;
    state.FTP.PASSWORD = kBuiltInPassword;
    state.FTP.LOCALFTP = "Client/Store";
    state.FTP.GLOBALFTP = "Client/Global";
    state.LOCATIONID = 12;
    state.USERNAME = "Ann";
    state.USERLOCATION = "Store";
    state.ProgramVersion = kProgramVersion;
    state.ComputerName = "TILL1";
    state.BDATA = state.BECR = state.BLOADER = state.BDLLS = 1;
    state.POSRDBMS = kRdbmsIsam;
    // Plain HTTP unless a case is about HTTPS (see FullUpdateOverHttps).
    state.BUSESSL = 0;
  }
  fsys::path inbox() const { return sandbox.driveC() / "VORLAN" / "T1" / "INBOX"; }
  fsys::path remote(const std::string& relative) const { return sim->root() / "FTP" / "ASP" / relative; }

  std::unique_ptr<test::Cloudsim> sim;
};

}  // namespace vl::http
