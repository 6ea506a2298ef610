// Whole FTP runs against a real server: what arrives in the inbox, what is
// left on the server, the logs and the marker file.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/records.h"
#include "ftp/ftp_run.h"
#include "ftp_run_fixture.h"
#include "platform/profile/profile.h"
#include "platform/records/data_file.h"

namespace vl::test {
namespace {

namespace fsys = std::filesystem;
using Names = std::vector<std::string>;

constexpr const char* kBin = "FTP/ASP/CLIENT/BIN/";
constexpr const char* kUpdates = "FTP/ASP/Client/Store/Updates/";
constexpr const char* kLogName = "FTP/ASP/Client/Store/FTPLog/VLI_240315093015.Txt";
constexpr const char* kMarker = "C:\\VORLAN\\T1\\INBOX\\UPDOK.TXT";

// What a location with every option takes, in list order: ordinary files
// largest first, then the database flag, then the software flag.
const std::pair<std::string, std::size_t> kAllOptionsList[] = {
    {"MENU.ZIP", 5000},    {"ITEMS.UPD", 4000},  {"VLSECR.EXE", 3000},  {"HVLSECR.EXE", 2500},
    {"QUENTA.EXE", 2000},  {"C60RUNX.DLL", 1500}, {"VORPOS12.INI", 40}, {"UPDFLAGS.INI", 30},
    {"POSID12.TPS", 1057}, {"SWUPD12.TXT", 10}};


Names fileLines(const Names& names) {
  Names lines;
  for (const auto& name : names) lines.push_back("2," + name);
  lines.push_back("3,EOF");
  return lines;
}

TEST_F(FtpRunTest, CompleteUpdateFetchesChecksLogsAndAppliesIt) {
  SeedLocation();
  StartServer();
  ASSERT_EQ(Run(), 0);

  std::size_t total = 0;
  Names listed;
  for (const auto& [name, size] : kAllOptionsList) total += size, listed.push_back(name);
  // The flags and the settings file carry their fixed local names now.
  EXPECT_EQ(InboxNames(), (Names{"C60RUNX.DLL", "HVLSECR.EXE", "ITEMS.UPD", "MENU.ZIP", "POSID.TPS", "QUENTA.EXE",
                                 "SWUPD.TXT", "UPDFLAGS.INI", "UPDOK.TXT", "VLSECR.EXE", "VORPOS.INI"}));
  EXPECT_EQ(ReadInbox("VLSECR.EXE"), ReadRemote(std::string(kBin) + "VLSECR.EXE"));
  EXPECT_EQ(ReadInbox("POSID.TPS"), FileBytes("POSID12.TPS", 1057));
  EXPECT_EQ(ReadInbox("SWUPD.TXT"), FileBytes("SWUPD12.TXT", 10));
  EXPECT_EQ(ReadInbox("VORPOS.INI"), FileBytes("VORPOS12.INI", 40));
  EXPECT_FALSE(RemoteExists(std::string(kBin) + "SWUPD12.TXT"));
  EXPECT_FALSE(RemoteExists(std::string(kUpdates) + "POSID12.TPS"));
  EXPECT_TRUE(RemoteExists(std::string(kBin) + "SWUPD7.TXT"));
  EXPECT_TRUE(RemoteExists(std::string(kUpdates) + "POSID7.TPS"));

  EXPECT_EQ(profile::getString(kMarker, "VLSPOSBOH", "Update", ""), "15/03/24- 9:30AM");
  EXPECT_EQ(profile::getString(kMarker, "SoftwareUpdates", "VLSECR", ""), "1");
  EXPECT_EQ(profile::getString(kMarker, "SoftwareUpdates", "DLLs", ""), "1");

  const std::string summary = "1,12,12,Store One,TILL01,2307.18.1,D,I,Till User," + std::to_string(total) +
                              ",0,,0,7,2307.18.1";
  Names remoteLog{summary};
  for (const auto& line : fileLines(listed)) remoteLog.push_back(line);
  EXPECT_EQ(ReadLines(RemotePath(kLogName)), remoteLog);
  Names localLog{"15/03/24, 9:30,Client/Store," + summary + ",FD:0"};
  for (const auto& line : fileLines(listed)) localLog.push_back(line);
  EXPECT_EQ(ReadLines(sandbox_.driveC() / "VORLAN/T1/FTPLog.Txt"), localLog);
  EXPECT_FALSE(fsys::exists(sandbox_.driveC() / "VORLAN/T1/VLI_240315093015.Txt"));  // local copy gone

  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].caption, "Internet Data Transfer");
  EXPECT_EQ(Boxes()[0].text, "Successfully downloaded: " + std::string("19,137") + " bytes in 10 files.");
  EXPECT_EQ(total, 19137u);
  EXPECT_EQ(state_.transferPhase, kPhaseFinished);
  EXPECT_EQ(state_.LUF.count(), 10u);
  for (const auto& entry : state_.LUF.entries()) EXPECT_EQ(entry.ICON, 2) << entry.UPDATEFILE.str();
  const std::string shown = ui_.transcriptText();
  for (const char* text : {"Checking for software updates...",
                           "Checking for database updates...", "Downloading updates...", "Updating remote log file...",
                           "Removing software update flag...", "Removing database update flag...",
                           "Updating local files...", "Update completed."})
    EXPECT_NE(shown.find(text), std::string::npos) << text;
  EXPECT_LT(shown.find("Removing software update flag..."), shown.find("Update completed."));
  EXPECT_EQ(TransferWindowOf(state_).text(transfer::kHeading), "Internet Data Transfer - FTP");
  EXPECT_FALSE(TransferWindowOf(state_).isOpen());
}

TEST_F(FtpRunTest, SecondRunAppendsToTheLocalLogAndEmptiesTheInboxFirst) {
  SeedLocation();
  StartServer();
  ASSERT_EQ(Run(), 0);
  const auto firstLog = ReadLines(sandbox_.driveC() / "VORLAN/T1/FTPLog.Txt");
  // Flags are gone on the server: the second run takes only the other files.
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(InboxNames(), (Names{"C60RUNX.DLL", "HVLSECR.EXE", "ITEMS.UPD", "MENU.ZIP", "QUENTA.EXE", "UPDFLAGS.INI",
                                 "UPDOK.TXT", "VLSECR.EXE", "VORPOS.INI"}));
  const auto log = ReadLines(sandbox_.driveC() / "VORLAN/T1/FTPLog.Txt");
  ASSERT_EQ(log.size(), firstLog.size() + 10);
  EXPECT_TRUE(std::equal(firstLog.begin(), firstLog.end(), log.begin()));
}

TEST_F(FtpRunTest, WithoutRemovingFlagsTheSoftwareFlagKeepsItsName) {
  SeedLocation();
  StartServer();
  state_.BREMOVEUPDTOKENS = 0;
  ASSERT_EQ(Run(), 0);
  const Names inbox = InboxNames();
  EXPECT_NE(std::find(inbox.begin(), inbox.end(), "SWUPD12.TXT"), inbox.end());
  EXPECT_NE(std::find(inbox.begin(), inbox.end(), "POSID.TPS"), inbox.end());
  EXPECT_TRUE(RemoteExists(std::string(kBin) + "SWUPD12.TXT"));
  EXPECT_TRUE(RemoteExists(std::string(kUpdates) + "POSID12.TPS"));
  for (const auto& command : Commands()) EXPECT_NE(command.rfind("DELE", 0), 0u) << command;
}

TEST_F(FtpRunTest, TrustedModeWritesTheTillsOwnIdentityRecord) {
  SeedLocation();
  StartServer();
  state_.BDATA = 0;  // no database flag comes in
  state_.AUXTRUSTEDMODE = 1;
  state_.TERMID = 5;
  ASSERT_EQ(Run(), 0);

  IdentityRecord expected;
  expected.TERMID = 5;
  expected.COMPUTERNAME = "TILL01";
  expected.DIALUPSERVER = 5;
  expected.LOCATIONID = 12;
  expected.UPDATEFILES = "MENU.ZIP|VLSECR.EXE|HVLSECR.EXE|QUENTA.EXE|C60RUNX.DLL|VORPOS12.INI|UPDFLAGS.INI|SWUPD12.TXT|";
  records::DataFile posId("POSID", records::Driver::Keyed, IdentityRecord::kLayout, IdentityRecord::kSize);
  posId.setName("C:\\VORLAN\\T1\\INBOX\\POSID.TPS");
  ASSERT_TRUE(posId.open(records::Access::ReadWriteShared));
  ASSERT_TRUE(posId.setToStart());
  std::array<std::uint8_t, IdentityRecord::kSize> record{};
  ASSERT_TRUE(posId.next(record));
  EXPECT_EQ(record, toBytes(expected));
  EXPECT_FALSE(posId.next(record));  // one record

  const auto traces = BoxesCaptioned("trustedmode");
  ASSERT_EQ(traces.size(), 1u);
  EXPECT_EQ(traces[0].text, "C:\\VORLAN\\T1\\INBOX\\POSID.TPS");
  EXPECT_EQ(traces[0].icon, ui::Icon::Information);
}

TEST_F(FtpRunTest, SqlLocationGetsTheSqlProgramUnderTheIsamName) {
  SeedLocation();
  StartServer();
  state_.POSRDBMS = kRdbmsSql;
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(ReadInbox("VLSECR.EXE"), FileBytes("VLSECR_SQL.EXE", 3100));
  EXPECT_FALSE(fsys::exists(InboxPath("VLSECR_SQL.EXE")));
  const auto log = ReadLines(RemotePath(kLogName));
  EXPECT_NE(std::find(log.begin(), log.end(), "2,VLSECR_SQL.EXE"), log.end());
  EXPECT_EQ(std::find(log.begin(), log.end(), "2,VLSECR.EXE"), log.end());
  EXPECT_EQ(profile::getString(kMarker, "SoftwareUpdates", "VLSECR", ""), "1");
}

TEST_F(FtpRunTest, NothingDueClosesTheWindowAndSaysSo) {
  std::filesystem::create_directories(RemotePath(kBin));
  WriteRemote(std::string(kBin) + "SWUPD7.TXT", "other location");
  std::filesystem::create_directories(RemotePath(kUpdates));  // empty: no error
  StartServer();
  sandbox_.writeFile("drive_c/VORLAN/T1/INBOX/OLD.EXE", "left from last time");
  ASSERT_EQ(Run(), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "No Internet updates were found for this POS location.");
  EXPECT_EQ(Boxes()[0].caption, "Message");
  EXPECT_EQ(Boxes()[0].icon, ui::Icon::Information);
  EXPECT_TRUE(InboxNames().empty());
  EXPECT_FALSE(fsys::exists(sandbox_.driveC() / "VORLAN/T1/FTPLog.Txt"));
  EXPECT_FALSE(TransferWindowOf(state_).isOpen());
}

TEST_F(FtpRunTest, EntriesTheServerShouldNotHaveListedAreLeftOutWithAWarning) {
  SeedLocation();
  // Names that would land outside the inbox or break the list of names,
  // an empty file, and one whose size does not fit the 32-bit size field.
  WriteRemote(std::string(kUpdates) + "..\\EVIL.ZIP", "escape");
  WriteRemote(std::string(kUpdates) + "A|B.ZIP", "bar");
  WriteRemote(std::string(kUpdates) + "EMPTY.ZIP", "");
  WriteRemote(std::string(kUpdates) + "HUGE.ZIP", "");
  std::filesystem::resize_file(RemotePath(std::string(kUpdates) + "HUGE.ZIP"), (1ull << 32) + 16);
  StartServer();
  ASSERT_EQ(Run(), 0);

  const auto warnings = BoxesCaptioned("Message");
  Names texts;
  for (const auto& box : warnings) {
    texts.push_back(box.text);
    EXPECT_TRUE(box.beep);
  }
  const std::string advice = "||The file will not be downloaded.|If possible, contact the sender and ask for"
                             "|the file to be uploaded again.";
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(texts, (Names{"The incoming file ..\\EVIL.ZIP|has an invalid file name." + advice,
                          "The incoming file A|B.ZIP|has an invalid file name." + advice,
                          "The incoming file EMPTY.ZIP|has an invalid byte size." + advice,
                          "The incoming file HUGE.ZIP|has an invalid byte size." + advice}));
  EXPECT_FALSE(fsys::exists(sandbox_.driveC() / "VORLAN/T1/EVIL.ZIP"));
  for (const auto& name : InboxNames()) EXPECT_TRUE(name.find("ZIP") == std::string::npos || name == "MENU.ZIP") << name;
  for (const auto& command : Commands()) EXPECT_EQ(command.find("HUGE"), std::string::npos) << command;
}

TEST_F(FtpRunTest, SameNameInBothFoldersIsFetchedTwiceAndTheLaterCopyStays) {
  SeedLocation();
  WriteRemote(std::string(kBin) + "ITEMS.UPD", FileBytes("small ITEMS.UPD", 700));
  StartServer();
  // The inbox then holds less than the server listed, so nothing is applied.
  EXPECT_EQ(Run(), 1);
  int items = 0;
  for (const auto& entry : state_.LUF.entries()) items += entry.UPDATEFILE == "ITEMS.UPD";
  EXPECT_EQ(items, 2);
  EXPECT_EQ(ReadInbox("ITEMS.UPD"), FileBytes("small ITEMS.UPD", 700));  // listed after the larger one
  EXPECT_EQ(BoxesCaptioned("Transfer error").size(), 1u);
}

class FtpRunModes : public FtpRunTest, public ::testing::WithParamInterface<int> {};

TEST_P(FtpRunModes, PassiveOptionChoosesTheDataConnection) {
  SeedLocation();
  StartServer();
  state_.FTPPASSIVEMODE = static_cast<std::uint8_t>(GetParam());
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(ReadInbox("MENU.ZIP"), FileBytes("MENU.ZIP", 5000));
  bool passive = false, active = false;
  for (const auto& command : Commands()) {
    passive |= command.rfind("PASV", 0) == 0 || command.rfind("EPSV", 0) == 0;
    active |= command.rfind("PORT", 0) == 0 || command.rfind("EPRT", 0) == 0;
  }
  EXPECT_EQ(passive, GetParam() == 1);
  EXPECT_EQ(active, GetParam() == 0);
}

INSTANTIATE_TEST_SUITE_P(PassiveAndActive, FtpRunModes, ::testing::Values(1, 0));

}  // namespace
}  // namespace vl::test
