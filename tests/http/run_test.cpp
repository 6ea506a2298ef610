// Whole HTTP runs in this process against the cloud simulator, over HTTPS
// (the default) and HTTP, with the built-in host redirected to loopback.
#include <gtest/gtest.h>

#include <fstream>

#include "host_files.h"
#include "http/http_request_engine.h"
#include "http/http_run.h"
#include "http_run_fixture.h"

namespace vl::http {
namespace {

TEST_F(HttpRunTest, FullUpdateOverHttps) {
  state.BUSESSL = 1;
  fsys::create_directories(inbox());
  std::ofstream(inbox() / "STALE.TXT") << "old";
  boxes.answers = {ui::Button::No};
  EXPECT_EQ(RunHttpTransfer(state), 0);
  EXPECT_EQ(test::NamesIn(inbox()),
            (std::vector<std::string>{"C60RUNX.DLL", "CUSTOMER.TPS", "FBCLIENT.DLL", "HVLSECR.EXE", "ITEMS.UPD",
                                      "MENU.ZIP", "POSID.TPS", "PRICES.UPD", "QUENTA.EXE", "SWUPD.TXT", "TPSFIX.EXE",
                                      "UPDFLAGS.INI", "UPDOK.TXT", "VLSECR.EXE", "VORPOS.INI"}));
  EXPECT_EQ(test::ReadHostFile(inbox() / "VLSECR.EXE"), test::ReadHostFile(remote("CLIENT/BIN/VLSECR.EXE")));
  EXPECT_EQ(test::ReadHostFile(inbox() / "PRICES.UPD").size(), 65536u);
  // The remote flags are gone; the log arrived in the log folder.
  EXPECT_FALSE(fsys::exists(remote("CLIENT/BIN/SWUPD12.TXT")));
  EXPECT_FALSE(fsys::exists(remote("CLIENT/BIN/POSID12.TXT")));
  EXPECT_FALSE(fsys::exists(remote("Client/Store/Updates/POSID12.TPS")));
  EXPECT_TRUE(fsys::exists(remote("Client/Store/Updates/POSID7.TPS")));
  const auto logs = test::NamesIn(remote("Client/Store/FTPLog"));
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_EQ(logs[0].substr(0, 4), "012_");
  const std::string log = test::ReadHostFile(remote("Client/Store/FTPLog") / logs[0]);
  EXPECT_EQ(log.substr(0, 37), "1,12,12,Store,TILL1,2307.18.1,D,I,Ann");
  EXPECT_NE(log.find("\r\n2,VLSECR.EXE\r\n"), std::string::npos);
  // Update kinds: 16, and 4 for MENU.ZIP, 2 for the programs, 1 for the .UPD file.
  EXPECT_NE(log.find(",0,23,2307.18.1\r\n"), std::string::npos);
  const std::string end = "\r\n2,\r\n3,EOF\r\n";
  EXPECT_EQ(log.substr(log.size() - end.size()), end);
  EXPECT_FALSE(fsys::exists(sandbox.driveC() / "VORLAN" / "T1" / logs[0]));
  EXPECT_NE(test::ReadHostFile(sandbox.driveC() / "VORLAN" / "T1" / "FTPLog.TXT").find(",Client/Store,1,12,12,"),
            std::string::npos);
  EXPECT_NE(test::ReadHostFile(inbox() / "UPDFLAGS.INI").find("NewMaster=1"), std::string::npos);
  ASSERT_FALSE(boxes.shown.empty());
  EXPECT_EQ(boxes.shown.back().caption, "Internet Data Transfer");
  EXPECT_EQ(boxes.shown.back().text.substr(0, 25), "Successfully downloaded: ");
  EXPECT_EQ(state.transferPhase, kPhaseFinished);
}

TEST_F(HttpRunTest, RequestsGoOutByteForByte) {
  EXPECT_EQ(RunHttpTransfer(state), 0);
  const std::string host(kBuiltInAddress);
  const std::string first = sim->capture(1);
  EXPECT_EQ(first.substr(0, first.find("\r\n")),
            "GET /kwsync/listFolder.pyc?folder=/FTP/ASP/CLIENT/BIN/&displaymode=plain HTTP/1.0");
  EXPECT_NE(first.find("\r\nHost: " + host + "\r\n"), std::string::npos);
  EXPECT_NE(first.find("\r\nContent-Type:Text/Plain\r\n"), std::string::npos);
  EXPECT_NE(first.find("\r\nAccept: text/html\r\n"), std::string::npos);
  // The upload: the only POST of the run.
  std::string upload;
  for (int n = 1; n < 40 && upload.empty(); ++n)
    if (sim->capture(n).rfind("POST ", 0) == 0) upload = sim->capture(n);
  ASSERT_FALSE(upload.empty());
  EXPECT_EQ(upload.substr(0, upload.find("\r\n")), "POST /kwsync/putFile.pyc HTTP/1.0");
  const std::string marker = "\r\nContent-Type: multipart/form-data; boundary=";
  const std::size_t at = upload.find(marker);
  ASSERT_NE(at, std::string::npos);
  const std::string boundary = upload.substr(at + marker.size(), 47);
  EXPECT_EQ(boundary.substr(0, 27), std::string(27, '-'));
  EXPECT_EQ(upload[at + marker.size() + 47], '\r');
  const std::string body = upload.substr(upload.find("\r\n\r\n") + 4);
  const auto logs = test::NamesIn(remote("Client/Store/FTPLog"));
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_EQ(body, UploadBody(boundary, "/FTP/ASP/Client/Store/FTPLog/", logs[0],
                             test::ReadHostFile(remote("Client/Store/FTPLog") / logs[0])));
}

TEST_F(HttpRunTest, PlainHttpWhenSslIsOff) {
  state.BUSESSL = 0;
  boxes.answers = {ui::Button::No};
  EXPECT_EQ(RunHttpTransfer(state), 0);
  EXPECT_TRUE(fsys::exists(inbox() / "VLSECR.EXE"));
}

TEST_F(HttpRunTest, ByteMismatchRollsTheUpdateBack) {
  struct Case {
    int delta;
    const char* what;
  };
  for (const Case c : {Case{-100, "short"}, Case{1 << 24, "longer than listed"}}) {
    SCOPED_TRACE(c.what);
    boxes.shown.clear();
    sim->setFaults("[{\"fault\": \"size_delta\", \"op\": \"getFile\", \"match\": \"*VLSECR.EXE\", \"delta\": " +
                   std::to_string(c.delta) + "}]");
    EXPECT_EQ(RunHttpTransfer(state), 1);
    ASSERT_FALSE(boxes.shown.empty());
    const std::string text = boxes.shown.back().text;
    EXPECT_EQ(text.rfind("Incoming Internet file byte mismatch.||File: C:\\VORLAN\\T1\\INBOX\\VLSECR.FTP|", 0), 0u)
        << text;
    EXPECT_NE(text.find("|Remote byte size:    204,817||"), std::string::npos) << text;
    EXPECT_NE(text.find("will be rolled back."), std::string::npos);
    EXPECT_FALSE(fsys::exists(inbox() / "VLSECR.FTP"));
    EXPECT_FALSE(fsys::exists(inbox() / "VLSECR.EXE"));
    EXPECT_TRUE(test::NamesIn(remote("Client/Store/FTPLog")).empty());
    EXPECT_TRUE(fsys::exists(remote("CLIENT/BIN/SWUPD12.TXT")));
  }
}

TEST_F(HttpRunTest, AListingWarningIsShownOncePerListedFile) {
  std::ofstream(remote("Client/Store/Updates/EMPTY.UPD"));
  boxes.answers = {ui::Button::No};
  EXPECT_EQ(RunHttpTransfer(state), 0);
  int sizeWarnings = 0;
  for (const std::string& text : boxes.texts())
    sizeWarnings += text.find("EMPTY.UPD|has an invalid byte size.") != std::string::npos;
  EXPECT_EQ(sizeWarnings, 1);
  EXPECT_FALSE(fsys::exists(inbox() / "EMPTY.UPD"));
}

TEST_F(HttpRunTest, ARefusedUploadIsATransactionError) {
  sim->setFaults("[{\"fault\": \"put_reply\", \"text\": \"OK\\r\\n\"}]");
  EXPECT_EQ(RunHttpTransfer(state), 1);
  ASSERT_FALSE(boxes.shown.empty());
  EXPECT_EQ(boxes.shown.back().caption, "HTTP Transaction Error");
  EXPECT_EQ(boxes.shown.back().text, "||Error: 1|Internet request: putFile     ||OK\r\n");
  EXPECT_TRUE(fsys::exists(remote("CLIENT/BIN/SWUPD12.TXT")));
}

class HttpRunUntrustedTest : public HttpRunTest {
 protected:
  HttpRunUntrustedTest() : HttpRunTest("", {}, false) {}
};

TEST_F(HttpRunUntrustedTest, AnUntrustedCertificateIsReportedNeverIgnored) {
  state.BUSESSL = 1;
  boxes.answers = {ui::Button::No};
  EXPECT_EQ(RunHttpTransfer(state), 2);
  ASSERT_FALSE(boxes.shown.empty());
  EXPECT_NE(boxes.shown.back().text.find("||Error: 12045 HTTPSendRequest|"), std::string::npos)
      << boxes.shown.back().text;
  EXPECT_TRUE(test::NamesIn(inbox()).empty());
  EXPECT_TRUE(sim->requestLog().empty());
}

class HttpRegisteredSqlTest : public HttpRunTest {
 protected:
  HttpRegisteredSqlTest() : HttpRunTest("", {"--registered"}) {}
};

TEST_F(HttpRegisteredSqlTest, SqlRegisteredLocationTakesTheGlobalFolder) {
  state.POSRDBMS = kRdbmsSql;
  EXPECT_EQ(RunHttpTransfer(state), 0);
  EXPECT_EQ(test::ReadHostFile(inbox() / "VLSECR.EXE"), test::ReadHostFile(remote("CLIENT/BIN/VLSECR_SQL.EXE")));
  EXPECT_TRUE(fsys::exists(inbox() / "TBL_REGISTRATION.TPS"));
  EXPECT_TRUE(fsys::exists(inbox() / "GLOBALITEMS.TPS"));
  EXPECT_TRUE(fsys::exists(inbox() / "PLU.UPD"));
  EXPECT_FALSE(fsys::exists(inbox() / "LOCALDATA.DAT"));
  const std::string marks = test::ReadHostFile(inbox() / "UPDOK.TXT");
  EXPECT_NE(marks.find("BIN=1"), std::string::npos);
  EXPECT_NE(marks.find("DAT=1"), std::string::npos);
  EXPECT_NE(test::ReadHostFile(sandbox.driveC() / "VORLAN" / "T1" / "Terminal.INI").find("locationid=12"), std::string::npos);
}

TEST_F(HttpRunTest, QuillanClientNeverTakesTheCryptographyLibraries) {
  fsys::create_directories(remote("QUILLAN/BIN"));
  fsys::create_directories(remote("QUILLAN/Store/Updates"));
  std::ofstream(remote("QUILLAN/BIN") / "LIBSSL-1_1.DLL") << "ssl";
  std::ofstream(remote("QUILLAN/BIN") / "C60RUNX.DLL") << "run";
  state.FTP.LOCALFTP = "QUILLAN/Store";
  EXPECT_EQ(RunHttpTransfer(state), 0);
  ASSERT_FALSE(boxes.shown.empty());
  EXPECT_EQ(boxes.shown.front().text, std::string(kQuillanNote));
  EXPECT_TRUE(fsys::exists(inbox() / "C60RUNX.DLL"));
  EXPECT_FALSE(fsys::exists(inbox() / "LIBSSL-1_1.DLL"));
}

TEST_F(HttpRunTest, BlankCloudFolderIsNotRegistered) {
  state.FTP.LOCALFTP = "";
  fsys::create_directories(inbox());
  std::ofstream(inbox() / "KEEP.TXT") << "x";
  EXPECT_EQ(RunHttpTransfer(state), 1);
  EXPECT_EQ(boxes.shown.at(0).text, std::string(kNotRegisteredText));
  EXPECT_TRUE(fsys::exists(inbox() / "KEEP.TXT"));
  EXPECT_TRUE(sim->requestLog().empty());
}

}  // namespace
}  // namespace vl::http
