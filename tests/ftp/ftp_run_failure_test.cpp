// FTP runs that cannot complete: not configured, a short transfer, and the
// Internet failures that end a run with result 2.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "ftp/ftp_run.h"
#include "ftp_run_fixture.h"

namespace vl::test {
namespace {

namespace fsys = std::filesystem;
using Names = std::vector<std::string>;

constexpr const char* kBin = "FTP/ASP/CLIENT/BIN/";
constexpr const char* kUpdates = "FTP/ASP/Client/Store/Updates/";
constexpr const char* kReportOpening =
    "The system has detected an Internet connection error.|Contact your system administrator and quote the "
    "following message:||Error: ";

TEST_F(FtpRunTest, BlankCloudFolderIsNotConfiguredAndTouchesNothing) {
  state_.FTP.LOCALFTP = "";
  sandbox_.writeFile("drive_c/VORLAN/T1/INBOX/OLD.EXE", "kept");
  EXPECT_EQ(Run(), 1);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "This system is not registered for Internet transfers.||Contact your software supplier.");
  EXPECT_TRUE(Boxes()[0].beep);
  EXPECT_EQ(InboxNames(), Names{"OLD.EXE"});
  EXPECT_EQ(ui_.transcriptText().find("FTPWINDOW"), std::string::npos) << "the window never opened";
}

TEST_F(FtpRunTest, FileGoneBeforeItsDownloadMakesTheRunNotDoneAndChangesNothingElse) {
  SeedLocation();
  StartServer({"--vanish", "MENU.ZIP"});
  // Result 1: the Download command must not install the programs that did arrive.
  EXPECT_EQ(Run(), 1);

  const auto errors = BoxesCaptioned("Transfer error");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].text,
            "Source data transfer size: 19,137 bytes.||Downloaded data transfer size: 14,137 bytes."
            "||The file update will not take place.");
  EXPECT_TRUE(errors[0].beep);
  EXPECT_TRUE(BoxesCaptioned("Internet Data Transfer").empty());
  // No local update: flags keep their names, nothing is renamed or marked,
  // and the server keeps its flags.
  const Names inbox = InboxNames();
  EXPECT_EQ(inbox, (Names{"C60RUNX.DLL", "HVLSECR.EXE", "ITEMS.UPD", "POSID12.TPS", "QUENTA.EXE", "SWUPD12.TXT",
                          "UPDFLAGS.INI", "VLSECR.EXE", "VORPOS12.INI"}));
  EXPECT_TRUE(RemoteExists(std::string(kBin) + "SWUPD12.TXT"));
  EXPECT_TRUE(RemoteExists(std::string(kUpdates) + "POSID12.TPS"));
  // The log still tells the story, short flag set, the lost file listed.
  const auto log = ReadLines(RemotePath("FTP/ASP/Client/Store/FTPLog/VLI_240315093015.Txt"));
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log[0], "1,12,12,Store One,TILL01,2307.18.1,D,I,Till User,14137,0,,1,7,2307.18.1");
  EXPECT_NE(std::find(log.begin(), log.end(), "2,MENU.ZIP"), log.end());
  EXPECT_EQ(state_.LUF.at(1).UPDATEFILE, "MENU.ZIP");
  EXPECT_EQ(state_.LUF.at(1).ICON, 1);  // it was being fetched and never arrived
}


// Arranging a failure needs the fixture's protected members.
class FtpRunFailures : public FtpRunTest {
 protected:
  void ExpectReport(const std::string& detail) {
    const auto reports = BoxesCaptioned("Internet Access Error");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].text.rfind(kReportOpening + detail + "|Server address:ftp.vorlanpos.net||", 0), 0u)
        << reports[0].text;
    EXPECT_TRUE(reports[0].beep);
    EXPECT_FALSE(TransferWindowOf(state_).isOpen());
  }
};

TEST_F(FtpRunFailures, MissingRemoteFolderReportsTheServersReply) {
  SeedLocation();
  state_.FTP.LOCALFTP = "Client/Nowhere";
  StartServer();
  EXPECT_EQ(Run(), 2);
  const auto reports = BoxesCaptioned("Internet Access Error");
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].text.find("||Error: 12003 FTPFindFirstFile|550"), std::string::npos) << reports[0].text;
  EXPECT_TRUE(InboxNames().empty());
}

TEST_F(FtpRunFailures, WrongPassword) {
  SeedLocation();
  StartServer();
  state_.FTP.PASSWORD = "not-it";
  EXPECT_EQ(Run(), 2);
  ExpectReport("12014 InternetConnect|Invalid Internet logon password.");
}

TEST_F(FtpRunFailures, NothingListening) {
  PointAt(unusedPort());
  EXPECT_EQ(Run(), 2);
  ExpectReport("12029 InternetConnect|Cannot connect to the internet.");
}

TEST_F(FtpRunFailures, StalledDownloadTimesOutAfterFourTries) {
  SeedLocation();
  StartServer({"--stall", "MENU.ZIP"}, "ReceiveTimeout=1\r\n");
  state_.FTPPASSIVEMODE = 1;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Run(), 2);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
  ExpectReport("12002 FTPGetFile|Internet timeout error.|The internet server may be down.||Try connecting again later.");
  int tries = 0;
  for (const auto& command : Commands()) tries += command == "RETR MENU.ZIP";
  EXPECT_EQ(tries, 4);
  EXPECT_FALSE(fsys::exists(sandbox_.driveC() / "VORLAN/T1/FTPLog.Txt"));  // the run ended before the log
}

TEST_F(FtpRunFailures, LogThatCannotBeUploadedEndsTheRunBeforeTheLocalUpdate) {
  SeedLocation();
  fsys::remove(RemotePath("FTP/ASP/Client/Store/FTPLog"));
  StartServer();
  EXPECT_EQ(Run(), 2);
  const auto reports = BoxesCaptioned("Internet Access Error");
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].text.find("||Error: 12003 FTPPutLog|"), std::string::npos) << reports[0].text;
  EXPECT_TRUE(RemoteExists(std::string(kBin) + "SWUPD12.TXT"));
  const Names inbox = InboxNames();
  EXPECT_NE(std::find(inbox.begin(), inbox.end(), "SWUPD12.TXT"), inbox.end());
  EXPECT_EQ(std::find(inbox.begin(), inbox.end(), "UPDOK.TXT"), inbox.end());
  // The local copy stays where it was written; the local log was not reached.
  EXPECT_TRUE(fsys::exists(sandbox_.driveC() / "VORLAN/T1/VLI_240315093015.Txt"));
  EXPECT_FALSE(fsys::exists(sandbox_.driveC() / "VORLAN/T1/FTPLog.Txt"));
}

TEST_F(FtpRunFailures, RefusedFlagDeletionIsReportedAndTheUpdateGoesOnButIsNotDone) {
  SeedLocation();
  StartServer({"--refuse-delete"});
  EXPECT_EQ(Run(), 2);
  const auto reports = BoxesCaptioned("Internet Access Error");
  ASSERT_EQ(reports.size(), 2u);  // one per flag
  EXPECT_NE(reports[0].text.find("||Error: 12003 FTPDelete|550|"), std::string::npos) << reports[0].text;
  EXPECT_EQ(BoxesCaptioned("Internet Data Transfer").size(), 1u);
  const Names inbox = InboxNames();
  for (const char* name : {"SWUPD.TXT", "POSID.TPS", "VORPOS.INI", "UPDOK.TXT"})
    EXPECT_NE(std::find(inbox.begin(), inbox.end(), name), inbox.end()) << name;
  int deletes = 0;
  for (const auto& command : Commands()) deletes += command.rfind("DELE", 0) == 0;
  EXPECT_EQ(deletes, 8);  // four tries per flag
}

}  // namespace
}  // namespace vl::test
