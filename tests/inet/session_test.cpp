// The session steps against a real FTP server on loopback (the built-in host
// name sent there through platform.ini ConnectTo), and against a port where
// nothing listens.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "data/builtin_account.h"
#include "inet/error_report.h"
#include "inet/session.h"
#include "inet_fixture.h"
#include "inet_test_support.h"
#include "platform/base/errors.h"
#include "server_process.h"

namespace vl::inet {
namespace {

using ::testing::HasSubstr;

class Session : public test::InetTest {
 protected:
  void SetUp() override {
    test::clearProxyEnvironment();
    const auto root = sandbox.prefix() / "ftproot";
    std::filesystem::create_directories(root / "FTP/ASP/CLIENT/BIN");
    server_ = std::make_unique<test::ServerProcess>(
        "ftp_server.py",
        std::vector<std::string>{root.string(), std::string(kBuiltInUserName), std::string(kBuiltInPassword)});
    redirectTo(server_->port());
    state.FTP.ADDRESS = kBuiltInAddress;
    state.FTP.USERNAME = kBuiltInUserName;
    state.FTP.PASSWORD = kBuiltInPassword;
    state.STRFTPADDRESS = kBuiltInAddress;
    ctx.dialMode = kDialNever;
  }
  void redirectTo(int port) {
    sandbox.writePlatformIni("[Network]\r\nConnectTo=" + std::string(kBuiltInAddress) + ":21:127.0.0.1:" +
                             std::to_string(port) + "\r\n");
  }
  bool transcriptHas(const std::string& statusText) {
    return transcriptText().find(R"("text":")" + statusText + "\"") != std::string::npos;
  }
  int run(const std::function<void()>& steps) { return RunUntilEnded(ctx, steps); }

  RunContext ctx{state};
  std::unique_ptr<test::ServerProcess> server_;
};

TEST_F(Session, FtpOpensListsClosesAndEnds) {
  OpenTransferWindow(state, TransferProtocol::Ftp);
  const int result = run([&] {
    OpenFtpSession(ctx);
    EXPECT_TRUE(ctx.ftp.isOpen());
    EXPECT_TRUE(ctx.callbackRegistered);
    EXPECT_EQ(ctx.host.str(), "ftp.vorlanpos.net");
    EXPECT_EQ(ctx.port, 21u);
    EXPECT_EQ(ctx.service, kServiceFtp);
    EXPECT_EQ(state.STRFTPSTATUS.str(), "Internet session established...");
    EXPECT_EQ(state.FTPCALLBACKSTATUS.str(), "Connected to: 127.0.0.1");
    CloseFtpSession(ctx);
    EXPECT_FALSE(ctx.connected());
    EXPECT_FALSE(ctx.session.isOpen());
    EXPECT_EQ(state.STRFTPSTATUS.str(), "Closing Internet connection...");
    // Closing the connection still reached the callback.
    EXPECT_EQ(state.FTPCALLBACKSTATUS.str(), "Connection closed");
    CloseFtpSession(ctx);  // each handle is closed once; a second close skips them
    EndFtpRun(ctx);
  });
  EXPECT_EQ(result, kResultDone);
  EXPECT_EQ(OpenTransferWindowOf(state), nullptr);
  EXPECT_TRUE(boxes.shown.empty());
  for (const char* text : {"Connecting to the Internet...", "Establishing Internet session...",
                           "Internet session established...", "Closing Internet connection..."}) {
    EXPECT_TRUE(transcriptHas(text)) << text;
  }
}

TEST_F(Session, FtpPassiveOptionGivesThePassiveFlag) {
  for (std::uint8_t passive : {0, 1}) {
    state.FTPPASSIVEMODE = passive;
    run([&] { OpenFtpSession(ctx); });
    EXPECT_TRUE(ctx.ftp.isOpen());
    EXPECT_EQ(ctx.connectFlags, passive ? net::kFlagPassive : 0u);
    EXPECT_EQ(ctx.port, 21u);
    CloseFtpSession(ctx);
  }
}

TEST_F(Session, AfterAFinishedRunConnectNoticesShowOk) {
  state.transferPhase = kPhaseFinished;
  OpenTransferWindow(state, TransferProtocol::Ftp);
  run([&] { OpenFtpSession(ctx); });
  EXPECT_EQ(state.FTPCALLBACKSTATUS.str(), "OK");
  EXPECT_EQ(state.PRGFILE, 100);
}

TEST_F(Session, RefusedConnectEndsTheFtpRun) {
  redirectTo(test::unusedPort());
  OpenTransferWindow(state, TransferProtocol::Ftp);
  const int result = run([&] {
    OpenFtpSession(ctx);
    ADD_FAILURE() << "the connect step returned without a connection";
  });
  EXPECT_EQ(result, kResultInternetError);
  ASSERT_EQ(boxes.shown.size(), 1u) << "no second attempt on the FTP side";
  EXPECT_THAT(boxes.shown[0].text,
              HasSubstr("||Error: 12029 InternetConnect|Cannot connect to the internet.|Server "
                        "address:ftp.vorlanpos.net||"));
  EXPECT_EQ(OpenTransferWindowOf(state), nullptr);
  EXPECT_FALSE(ctx.session.isOpen());
}

TEST_F(Session, WrongPasswordIsReportedByItsNumber) {
  state.FTP.PASSWORD = "wrong";
  const int result = run([&] { OpenFtpSession(ctx); });
  EXPECT_EQ(result, kResultInternetError);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_THAT(boxes.shown[0].text, HasSubstr("||Error: 12014 InternetConnect|Invalid Internet logon password.|"));
}

TEST_F(Session, ExtendedErrorShowsTheServersLastResponse) {
  const int result = run([&] {
    OpenFtpSession(ctx);
    net::FtpFind find;
    net::FindData data;
    ASSERT_EQ(ctx.ftp.findFirst("/FTP/ASP/NOSUCH/BIN/*.*", data, find).error, net::kErrorInternetExtendedError);
    ctx.operationName = kOpFindFirstFile;
    ReportFtpInternetError(ctx);
  });
  EXPECT_EQ(result, kResultInternetError);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_THAT(boxes.shown[0].text, HasSubstr("||Error: 12003 FTPFindFirstFile|550|550 "));
  EXPECT_EQ(ctx.responseError, 550u);
  EXPECT_EQ(ctx.detailText.str(), "550|" + ctx.responseText.str());
}

TEST_F(Session, HttpTakesHostFromTheSetupWindowAndPortFromSsl) {
  state.FTP.ADDRESS = "settings.example";
  state.STRFTPADDRESS = "window.example";
  ctx.dialMode = kDialHttp;
  for (std::uint8_t ssl : {1, 0}) {
    state.BUSESSL = ssl;
    OpenTransferWindow(state, TransferProtocol::Http);
    run([&] { OpenHttpSession(ctx); });
    EXPECT_TRUE(ctx.http.isOpen());
    EXPECT_EQ(ctx.host.str(), "window.example");
    EXPECT_EQ(ctx.port, ssl ? 443u : 80u);
    EXPECT_EQ(ctx.connectFlags, 0u);
    EXPECT_EQ(ctx.service, kServiceHttp);
    EXPECT_EQ(state.STRFTPSTATUS.str(), "Internet session established...");
    const int result = run([&] { EndHttpRun(ctx); });
    EXPECT_EQ(result, kResultDone);
    EXPECT_FALSE(ctx.connected());
    EXPECT_FALSE(ctx.session.isOpen());
    EXPECT_EQ(OpenTransferWindowOf(state), nullptr);
  }
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(Session, ConnectedStateIsTakenBeforeConnecting) {
  sandbox.writePlatformIni("[Network]\r\nConnected=2\r\nConnectTo=" + std::string(kBuiltInAddress) +
                           ":21:127.0.0.1:" + std::to_string(server_->port()) + "\r\n");
  run([&] { OpenFtpSession(ctx); });
  EXPECT_EQ(ctx.connectedFlags, net::kConnectionLan);
  EXPECT_EQ(ctx.connectedResult, 1);
}

TEST(DialRule, FtpNeverDialsHttpDialsWithoutAConnectionOrOnAnIdleModem) {
  struct Case {
    std::uint8_t mode;
    bool connected;
    std::uint32_t flags;
    bool dials;
  };
  const Case cases[] = {
      {kDialNever, false, 0, false},
      {kDialNever, true, net::kConnectionModem, false},
      {kDialHttp, false, 0, true},
      {kDialHttp, true, net::kConnectionLan, false},
      {kDialHttp, true, net::kConnectionProxy, false},
      {kDialHttp, true, net::kConnectionModem, true},
      {kDialHttp, true, net::kConnectionModem | net::kConnectionModemBusy, false},
      {kDialHttp, true, net::kConnectionModem | net::kConnectionLan, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShouldDial(c.mode, c.connected, c.flags), c.dials)
        << int(c.mode) << " " << c.connected << " " << c.flags;
  }
}

}  // namespace
}  // namespace vl::inet
