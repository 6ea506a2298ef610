#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "inet_test_support.h"
#include "platform/base/errors.h"
#include "server_process.h"

namespace vl::net {
namespace {

namespace fs = std::filesystem;
constexpr const char* kUser = "till";
// The server's built-in name, sent to the test server through ConnectTo.
constexpr const char* kServerName = "ftp.vorlan.example";
constexpr const char* kPassword = "s3cret-Pa55";
// Line ends, NUL and high bytes must come through a binary transfer unchanged.
const std::string kExeBytes("MZ\r\n\0\x1a\xff binary\n", 15);

class FtpClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vl::test::clearProxyEnvironment();
    root_ = sandbox_.prefix() / "ftproot";
    writeRemote("FTP/ASP/CLIENT/BIN/SWUPD12.TXT", "flag");
    writeRemote("FTP/ASP/CLIENT/BIN/VLSECR.EXE", kExeBytes);
    fs::create_directories(root_ / "FTP/ASP/CLIENT/BIN/BACKUP");
    fs::create_directories(root_ / "FTP/ASP/Client/Store/FTPLog");
    fs::create_directories(root_ / "FTP/ASP/EMPTY");
    fs::create_directories(sandbox_.driveC() / "VORLAN/T1/INBOX");
    server_ = std::make_unique<vl::test::ServerProcess>(
        "ftp_server.py", std::vector<std::string>{root_.string(), kUser, kPassword});
    sandbox_.writePlatformIni("[Network]\r\nConnectTo=" + std::string(kServerName) + ":21:127.0.0.1:" +
                              std::to_string(server_->port()) + "\r\n");
    ASSERT_TRUE(session_.open());
    ASSERT_TRUE(session_.setStatusCallback(recorder_.callback()));
  }

  void writeRemote(const std::string& relative, const std::string& bytes) {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative, std::ios::binary) << bytes;
  }
  std::string readHost(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  InetResult connect(FtpConnection& ftp, std::uint32_t flags = kFlagPassive) {
    return ftp.connect(session_, kServerName, 21, kUser, kPassword, flags);
  }
  std::map<std::string, FindData> listAll(FtpConnection& ftp, const std::string& pattern) {
    std::map<std::string, FindData> found;
    FtpFind find;
    FindData data;
    if (!ftp.findFirst(pattern, data, find)) return found;
    do found[data.name] = data;
    while (find.next(data));
    EXPECT_EQ(vl::platform::lastWinError(), kErrorNoMoreFiles);
    return found;
  }

  vl::test::Sandbox sandbox_;
  fs::path root_;
  std::unique_ptr<vl::test::ServerProcess> server_;
  vl::test::StatusRecorder recorder_;
  Session session_;
};

TEST_F(FtpClientTest, LoginFailsWhereTheConnectionIsMade) {
  struct Case {
    const char* what;
    std::string host;
    int port;
    const char* password;
    std::uint32_t error;
  };
  const Case cases[] = {
      {"right password", "127.0.0.1", server_->port(), kPassword, 0},
      {"built-in name redirected", kServerName, 21, kPassword, 0},
      {"wrong password", "127.0.0.1", server_->port(), "wrong-Pa55", kErrorInternetIncorrectPassword},
      {"nothing listening", "127.0.0.1", vl::test::unusedPort(), kPassword, kErrorInternetCannotConnect},
      {"unknown name", "cloud.nowhere.invalid", 21, kPassword, kErrorInternetNameNotResolved},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FtpConnection ftp;
    InetResult result = ftp.connect(session_, c.host, c.port, kUser, c.password, kFlagPassive);
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(vl::platform::lastWinError(), c.error);
    EXPECT_EQ(ftp.isOpen(), c.error == 0);
    LastResponse reply;
    if (lastResponseInfo(reply)) {
      EXPECT_EQ(reply.text.find(c.password), std::string::npos);
    }
  }
}

TEST_F(FtpClientTest, ListsNamesSizesAndFolders) {
  // A sparse file beyond 4 GiB checks that sizes keep their high half.
  { std::ofstream(root_ / "FTP/ASP/CLIENT/BIN/HUGE.ZIP"); }
  fs::resize_file(root_ / "FTP/ASP/CLIENT/BIN/HUGE.ZIP", 5'000'000'000ULL);
  FtpConnection ftp;
  ASSERT_TRUE(connect(ftp));

  auto all = listAll(ftp, "/FTP/ASP/CLIENT/BIN/*.*");
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(all["SWUPD12.TXT"].size, 4u);
  EXPECT_EQ(all["VLSECR.EXE"].size, kExeBytes.size());
  EXPECT_EQ(all["HUGE.ZIP"].size, 5'000'000'000ULL);
  EXPECT_EQ(all["BACKUP"].attributes, kAttributeDirectory);
  EXPECT_EQ(all["VLSECR.EXE"].attributes, kAttributeNormal);

  auto texts = listAll(ftp, "/FTP/ASP/CLIENT/BIN/*.txt");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts.begin()->first, "SWUPD12.TXT");

  FtpFind find;
  FindData data;
  EXPECT_EQ(ftp.findFirst("/FTP/ASP/EMPTY/*.*", data, find).error, kErrorNoMoreFiles);
  EXPECT_FALSE(find.isOpen());
}

TEST_F(FtpClientTest, ServerRefusalsLeaveTheReplyAsLastResponse) {
  FtpConnection ftp;
  ASSERT_TRUE(connect(ftp));
  FtpFind find;
  FindData data;
  LastResponse reply;

  EXPECT_EQ(ftp.findFirst("/FTP/ASP/NOSUCH/BIN/*.*", data, find).error, kErrorInternetExtendedError);
  ASSERT_TRUE(lastResponseInfo(reply));
  EXPECT_EQ(reply.error, 550u);
  EXPECT_EQ(reply.text.substr(0, 4), "550 ");

  auto inbox = "C:\\VORLAN\\T1\\INBOX\\MISSING.FTP";
  EXPECT_EQ(ftp.getFile("/FTP/ASP/CLIENT/BIN/MISSING.EXE", inbox, false).error, kErrorInternetExtendedError);
  ASSERT_TRUE(lastResponseInfo(reply));
  EXPECT_EQ(reply.error, 550u);
  EXPECT_FALSE(fs::exists(sandbox_.driveC() / "VORLAN/T1/INBOX/MISSING.FTP"));

  EXPECT_EQ(ftp.deleteFile("/FTP/ASP/CLIENT/BIN/MISSING.EXE").error, kErrorInternetExtendedError);
  ASSERT_TRUE(lastResponseInfo(reply));
  EXPECT_EQ(reply.error, 550u);

  sandbox_.writeFile("drive_c/VORLAN/T1/LOG.TXT", "3,EOF\r\n");
  EXPECT_EQ(ftp.putFile("C:\\VORLAN\\T1\\LOG.TXT", "/FTP/ASP/NOSUCH/FTPLog/LOG.TXT").error,
            kErrorInternetExtendedError);
  ASSERT_TRUE(lastResponseInfo(reply));
  EXPECT_EQ(reply.error, 550u);

  // The connection serves on after the refusals.
  EXPECT_EQ(listAll(ftp, "/FTP/ASP/CLIENT/BIN/*.*").size(), 3u);
}

// A line break in a remote name would smuggle a second command onto the
// control connection (here a DELE of the flag): every operation refuses such a
// name before anything reaches the server, and the connection serves on.
TEST_F(FtpClientTest, LineBreaksInRemoteNamesNeverReachTheServer) {
  FtpConnection ftp;
  ASSERT_TRUE(connect(ftp));
  sandbox_.writeFile("drive_c/VORLAN/T1/LOG.TXT", "3,EOF\r\n");
  for (const char* lineBreak : {"\r\n", "\r", "\n"}) {
    SCOPED_TRACE(::testing::PrintToString(lineBreak));
    const std::string remote =
        std::string("/FTP/ASP/CLIENT/BIN/X") + lineBreak + "DELE /FTP/ASP/CLIENT/BIN/SWUPD12.TXT";
    FtpFind find;
    FindData data;
    EXPECT_FALSE(ftp.deleteFile(remote));
    EXPECT_FALSE(ftp.getFile(remote, "C:\\VORLAN\\T1\\INBOX\\X.FTP", false));
    EXPECT_FALSE(ftp.putFile("C:\\VORLAN\\T1\\LOG.TXT", remote));
    EXPECT_FALSE(ftp.findFirst(remote + "/*.*", data, find));
    EXPECT_TRUE(fs::exists(root_ / "FTP/ASP/CLIENT/BIN/SWUPD12.TXT"));
  }
  EXPECT_EQ(listAll(ftp, "/FTP/ASP/CLIENT/BIN/*.*").size(), 3u);
}

class FtpTransferModes : public FtpClientTest, public ::testing::WithParamInterface<std::uint32_t> {};

TEST_P(FtpTransferModes, GetsPutsAndDeletesOverOneControlConnection) {
  FtpConnection ftp;
  ASSERT_TRUE(connect(ftp, GetParam()));

  ASSERT_TRUE(ftp.getFile("/FTP/ASP/CLIENT/BIN/VLSECR.EXE", "c:\\vorlan\\t1\\inbox\\VLSECR.FTP", false));
  EXPECT_EQ(readHost(sandbox_.driveC() / "VORLAN/T1/INBOX/VLSECR.FTP"),
            kExeBytes);
  EXPECT_EQ(ftp.getFile("/FTP/ASP/CLIENT/BIN/VLSECR.EXE", "C:\\VORLAN\\T1\\INBOX\\VLSECR.FTP", true).error,
            vl::platform::kErrorFileExists);

  sandbox_.writeFile("drive_c/VORLAN/T1/VLI_240315093015.Txt", "1,12,12\r\n3,EOF\r\n");
  ASSERT_TRUE(ftp.putFile("C:\\VORLAN\\T1\\VLI_240315093015.Txt",
                          "/FTP/ASP/Client/Store/FTPLog/VLI_240315093015.Txt"));
  EXPECT_EQ(readHost(root_ / "FTP/ASP/Client/Store/FTPLog/VLI_240315093015.Txt"), "1,12,12\r\n3,EOF\r\n");
  EXPECT_EQ(ftp.putFile("C:\\VORLAN\\T1\\NOSUCH.TXT", "/FTP/ASP/x").error, vl::platform::kErrorFileNotFound);

  // The previous operation left the server in another folder: absolute paths.
  ASSERT_TRUE(ftp.deleteFile("/FTP/ASP/CLIENT/BIN/SWUPD12.TXT"));
  EXPECT_FALSE(fs::exists(root_ / "FTP/ASP/CLIENT/BIN/SWUPD12.TXT"));

  EXPECT_EQ(recorder_.count(kStatusConnectingToServer), 1u);
  ftp.close();
  ftp.close();
  EXPECT_EQ(recorder_.count(kStatusConnectionClosed), 1u);
  EXPECT_EQ(recorder_.count(kStatusHandleClosing), 1u);
}

INSTANTIATE_TEST_SUITE_P(PassiveAndActive, FtpTransferModes, ::testing::Values(kFlagPassive, 0u));

TEST(FtpStalledServer, TimesOutAfterTheReceiveTimeout) {
  vl::test::Sandbox sandbox;
  sandbox.writePlatformIni("[Network]\r\nReceiveTimeout=1\r\n");
  vl::test::clearProxyEnvironment();
  vl::test::SilentListener silent;
  Session session;
  ASSERT_TRUE(session.open());
  FtpConnection ftp;
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ftp.connect(session, "127.0.0.1", silent.port(), kUser, kPassword, kFlagPassive).error,
            kErrorInternetTimeout);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

}  // namespace
}  // namespace vl::net
