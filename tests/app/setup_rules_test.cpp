// The setup window's rules, played by the robot in developer mode.
#include "app_fixture.h"

namespace vl::test {
namespace {

class SetupRules : public AppTest {
 protected:
  HeadlessResult play(const std::string& steps, const std::string& ini = "") {
    developerMode(ini);
    return run(std::string(kWaitSetup) + steps + "press ?CANCELBUTTON\n");
  }
};

TEST_F(SetupRules, CorporateBlanksAndDisablesTheGlobalFolderAndPartnerEnablesItBlank) {
  const HeadlessResult r = play(
      "press ?BSTOREOWNER:RADIO2\ntype ?FTP:GLOBALFTP acme\\hq\ndump ?FTP:GLOBALFTP\n"
      "press ?BSTOREOWNER:RADIO1\ndump ?FTP:GLOBALFTP\ndump ?PRMHQFTP\n"
      "press ?BSTOREOWNER:RADIO2\ndump ?FTP:GLOBALFTP\ndump ?PRMHQFTP\n");
  expectEnded(r);
  EXPECT_EQ(r.dumps("?FTP:GLOBALFTP", "text"), (std::vector<std::string>{"ACME/HQ", "", ""})) << r.transcript;
  EXPECT_EQ(r.dumps("?FTP:GLOBALFTP", "enabled"), (std::vector<std::string>{"true", "false", "true"}));
  EXPECT_EQ(r.dumps("?FTP:GLOBALFTP", "required"), (std::vector<std::string>{"true", "false", "true"}));
  EXPECT_EQ(r.dumps("?PRMHQFTP", "enabled"), (std::vector<std::string>{"false", "true"}));
}

TEST_F(SetupRules, TheLocalFolderGivesAPartnerStoreItsHeadOfficeAndLocation) {
  struct Case {
    const char* name;
    const char* ini;  // AppKeyName keys
    const char* typed;
    const char* local, *global, *locationId;
  };
  const Case cases[] = {
      {"partner, backslash, leading zeros", "bStoreOwner=2\r\nLocationID=7\r\n", "acme\\shopf0042", "ACME/SHOPF0042",
       "ACME/ACMEHQ", "42"},
      {"partner, no F keeps the location", "bStoreOwner=2\r\nLocationID=7\r\n", "ACME/SHOP", "ACME/SHOP", "ACME/ACMEHQ",
       "7"},
      {"partner, the last F counts", "bStoreOwner=2\r\nLocationID=7\r\n", "FOO/FIFTHF9X", "FOO/FIFTHF9X", "FOO/FOOHQ",
       "9"},
      {"partner, F without digits gives 0", "bStoreOwner=2\r\nLocationID=7\r\n", "ACME/SHOPF", "ACME/SHOPF",
       "ACME/ACMEHQ", ""},
      {"partner, a typed global folder stays", "bStoreOwner=2\r\nLocationID=7\r\nGlobalFTP=X/XHQ\r\n", "ACME/SHOPF12",
       "ACME/SHOPF12", "X/XHQ", "7"},
      {"corporate never derives", "bStoreOwner=1\r\nLocationID=7\r\n", "acme\\shopf12", "ACME/SHOPF12", "", "7"},
      {"partner, no first part derives nothing", "bStoreOwner=2\r\nLocationID=7\r\n", "/SHOPF12", "/SHOPF12", "", "7"},
      {"partner, more digits than the entry takes", "bStoreOwner=2\r\nLocationID=7\r\n", "ACME/SHOPF123456",
       "ACME/SHOPF123456", "ACME/ACMEHQ", "7"},
  };
  for (const Case& c : cases) {
    const HeadlessResult r = play(std::string("type ?FTP:LOCALFTP ") + c.typed + "\ndump P1$FTPINSTALLER\n",
                                  std::string("[AppKeyName]\r\n") + c.ini);
    expectEnded(r);
    EXPECT_EQ(r.dumped("?FTP:LOCALFTP", "text"), c.local) << c.name;
    EXPECT_EQ(r.dumped("?FTP:GLOBALFTP", "text"), c.global) << c.name;
    EXPECT_EQ(r.dumped("?FTP:GLOBALFTP:2", "text"), c.global) << c.name;
    EXPECT_EQ(r.dumped("?LOCATIONID", "text"), c.locationId) << c.name;
  }
}

TEST_F(SetupRules, ATypedGlobalFolderTakesForwardSlashes) {
  const HeadlessResult r = play("press ?BSTOREOWNER:RADIO2\ntype ?FTP:GLOBALFTP acme\\acmehq\ndump ?FTP:GLOBALFTP\n");
  expectEnded(r);
  EXPECT_EQ(r.dumped("?FTP:GLOBALFTP", "text"), "ACME/ACMEHQ");
}

TEST_F(SetupRules, LettersInANumberAreRefusedWithABeepAndTheOldValue) {
  const HeadlessResult r = play("type ?LOCATIONID 12\ntype ?LOCATIONID 3x\ndump ?LOCATIONID\n");
  expectEnded(r);
  EXPECT_EQ(r.events("beep").size(), 1u) << r.transcript;
  EXPECT_EQ(r.dumped("?LOCATIONID", "text"), "12");
}

TEST_F(SetupRules, TrustedModeEnablesTheTerminalIdWhichKeepsItsValue) {
  const HeadlessResult r = play(
      "press ?AUXTRUSTEDMODE\ntype ?TERMID 12\ndump ?TERMID\npress ?AUXTRUSTEDMODE\ndump ?TERMID\ndump ?PRMDUT\n"
      "type ?TERMID 1234\n");
  // The last line must fail: a disabled entry cannot be typed into.
  EXPECT_EQ(r.exitCode, 3) << r.transcript;
  EXPECT_EQ(r.dumps("?TERMID", "text"), (std::vector<std::string>{"12", "12"}));
  EXPECT_EQ(r.dumps("?TERMID", "enabled"), (std::vector<std::string>{"true", "false"}));
  EXPECT_EQ(r.dumped("?PRMDUT", "enabled"), "false");
}

TEST_F(SetupRules, HttpClearsAndDisablesPassiveFtp) {
  const HeadlessResult r = play(
      "press ?TAB3\npress ?BPROTOCOLTYPE:RADIO2\ndump ?FTPPASSIVEMODE\npress ?FTPPASSIVEMODE\n"
      "dump ?FTPPASSIVEMODE\npress ?BPROTOCOLTYPE:RADIO1\ndump ?FTPPASSIVEMODE\n");
  expectEnded(r);
  EXPECT_EQ(r.dumps("?FTPPASSIVEMODE", "enabled"), (std::vector<std::string>{"true", "true", "false"}));
  EXPECT_EQ(r.dumps("?FTPPASSIVEMODE", "value"), (std::vector<std::string>{"0", "1", "0"}));
}

TEST_F(SetupRules, UseSslIsStoredTheMomentItChanges) {
  const HeadlessResult r = play("press ?TAB3\npress ?BUSESSL\n");
  expectEnded(r);
  EXPECT_EQ(iniValue("AppKeyName", "bUseSSL"), "0");
  EXPECT_EQ(iniValue("AppKeyName", "LocalFTP"), "<absent>") << "nothing else is stored without a download";
}

TEST_F(SetupRules, FullAndDataOnlyButtonsSetTheFileKinds) {
  const HeadlessResult r = play("press ?CMDFULL\ndump P1$FTPINSTALLER\npress ?CMDDATAONLY\ndump P1$FTPINSTALLER\n");
  expectEnded(r);
  EXPECT_EQ(r.dumps("?BDATA", "value"), (std::vector<std::string>{"1", "1"}));
  for (const char* id : {"?BECR", "?BLOADER", "?BDLLS"}) {
    EXPECT_EQ(r.dumps(id, "value"), (std::vector<std::string>{"1", "0"})) << id;
  }
}

TEST_F(SetupRules, TheKeyboardButtonWantsAnEditableEntry) {
  const char* selections[] = {
      "press ?BDATA\n",                          // right after a check box
      "",                                         // nothing chosen since the window opened
      "press ?TAB2\nfocus ?FTP:LOCALFTP:3\n",     // a read-only entry
  };
  for (const char* selected : selections) {
    const HeadlessResult r = play(std::string(selected) + "press ?CMDKEYBOARD\n");
    expectEnded(r);
    const auto shown = r.message("Select an entry field.");
    ASSERT_TRUE(shown) << selected << r.transcript;
    EXPECT_EQ(shown->caption(), "Message");
    EXPECT_EQ(shown->get("icon"), "exclamation");
    EXPECT_EQ(shown->get("beep"), "true");
  }
}

TEST_F(SetupRules, TheKeyboardFillsTheLocalFolderAndItsRuleRuns) {
  // a b / f 1 on the on-screen keyboard, which opens with Caps on for this entry.
  const HeadlessResult r = play(
      "press ?BSTOREOWNER:RADIO2\nfocus ?FTP:LOCALFTP\npress ?CMDKEYBOARD\nwait P1$TOUCHKEYPAD\n"
      "press ?KBD13\npress ?KBD29\npress ?KBD35\npress ?KBD16\npress ?KBD01\npress ?KBDENTER\n" +
      std::string(kWaitSetup) + "dump P1$FTPINSTALLER\n");
  expectEnded(r);
  EXPECT_EQ(r.dumped("?FTP:LOCALFTP", "text"), "AB/F1");
  EXPECT_EQ(r.dumped("?FTP:GLOBALFTP", "text"), "AB/ABHQ");
  EXPECT_EQ(r.dumped("?LOCATIONID", "text"), "1");
}

TEST_F(SetupRules, TheKeyboardButtonOnANumberOpensTheKeypad) {
  const HeadlessResult r = play(
      "focus ?LOCATIONID\npress ?CMDKEYBOARD\nwait P1$MODALWINDOW\npress ?FOUR\npress ?TWO\npress ?OKKEY\n" +
      std::string(kWaitSetup) + "dump ?LOCATIONID\n");
  expectEnded(r);
  EXPECT_EQ(r.dumped("?LOCATIONID", "text"), "42");
}

}  // namespace
}  // namespace vl::test
