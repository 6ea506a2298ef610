#include "platform/profile/profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/base/errors.h"
#include "support/sandbox.h"

namespace {

namespace profile = vl::profile;
using vl::test::Sandbox;

constexpr const char* kIni = "C:\\VORLAN\\T1\\VLSInet.INI";

class Profile : public ::testing::Test {
 protected:
  Profile() { std::filesystem::create_directories(box.driveC() / "VORLAN/T1"); }
  void write(const std::string& bytes) { box.writeFile("drive_c/VORLAN/T1/VLSInet.INI", bytes); }
  std::string read() const { return box.readFile("drive_c/VORLAN/T1/VLSInet.INI"); }
  Sandbox box;
};

TEST_F(Profile, ReadsValuesAsTheSystemDoes) {
  write("\xEF\xBB\xBF[VLSInet]\r\nVersion = 2307.18.1  \r\nQuoted=\" padded \"\r\n; Hidden=1\r\n"
        "Dup=first\r\ndup=second\r\n[AppKeyName]\r\nLocalFTP=CLIENT\\ONE\r\nEmpty=\r\n"
        "[vlsinet]\r\nLater=found\r\nDup=third\r\n[Cut]\r\nPartial=no newline");
  struct Case {
    const char* path;
    const char* section;
    const char* key;
    const char* expected;
  } cases[] = {
      {kIni, "VLSInet", "Version", "2307.18.1"},
      {"c:\\vorlan\\t1\\vlsinet.ini", "vlsinet", "VERSION", "2307.18.1"},
      {kIni, "VLSInet", "Quoted", " padded "},
      {kIni, "VLSInet", "Dup", "first"},
      {kIni, "VLSInet", "Later", "found"},
      {kIni, "VLSInet", "; Hidden", "dflt"},
      {kIni, "AppKeyName", "localftp", "CLIENT\\ONE"},
      {kIni, "AppKeyName", "Empty", ""},
      {kIni, "AppKeyName", "Missing", "dflt"},
      {kIni, "NoSection", "Version", "dflt"},
      {kIni, "Cut", "Partial", "no newline"},
      {"C:\\VORLAN\\T1\\NONE.INI", "VLSInet", "Version", "dflt"},
      {"C:\\NOFOLDER\\X.INI", "VLSInet", "Version", "dflt"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(profile::getString(c.path, c.section, c.key, "dflt"), c.expected) << c.section << "/" << c.key;
  // The default loses its trailing blanks, as the system cuts them.
  EXPECT_EQ(profile::getString(kIni, "X", "Y", "blank  "), "blank");
}

TEST_F(Profile, ValuesAreCutToTheBuffer) {
  std::string longValue(5000, 'v');
  write("[S]\r\nLong=" + longValue + "\r\nAfter=1\r\n");
  EXPECT_EQ(profile::getString(kIni, "S", "Long", ""), std::string(1023, 'v'));
  EXPECT_EQ(profile::getInt(kIni, "S", "After", 0), 1);
}

TEST_F(Profile, NumbersConvertLikeGetPrivateProfileInt) {
  write("[N]\r\nPlain=42\r\nNeg=-7\r\nLead=12abc\r\nText=abc\r\nBlank=\r\nSpaced=  9 \r\nHex=0x1A\r\n");
  struct Case {
    const char* key;
    int expected;
  } cases[] = {
      {"Plain", 42}, {"Neg", -7}, {"Lead", 12}, {"Text", 0}, {"Blank", 5}, {"Spaced", 9}, {"Hex", 26},
      {"Missing", 5},
  };
  for (const auto& c : cases) EXPECT_EQ(profile::getInt(kIni, "n", c.key, 5), c.expected) << c.key;
}

TEST_F(Profile, WritesKeepEverythingElse) {
  write("; settings of the downloader\n\n[VLSInet]\nVersion=1\n; the switch\nDevSwitch=0\n\n"
        "[AppKeyName]\nbUseSSL = 1\nodd line without equals\n\n; trailing comment\n");
  ASSERT_TRUE(profile::writeString(kIni, "vlsinet", "VERSION", "2307.18.1"));
  ASSERT_TRUE(profile::writeInt(kIni, "VLSInet", "TouchKeypadXPOS", 120));
  ASSERT_TRUE(profile::writeInt(kIni, "AppKeyName", "busessl", 0));
  ASSERT_TRUE(profile::writeString(kIni, "New", "Key", "v"));
  EXPECT_EQ(read(),
            "; settings of the downloader\r\n\r\n[VLSInet]\r\nVersion=2307.18.1\r\n; the switch\r\nDevSwitch=0\r\n"
            "TouchKeypadXPOS=120\r\n\r\n[AppKeyName]\r\nbUseSSL=0\r\nodd line without equals\r\n\r\n"
            "; trailing comment\r\n\r\n[New]\r\nKey=v\r\n");
}

TEST_F(Profile, WriteCreatesTheFileAndKeepsTheByteOrderMark) {
  ASSERT_TRUE(profile::writeInt(kIni, "AppKeyName", "LocationID", 12));
  EXPECT_EQ(read(), "[AppKeyName]\r\nLocationID=12\r\n");
  EXPECT_EQ(profile::getInt(kIni, "APPKEYNAME", "locationid", 0), 12);
  write("\xEF\xBB\xBF[A]\r\nK=1\r\nK=2\r\n");
  ASSERT_TRUE(profile::writeString(kIni, "A", "k", "3"));
  EXPECT_EQ(read(), "\xEF\xBB\xBF[A]\r\nK=3\r\nK=2\r\n");
}

TEST_F(Profile, TextsAreStoredAsGivenOnOneLine) {
  ASSERT_TRUE(profile::writeString(kIni, "S", "Trail", "text  "));
  ASSERT_TRUE(profile::writeString(kIni, "S", "Break", "one\r\n[Evil]\r\nx=1"));
  EXPECT_EQ(read(), "[S]\r\nTrail=text  \r\nBreak=one\r\n");
}

TEST_F(Profile, AFailedWriteLeavesNoFile) {
  EXPECT_FALSE(profile::writeString("C:\\NOFOLDER\\X.INI", "S", "K", "v"));
  EXPECT_EQ(vl::platform::lastWinError(), 3u);
  EXPECT_FALSE(std::filesystem::exists(box.driveC() / "NOFOLDER"));
}

TEST_F(Profile, DamagedFilesDoNotStopReading) {
  using namespace std::string_literals;
  write("[Broken\r\nK=1\r\n=novalue\r\n[]\r\n\0\0\0=x\r\n[Ok]\r\nK=2"s);
  EXPECT_EQ(profile::getString(kIni, "Broken", "K", ""), "1");
  EXPECT_EQ(profile::getString(kIni, "Ok", "K", ""), "2");
  ASSERT_TRUE(profile::writeString(kIni, "Ok", "K", "3"));
  EXPECT_EQ(profile::getString(kIni, "Ok", "K", ""), "3");
  EXPECT_EQ(profile::getString(kIni, "Broken", "K", ""), "1");
}

}  // namespace
