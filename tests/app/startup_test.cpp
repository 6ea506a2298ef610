// The program from start to close: the access prompt or developer mode, the
// working directory, the settings file, the remembered settings and the
// desktop's drag setting.
#include <array>

#include "app/settings_file.h"
#include "app_fixture.h"
#include "data/builtin_account.h"
#include "platform/fs/paths.h"
#include "touch/keypad.h"

namespace vl::test {
namespace {

constexpr const char* kCloseSetup = "press ?CANCELBUTTON\n";

std::string accessCodeScript() {
  return "wait P1$MODALWINDOW\naccess-code ?OUTNUMBER\npress ?OKKEY\n";
}

class Startup : public AppTest {
 protected:
  void storeSettings(const SettingsRecord& record) {
    std::filesystem::create_directories(box.driveC() / "VORLAN/T1");
    fs::setCurrentDirectory("C:\\VORLAN\\T1");
    records::DataFile file = setup::makeSettingsFile();
    ASSERT_TRUE(file.create()) << file.errorText();
    ASSERT_TRUE(file.open(records::Access::ReadWriteShared));
    ASSERT_TRUE(file.add(toBytes(record)));
  }
};

TEST_F(Startup, WithoutIniAsksForTheCodeAndOpensWithTheStartingValues) {
  const HeadlessResult r = run(accessCodeScript() + kWaitSetup + "dump P1$FTPINSTALLER\n" + kCloseSetup);
  expectEnded(r);
  const auto opened = r.events("open");
  ASSERT_EQ(opened.size(), 2u) << r.transcript;
  EXPECT_EQ(opened[0].get("window"), "P1$MODALWINDOW");
  EXPECT_EQ(opened[1].get("window"), "P1$FTPINSTALLER");
  EXPECT_EQ(opened[1].caption(), "Vorlan Cloud POS Location Downloader");
  struct Expected {
    const char* id;
    const char* key;
    const char* value;
  };
  const Expected expected[] = {
      {"?USERNAME", "text", ""},          {"?USERLOCATION", "text", ""},
      {"?LOCATIONID", "text", ""},        {"?BSTOREOWNER", "value", "0"},
      {"?POSRDBMS", "value", "0"},        {"?BUSESSL", "value", "1"},
      {"?FTP:GLOBALFTP", "enabled", "true"}, {"?FTP:GLOBALFTP", "required", "true"},
      {"?FTPPASSIVEMODE", "enabled", "false"}, {"?BPROTOCOLTYPE", "value", "1"},
      {"?BREMOVEUPDTOKENS", "value", "1"}, {"?BDATA", "value", "0"},
      {"?BECR", "value", "0"},            {"?BLOADER", "value", "0"},
      {"?BDLLS", "value", "0"},           {"?TERMID", "enabled", "false"},
      {"?STRVERSION", "text", "VLSInet v.2307.18.1"}, {"?STRFTPADDRESS", "text", "ftp.vorlanpos.net"},
      {"?BCONNECTIONLAN", "value", "1"},  {"?BCONNECTIONRAS", "value", "1"},
      {"?BCONNECTIONMODEM", "value", "0"}, {"?BCONNECTIONOFFLINE", "value", "0"},
      {"?STRFTPUSERNAME", "visible", "false"}, {"?CMDSAVE", "visible", "false"},
  };
  for (const Expected& e : expected) EXPECT_EQ(r.dumped(e.id, e.key), e.value) << e.id << " " << e.key;
  EXPECT_EQ(iniValue("VLSInet", "Version"), "2307.18.1");
  EXPECT_EQ(iniValue("AppKeyName", "bStoreOwner"), "<absent>") << "only a download stores the settings";
  const SettingsRecord stored = storedSettings();
  EXPECT_EQ(stored.ADDRESS, kBuiltInAddress);
  EXPECT_EQ(stored.USERNAME, kBuiltInUserName);
  EXPECT_EQ(stored.PASSWORD, kBuiltInPassword);
  EXPECT_EQ(r.events("close").back().get("window"), "P1$FTPINSTALLER");
}

TEST_F(Startup, AWrongCodeIsRefusedAndTheRightOneLetsTheUserIn) {
  const long code = touch::AccessCodeForDay(today());
  const HeadlessResult r = run("wait P1$MODALWINDOW\ntype ?OUTNUMBER " + std::to_string(code + 1) +
                               "\npress ?OKKEY\npress ?CLEARKEY\naccess-code ?OUTNUMBER\npress ?OKKEY\n" + kWaitSetup +
                               kCloseSetup);
  expectEnded(r);
  EXPECT_TRUE(r.hasMessage("Invalid password.||Try again.")) << r.transcript;
  EXPECT_EQ(r.events("open").back().get("window"), "P1$FTPINSTALLER");
}

TEST_F(Startup, CancellingTheAccessPromptEndsNormallyAndRestoresDragging) {
  box.writePlatformIni("[System]\r\nDragFullWindows=1\r\n[Clock]\r\nNow=2026-12-11 10:00:00\r\n");
  const HeadlessResult r = run("wait P1$MODALWINDOW\npress ?CANCELKEY\n");
  expectEnded(r);
  for (const auto& open : r.events("open")) EXPECT_NE(open.get("window"), "P1$FTPINSTALLER");
  EXPECT_NE(box.readFile("platform.ini").find("DragFullWindows=1"), std::string::npos);
  EXPECT_FALSE(exists("VORLAN/T1")) << "nothing is prepared before the code is known";
}

TEST_F(Startup, DeveloperModeSkipsThePromptAndFillsTheTestUser) {
  developerMode();
  const HeadlessResult r = run(std::string(kWaitSetup) + "dump P1$FTPINSTALLER\n" + kCloseSetup);
  expectEnded(r);
  EXPECT_EQ(r.events("open").size(), 1u) << r.transcript;
  EXPECT_EQ(r.dumped("?USERNAME", "text"), "Ilvo Test");
  EXPECT_EQ(r.dumped("?USERLOCATION", "text"), "Test Location");
}

TEST_F(Startup, RemembersTheSettingsAndTheUserNameOnlyOnTheDayOfTheLastDownload) {
  struct Case {
    std::string lastDownload;
    std::string userName;
  };
  const Case cases[] = {
      {"LastDownload=" + std::to_string(today()) + "\r\n", "Ann Smith"},
      {"LastDownload=" + std::to_string(today() - 1) + "\r\n", "Ilvo Test"},
      {"", "Ilvo Test"},
  };
  for (const Case& c : cases) {
    developerMode("[AppKeyName]\r\nbStoreOwner=2\r\nbUseSSL=0\r\nUserLocation=Shop Twelve\r\nLocationID=abc\r\n"
                  "POSRDBMS=2\r\nUserName=Ann Smith\r\nLocalFTP=ACME/SHOPF12\r\nGlobalFTP=ACME/ACMEHQ\r\n" +
                  c.lastDownload);
    const HeadlessResult r = run(std::string(kWaitSetup) + "dump P1$FTPINSTALLER\n" + kCloseSetup);
    expectEnded(r);
    EXPECT_EQ(r.dumped("?USERNAME", "text"), c.userName) << c.lastDownload;
    EXPECT_EQ(r.dumped("?USERLOCATION", "text"), "Shop Twelve");
    EXPECT_EQ(r.dumped("?LOCATIONID", "text"), "") << "a location ID that is not a number reads as 0";
    EXPECT_EQ(r.dumped("?BSTOREOWNER", "value"), "2");
    EXPECT_EQ(r.dumped("?POSRDBMS", "value"), "2");
    EXPECT_EQ(r.dumped("?BUSESSL", "value"), "0");
    EXPECT_EQ(r.dumped("?FTP:LOCALFTP", "text"), "ACME/SHOPF12");
    EXPECT_EQ(r.dumped("?FTP:LOCALFTP:3", "text"), "ACME/SHOPF12");
    EXPECT_EQ(r.dumped("?FTP:GLOBALFTP:2", "text"), "ACME/ACMEHQ");
  }
}

TEST_F(Startup, ACorporateStoreFromTheIniStartsWithTheGlobalFolderOff) {
  developerMode("[AppKeyName]\r\nbStoreOwner=1\r\nGlobalFTP=ACME/ACMEHQ\r\n");
  const HeadlessResult r = run(std::string(kWaitSetup) + "dump P1$FTPINSTALLER\n" + kCloseSetup);
  expectEnded(r);
  EXPECT_EQ(r.dumped("?FTP:GLOBALFTP", "enabled"), "false");
  EXPECT_EQ(r.dumped("?FTP:GLOBALFTP", "required"), "false");
  EXPECT_EQ(r.dumped("?FTP:GLOBALFTP", "text"), "");
}

TEST_F(Startup, AStoredAddressStaysInTheFileButTheBuiltInServerIsUsed) {
  developerMode();
  SettingsRecord other;
  other.ADDRESS = "other.example";
  other.USERNAME = "someone";
  other.SENDERID = "kept";
  storeSettings(other);
  const HeadlessResult r = run(std::string(kWaitSetup) + "dump ?STRFTPADDRESS\n" + kCloseSetup);
  expectEnded(r);
  EXPECT_EQ(r.dumped("?STRFTPADDRESS", "text"), "ftp.vorlanpos.net");
  const SettingsRecord stored = storedSettings();
  EXPECT_EQ(stored.ADDRESS, "other.example");
  EXPECT_EQ(stored.USERNAME, "someone");
  EXPECT_EQ(stored.SENDERID, "kept");
}

TEST_F(Startup, ASettingsFileOfAnotherLayoutIsReplaced) {
  developerMode();
  std::filesystem::create_directories(box.driveC() / "VORLAN/T1");
  fs::setCurrentDirectory("C:\\VORLAN\\T1");
  {
    records::DataFile old("VLSINET", records::Driver::Keyed, "FTP:OLD S10", 10, std::string(kSettingsOwnerPassword));
    old.setName("VLSInet.TPS");
    ASSERT_TRUE(old.create()) << old.errorText();
  }
  const HeadlessResult r = run(std::string(kWaitSetup) + kCloseSetup);
  expectEnded(r);
  EXPECT_TRUE(r.messages().empty()) << r.transcript;
  EXPECT_EQ(storedSettings().ADDRESS, kBuiltInAddress);
}

TEST_F(Startup, AMissingWorkingDirectoryEndsTheProgramWithItsMessage) {
  box.writePlatformIni("[System]\r\nDragFullWindows=1\r\n[Clock]\r\nNow=2026-12-11 10:00:00\r\n");
  developerMode();
  write("VORLAN", "a file where the folder should be");
  const HeadlessResult r = run("");
  expectEnded(r);
  const auto shown = r.message("Could not find the application startup directory:C:\\VORLAN\\T1\\||Error: ");
  ASSERT_TRUE(shown) << r.transcript;
  EXPECT_EQ(shown->caption(), "Message");
  EXPECT_TRUE(r.events("open").empty()) << "the setup window never opens";
  EXPECT_NE(box.readFile("platform.ini").find("DragFullWindows=1"), std::string::npos)
      << "dragging is switched back on also when the program stops with a message";
}

TEST_F(Startup, ClosingLeavesADesktopWithoutFullWindowDraggingAlone) {
  developerMode();
  const HeadlessResult r = run(std::string(kWaitSetup) + kCloseSetup);
  expectEnded(r);
  EXPECT_NE(box.readFile("platform.ini").find("DragFullWindows=0"), std::string::npos);
}

}  // namespace
}  // namespace vl::test
