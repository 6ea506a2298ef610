// The Download button end to end with runs that stand in for a server: what
// is saved, what is run, and what is installed into BIN and SQL.
#include "app_fixture.h"
#include "data/builtin_account.h"

namespace vl::test {
namespace {

// A corporate ISAM store with every file kind, ready to download.
constexpr const char* kForm =
    "press ?BSTOREOWNER:RADIO1\ntype ?FTP:LOCALFTP ACME/SHOPF12\ntype ?LOCATIONID 12\n"
    "press ?POSRDBMS:RADIO1\npress ?CMDFULL\n";
constexpr const char* kDownloadAndClose = "press ?OKBUTTON\npress ?CANCELBUTTON\n";

class Download : public AppTest {
 protected:
  HeadlessResult download(const std::string& extraSteps = "", bool testRuns = true) {
    developerMode();
    return run(std::string(kWaitSetup) + kForm + extraSteps + kDownloadAndClose, testRuns);
  }
  void leaveTypicalUpdate() {
    for (const char* name : {"Quenta.Exe", "X.DLL", "Y.SYS", "Z.EXE", "readme.txt", "DATA.TPS"}) {
      runLeaves(name, std::string("new ") + name);
    }
  }
};

TEST_F(Download, ASuccessfulRunInstallsProgramsAndLibrariesAndStoresTheSettings) {
  leaveTypicalUpdate();
  write("VORLAN/BIN/X.DLL", "old library");
  const HeadlessResult r = download();
  expectEnded(r);
  const auto shown = r.messages();
  ASSERT_EQ(shown.size(), 2u) << r.transcript;
  EXPECT_EQ(shown[0].text(),
            "Test run HTTP|passive 0|ssl 1|window 1|account ftp.vorlanpos.net VorlanFTP|folders ACME/SHOPF12 |drag 0");
  EXPECT_EQ(shown[1].text(), "Download complete.");
  EXPECT_EQ(shown[1].get("icon"), "information");
  EXPECT_EQ(shown[1].get("beep"), "false");
  for (const char* name : {"Quenta.Exe", "X.DLL", "Y.SYS", "Z.EXE"}) {
    EXPECT_EQ(read(std::string("VORLAN/BIN/") + name), std::string("new ") + name);
  }
  EXPECT_FALSE(exists("VORLAN/BIN/readme.txt"));
  EXPECT_FALSE(exists("VORLAN/BIN/DATA.TPS"));
  EXPECT_FALSE(exists("VORLAN/T1/SQL")) << "an ISAM till takes no SQL template";
  for (const char* dir : {"VORLAN/T1/OUTBOX", "VORLAN/T1/SENT", "VORLAN/T1/ZedBackUp", "VORLAN/T1/INBOX"}) {
    EXPECT_TRUE(exists(dir)) << dir;
  }
  struct Key {
    const char* key;
    std::string value;
  };
  const Key keys[] = {{"bStoreOwner", "1"},      {"UserName", "Ilvo Test"}, {"UserLocation", "Test Location"},
                      {"LocationID", "12"},      {"POSRDBMS", "1"},         {"LastDownload", std::to_string(today())},
                      {"LocalFTP", "ACME/SHOPF12"}, {"GlobalFTP", ""}};
  for (const Key& k : keys) EXPECT_EQ(iniValue("AppKeyName", k.key), k.value) << k.key;
  const SettingsRecord stored = storedSettings();
  EXPECT_EQ(stored.LOCALFTP, "ACME/SHOPF12");
  EXPECT_EQ(stored.ADDRESS, kBuiltInAddress);
  EXPECT_EQ(stored.USERNAME, kBuiltInUserName);
  EXPECT_EQ(stored.PASSWORD, kBuiltInPassword);
}

TEST_F(Download, NothingIsInstalledWhenTheRunDidNotFinish) {
  for (int result : {1, 2}) {
    leaveTypicalUpdate();
    runResult(result);
    const HeadlessResult r = download();
    expectEnded(r);
    EXPECT_FALSE(r.hasMessage("Download complete.")) << result << r.transcript;
    EXPECT_EQ(r.messages().size(), 1u) << "only the run's own message";
    EXPECT_FALSE(exists("VORLAN/BIN/Quenta.Exe")) << result;
    EXPECT_FALSE(exists("VORLAN/BIN/X.DLL")) << result;
    EXPECT_EQ(iniValue("AppKeyName", "LocalFTP"), "ACME/SHOPF12") << "the settings are saved before the run";
  }
}

TEST_F(Download, AnEmptyInboxStillCompletes) {
  const HeadlessResult r = download();
  expectEnded(r);
  EXPECT_TRUE(r.hasMessage("Download complete.")) << r.transcript;
}

TEST_F(Download, FtpIsHandedTheChosenPassiveMode) {
  const HeadlessResult r =
      download("press ?TAB3\npress ?BPROTOCOLTYPE:RADIO2\npress ?FTPPASSIVEMODE\npress ?BUSESSL\n");
  expectEnded(r);
  ASSERT_FALSE(r.messages().empty()) << r.transcript;
  EXPECT_EQ(r.messages()[0].text().rfind("Test run FTP|passive 1|ssl 0|", 0), 0u) << r.transcript;
}

TEST_F(Download, DraggingIsOffDuringTheRunAndOnAgainAfterClose) {
  box.writePlatformIni("[System]\r\nDragFullWindows=1\r\n[Clock]\r\nNow=2026-12-11 10:00:00\r\n");
  const HeadlessResult r = download();
  expectEnded(r);
  ASSERT_FALSE(r.messages().empty()) << r.transcript;
  EXPECT_NE(r.messages()[0].text().find("|drag 0"), std::string::npos);
  EXPECT_NE(box.readFile("platform.ini").find("DragFullWindows=1"), std::string::npos);
}

TEST_F(Download, TheSqlTemplateStartsANewDatabaseButNeverReplacesOne) {
  for (bool databaseExists : {false, true}) {
    SCOPED_TRACE(databaseExists);
    std::filesystem::remove_all(box.driveC() / "VORLAN");
    if (databaseExists) write("VORLAN/T1/SQL/VL_SQLPOS.FDB", "live database");
    write("VORLAN/T1/SQL/Template/VL_SQLPOS.TPL", "old template");
    runLeaves("VL_SQLPOS.TPL", "new template");
    const HeadlessResult r = download("press ?POSRDBMS:RADIO2\n");
    expectEnded(r);
    EXPECT_TRUE(r.hasMessage("Download complete.")) << r.transcript;
    EXPECT_EQ(read("VORLAN/T1/SQL/Template/VL_SQLPOS.TPL"), "new template");
    EXPECT_EQ(read("VORLAN/T1/SQL/VL_SQLPOS.FDB"), databaseExists ? "live database" : "new template");
  }
}

TEST_F(Download, ACopyThatFailsIsReportedAndTheOthersGoOn) {
  leaveTypicalUpdate();
  std::filesystem::create_directories(box.driveC() / "VORLAN/BIN/Y.SYS");  // a folder where the driver goes
  std::filesystem::create_directories(box.driveC() / "VORLAN/BIN/Quenta.Exe");
  const HeadlessResult r = download();
  expectEnded(r);
  const auto till = r.message("Error updating new ECR software version.||Contact your software manufacturer.||Error: ");
  ASSERT_TRUE(till) << r.transcript;
  EXPECT_EQ(till->get("beep"), "true");
  EXPECT_TRUE(r.hasMessage("Error copying the update file Y.SYS|to the directory C:\\VORLAN\\BIN\\||Error: "))
      << r.transcript;
  EXPECT_TRUE(r.hasMessage("Error copying the update file Quenta.Exe|to the directory C:\\VORLAN\\BIN\\||Error: "));
  EXPECT_EQ(read("VORLAN/BIN/X.DLL"), "new X.DLL");
  EXPECT_EQ(read("VORLAN/BIN/Z.EXE"), "new Z.EXE");
  EXPECT_TRUE(r.hasMessage("Download complete."));
}

TEST_F(Download, TheButtonChecksRequiredEntriesThenTheFormInOrder) {
  developerMode();
  const HeadlessResult r = run(std::string(kWaitSetup) +
                               "press ?OKBUTTON\n"  // required entries blank: a beep, no box
                               "type ?FTP:LOCALFTP ACME/SHOPF12\ntype ?LOCATIONID 12\n"
                               "type ?FTP:GLOBALFTP ACME/ACMEHQ\npress ?OKBUTTON\n"
                               "press ?POSRDBMS:RADIO1\npress ?OKBUTTON\n"
                               "press ?BSTOREOWNER:RADIO2\npress ?OKBUTTON\n"
                               "press ?AUXTRUSTEDMODE\npress ?BDATA\npress ?OKBUTTON\n"
                               "press ?CANCELBUTTON\n");
  expectEnded(r);
  std::vector<std::string> texts;
  for (const auto& m : r.messages()) texts.push_back(m.text());
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "You must select the POS RDBMS type.",
                       "You must select the store owner.",
                       "You have not specified any files to be downloaded.",
                       "You must enter the Dial-Up Terminal ID when Trusted Mode has been selected.",
                   }))
      << r.transcript;
  EXPECT_GE(r.events("beep").size(), 1u);
  EXPECT_EQ(iniValue("AppKeyName", "LocalFTP"), "<absent>");
  EXPECT_FALSE(exists("VORLAN/T1/INBOX"));
}

TEST_F(Download, AnInboxThatCannotBeMadeEndsTheProgramBeforeTheRun) {
  write("VORLAN/T1/INBOX", "a file where the inbox should be");
  developerMode();
  // The program ends inside the Download command: the close line never runs.
  const HeadlessResult r = run(std::string(kWaitSetup) + kForm + "press ?OKBUTTON\n");
  expectEnded(r);
  ASSERT_EQ(r.messages().size(), 1u) << r.transcript;
  EXPECT_EQ(r.messages()[0].text().rfind("Could not create the directory: C:\\VORLAN\\T1\\INBOX", 0), 0u)
      << r.transcript;
  EXPECT_FALSE(exists("VORLAN/BIN"));
}

}  // namespace
}  // namespace vl::test
