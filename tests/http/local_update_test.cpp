// The local update: marks by registration state, flag files, identity, settings.
#include <gtest/gtest.h>

#include "data/fixed_paths.h"
#include "ftp/ftp_local_update.h"
#include "http/http_local_update.h"
#include "http_fixture.h"
#include "platform/fs/files.h"
#include "platform/profile/profile.h"
#include "platform/records/data_file.h"

namespace vl::http {
namespace {

class HttpLocalUpdateTest : public test::HttpTest {
 protected:
  HttpLocalUpdateTest() {
    fs::createDirectory("C:\\VORLAN");
    fs::createDirectory("C:\\VORLAN\\T1");
    fs::createDirectory("C:\\VORLAN\\T1\\INBOX");
    state.LOCATIONID = 12;
    state.BREMOVEUPDTOKENS = 0;  // no server: no remote flag to delete
    ctx.softwareFlag = "SWUPD12.TXT";
    ctx.databaseFlag = "POSID12.TPS";
    ctx.databaseFlagText = "POSID12.TXT";
    ctx.updateMarkerFile = "C:\\VORLAN\\T1\\INBOX\\\\UPDOK.TXT";
  }
  static void put(const std::string& name, const std::string& bytes) {
    ASSERT_TRUE(fs::replaceFileContents("C:\\VORLAN\\T1\\INBOX\\" + name, bytes));
  }
  static std::string mark(const char* section, const char* key) {
    return profile::getString("C:\\VORLAN\\T1\\INBOX\\UPDOK.TXT", section, key, "-");
  }
  HttpRunContext ctx{state};
};

TEST_F(HttpLocalUpdateTest, MarksByRegistrationState) {
  struct Case {
    std::uint8_t registration;
    const char* list;
    const char* vlsecr;
    const char* dlls;
    const char* bin;
    const char* dat;
    const char* newMaster;
  };
  const Case cases[] = {
      {1, "HVLSECR.EXE|C60RUNX.DLL|", "1", "1", "-", "-", "1"},
      {2, "HVLSECR.EXE|C60RUNX.DLL|", "1", "-", "1", "1", "-"},
      {1, "", "-", "-", "-", "-", "1"},
      {2, "", "-", "-", "-", "1", "-"},
  };
  fs::CalendarTime now;
  now.year = 2024;
  now.month = 3;
  now.day = 5;
  now.hour = 13;
  now.minute = 7;
  for (const auto& c : cases) {
    fs::deleteFile("C:\\VORLAN\\T1\\INBOX\\UPDOK.TXT");
    fs::deleteFile(paths::kUpdFlagsIniFile);
    ctx.registrationMark = c.registration;
    ctx.transferredList = c.list;
    WriteUpdateMarks(ctx, now);
    SCOPED_TRACE(c.list);
    EXPECT_NE(sandbox.readFile("drive_c/VORLAN/T1/INBOX/UPDOK.TXT").find("Update= 5/03/24- 1:07PM\r\n"),
              std::string::npos);
    EXPECT_EQ(mark("SoftwareUpdates", "VLSECR"), c.vlsecr);
    EXPECT_EQ(mark("SoftwareUpdates", "DLLs"), c.dlls);
    EXPECT_EQ(mark("SoftwareUpdates", "BIN"), c.bin);
    EXPECT_EQ(mark("DatabaseUpdates", "DAT"), c.dat);
    EXPECT_EQ(profile::getString(paths::kUpdFlagsIniFile, "POS_PassedFlags", "NewMaster", "-"), c.newMaster);
  }
}

TEST_F(HttpLocalUpdateTest, StampUsesATwelveHourClock) {
  fs::CalendarTime t;
  t.year = 2024;
  t.month = 11;
  t.day = 25;
  EXPECT_EQ(ftp::UpdateStampText(t), "25/11/24-12:00AM");
  t.hour = 12;
  t.minute = 30;
  EXPECT_EQ(ftp::UpdateStampText(t), "25/11/24-12:30PM");
}

TEST_F(HttpLocalUpdateTest, WithoutFlagRemovalTheFlagsKeepTheirNamesAndPosidIsMade) {
  put("SWUPD12.TXT", "sw");
  put("POSID12.TPS", "id");
  put("VORPOS12.INI", "[A]\r\nB=1\r\n");
  ApplyHttpInboxUpdate(ctx);
  EXPECT_TRUE(fs::exists("C:\\VORLAN\\T1\\INBOX\\SWUPD12.TXT"));
  EXPECT_FALSE(fs::exists("C:\\VORLAN\\T1\\INBOX\\SWUPD.TXT"));
  EXPECT_TRUE(fs::exists("C:\\VORLAN\\T1\\INBOX\\POSID.TPS"));
  EXPECT_FALSE(fs::exists("C:\\VORLAN\\T1\\INBOX\\POSID12.TPS"));
  EXPECT_TRUE(fs::exists("C:\\VORLAN\\T1\\INBOX\\VORPOS.INI"));
  EXPECT_FALSE(fs::exists("C:\\VORLAN\\T1\\INBOX\\VORPOS12.INI"));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(HttpLocalUpdateTest, TrustedModeWritesTheIdentityRecord) {
  state.AUXTRUSTEDMODE = 1;
  state.TERMID = 3;
  state.ComputerName = "TILL-ONE-WITH-A-LONG-NAME";
  ctx.queuedNames = "VLSECR.EXE|MENU.ZIP|";
  ApplyHttpInboxUpdate(ctx);
  records::DataFile posid("POSID", records::Driver::Keyed, IdentityRecord::kLayout, IdentityRecord::kSize);
  posid.setName(std::string(paths::kPosIdFile));
  ASSERT_TRUE(posid.open(records::Access::ReadWriteShared));
  ASSERT_TRUE(posid.setToStart());
  std::array<std::uint8_t, IdentityRecord::kSize> bytes{};
  ASSERT_TRUE(posid.next(bytes));
  const IdentityRecord pid = deserialise<IdentityRecord>(bytes);
  EXPECT_EQ(pid.TERMID, 3);
  EXPECT_EQ(pid.DIALUPSERVER, 3);
  EXPECT_EQ(pid.LOCATIONID, 12);
  EXPECT_EQ(pid.COMPUTERNAME, "TILL-ONE-WITH-A");
  EXPECT_EQ(pid.UPDATEFILES, "VLSECR.EXE|MENU.ZIP|UPDFLAGS.INI|VORPOS.INI");
}

}  // namespace
}  // namespace vl::http
