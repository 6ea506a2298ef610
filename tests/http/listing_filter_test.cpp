// Listing parsing, the size and name checks, and every selection rule.
#include <gtest/gtest.h>

#include "data/control_flow.h"
#include "data/fixed_paths.h"
#include "http/http_listing.h"
#include "http_fixture.h"
#include "platform/fs/files.h"
#include "platform/profile/profile.h"

namespace vl::http {
namespace {

constexpr const char* kSoftware = "/FTP/ASP/CLIENT/BIN/";
constexpr const char* kDatabase = "/FTP/ASP/Client/Store/Updates/";
constexpr const char* kGlobal = "/FTP/ASP/Client/Global/Updates/";

class HttpListingTest : public test::HttpTest {
 protected:
  HttpListingTest() {
    state.LOCATIONID = 12;
    state.BDATA = state.BECR = state.BLOADER = state.BDLLS = 1;
    state.POSRDBMS = kRdbmsIsam;
    ctx.softwareFolder = kSoftware;
    ctx.databaseFolder = kDatabase;
    ctx.globalDatabaseFolder = kGlobal;
    ctx.softwareFlag = "SWUPD12.TXT";
    ctx.databaseFlag = "POSID12.TPS";
    ctx.runDllList = std::string(kFullDllList);
  }
  void inFolder(const char* folder) {
    ctx.listedFolder = folder;
    ctx.listingMode = std::string_view(folder) == kSoftware ? kListingSoftware : kListingDatabase;
  }
  HttpRunContext ctx{state};
};

TEST_F(HttpListingTest, SelectionRules) {
  struct Case {
    const char* name;
    const char* folder;
    std::function<void(ProgramState&, HttpRunContext&)> options;
    std::uint8_t expected;
  };
  auto none = [](ProgramState&, HttpRunContext&) {};
  auto sql = [](ProgramState& s, HttpRunContext&) { s.POSRDBMS = kRdbmsSql; };
  auto noData = [](ProgramState& s, HttpRunContext&) { s.BDATA = 0; };
  auto noEcr = [](ProgramState& s, HttpRunContext&) { s.BECR = 0; };
  auto noDlls = [](ProgramState& s, HttpRunContext&) { s.BDLLS = 0; };
  auto noLoader = [](ProgramState& s, HttpRunContext&) { s.BLOADER = 0; };
  auto quillan = [](ProgramState&, HttpRunContext& c) { c.runDllList = QuillanDllList(); };
  const Case cases[] = {
      {"CUSTOMER.TPS", kSoftware, none, kSkip},          // rule 1: no tables from the software folder
      {"VLSECR.EXE", kDatabase, none, kSkip},            // rule 1: no programs from a database folder
      {"ITEMS.TPL", kDatabase, sql, kSkip},
      {"ITEMS.TPL", kSoftware, sql, 1},
      {"ITEMS.TPL", kSoftware, none, kSkip},             // ISAM takes no .TPL
      {"TBL_REGISTRATION.TPS", kGlobal, none, kSkip},
      {"LOCALDATA.DAT", kGlobal, none, kSkip},
      {"GROUPS.FLG", kGlobal, none, kSkip},
      {"PLU.UPD", kGlobal, none, 1},
      {"TBL_VLHOSTS.TPS", kDatabase, none, kSkip},
      {"TBL_REGISTRATION.TPS", kDatabase, none, 1},
      {"CUSTOMER.TPS", kDatabase, noData, kSkip},
      {"CUSTOMER.TPS", kDatabase, none, 1},
      {"POSID12.TPS", kDatabase, none, 2},
      {"POSID7.TPS", kDatabase, none, kSkip},
      {"C60RUNX.DLL", kSoftware, none, 1},
      {"C60RUNX.DLL", kSoftware, noEcr, kSkip},
      {"C60RUNX.DLL", kSoftware, noDlls, kSkip},
      {"OTHER.DLL", kSoftware, none, kSkip},
      {"CLAWIN.DLL", kSoftware, none, 1},
      {"WINIO64.SYS", kSoftware, none, 1},
      {"LIBSSL-1_1.DLL", kSoftware, none, 1},
      {"LIBSSL-1_1.DLL", kSoftware, quillan, kSkip},
      {"LIBCRYPTO-1_1.DLL", kSoftware, quillan, kSkip},
      {"QUENTA.EXE", kSoftware, none, 1},
      {"QUENTA.EXE", kSoftware, noLoader, kSkip},
      {"TPSFIX.EXE", kSoftware, noDlls, kSkip},
      {"VLSECR_SQL.EXE", kSoftware, none, kSkip},
      {"VLSECR_SQL.EXE", kSoftware, sql, 1},
      {"VLSECR.EXE", kSoftware, sql, kSkip},
      {"VLSECR.EXE", kSoftware, none, 1},
      {"HVLSECR.EXE", kSoftware, noEcr, 1},              // the ECR option does not rule programs
      {"IPD.EXE", kSoftware, none, 1},                   // a substring of VLIPD.EXE|
      {"VLEFTMGR2.EXE", kSoftware, none, 1},
      {"UNKNOWN.EXE", kSoftware, none, kSkip},
      {"VORPOS12.INI", kDatabase, none, 1},
      {"VORPOS7.INI", kDatabase, none, kSkip},
      {"UPDFLAGS.INI", kDatabase, none, 1},
      {"HQGLOBALS.INI", kSoftware, none, 1},
      {"VLCONTENTVIEW.INI", kSoftware, none, 1},
      {"OTHER.INI", kSoftware, none, kSkip},
      {"MENU.SCN", kDatabase, none, kSkip},
      {"SWUPD12.TXT", kSoftware, none, 3},
      {"SWUPD7.TXT", kSoftware, none, kSkip},
      {"README.TXT", kSoftware, none, kSkip},
      {"POSID12.TXT", kSoftware, none, kSkip},
      {"MENU.ZIP", kDatabase, none, 1},
  };
  for (const auto& c : cases) {
    ProgramState fresh;
    state.BDATA = state.BECR = state.BLOADER = state.BDLLS = 1;
    state.POSRDBMS = kRdbmsIsam;
    ctx.runDllList = std::string(kFullDllList);
    c.options(state, ctx);
    inFolder(c.folder);
    EXPECT_EQ(ChooseHttpUpdate(ctx, c.name), c.expected) << c.name << " in " << c.folder;
  }
}

TEST_F(HttpListingTest, ListingLinesAndSizeChecks) {
  ctx.responseText =
      "A.EXE,100\r\n"
      "B.EXE,0\r\n"
      "C.EXE,-5\r\n"
      "D.EXE,4294967396\r\n"             // beyond 32 bits: invalid, never 100
      "E.EXE,2147483647\r\n"
      "F.EXE,12.7,2024-01-01\r\n"
      "FOLDER,0\r\n"                     // no '.': left out without a word
      "..\\EVIL.EXE,10\r\n"              // would leave the inbox
      "a.exe,5\r\n"                      // same name: counted once
      "   g.exe,9\r\n"
      ",7\r\n";
  ParseHttpListing(ctx);
  std::vector<std::pair<std::string, std::int32_t>> queued;
  for (const auto& e : ctx.listing.entries()) queued.emplace_back(e.LONGNAME.str(), e.SIZE);
  const std::vector<std::pair<std::string, std::int32_t>> expected{
      {"A.EXE", 100}, {"E.EXE", 2147483647}, {"F.EXE", 12}, {"G.EXE", 9}};
  EXPECT_EQ(queued, expected);
  EXPECT_EQ(ctx.listingCount, 4);
  ASSERT_EQ(boxes.shown.size(), 4u);
  EXPECT_EQ(boxes.shown[0].text,
            "The incoming file B.EXE|has an invalid byte size.||The file will not be downloaded."
            "|If possible, contact the sender and ask for|the file to be uploaded again.");
  EXPECT_EQ(boxes.shown[0].caption, "Message");
  EXPECT_TRUE(boxes.shown[0].beep);
  EXPECT_NE(boxes.shown[2].text.find("D.EXE|has an invalid byte size."), std::string::npos);
  EXPECT_NE(boxes.shown[3].text.find("has an invalid file name."), std::string::npos);
}

TEST_F(HttpListingTest, AListingLongerThanTheOldResponseBufferKeepsEveryEntry) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "FILE" + std::to_string(10000 + i) + ".UPD,1000\r\n";
  ASSERT_GT(text.size(), 65536u);
  ctx.responseText = text;
  ParseHttpListing(ctx);
  EXPECT_EQ(ctx.listing.count(), 5000u);
  EXPECT_EQ(ctx.listing.entries().back().LONGNAME, "FILE14999.UPD");
}

TEST_F(HttpListingTest, RegistrationTableMarksTheLocationAndWritesTerminalIni) {
  fs::createDirectory("C:\\VORLAN");
  fs::createDirectory("C:\\VORLAN\\T1");
  ctx.responseText = "TBL_REGISTRATION.TPS,3000";
  ParseHttpListing(ctx);
  EXPECT_EQ(ctx.registrationMark, 2);
  EXPECT_EQ(profile::getInt(paths::kTerminalIniFile, "VLSINET", "locationid", 0), 12);
}

TEST_F(HttpListingTest, AFirstLineHoldingErrorEndsTheRunAsTransactionError) {
  ctx.requestKind = kListFolder;
  ctx.sendResult = 1;
  ctx.responseText = "ERRORLOG.TXT,10\r\nA.EXE,5";
  EXPECT_THROW(ParseHttpListing(ctx), EndRun);
  EXPECT_EQ(ctx.runResult, 1);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "HTTP Transaction Error");
  EXPECT_EQ(boxes.shown[0].text, "||Error: 1|Internet request: listFolder  ||ERRORLOG.TXT,10\r\nA.EXE,5");
}

TEST_F(HttpListingTest, FilterQueuesDueFilesSortedWithTheFlagsLast) {
  inFolder(kDatabase);
  ctx.responseText =
      "SMALL.UPD,1024\r\nBIG.UPD,2048\r\nMID.UPD,1025\r\nPOSID12.TPS,1057\r\nTBL_VLHOSTS.TPS,10\r\nVLSECR.EXE,9";
  ParseHttpListing(ctx);
  FilterHttpListing(ctx);
  inFolder(kSoftware);
  ctx.responseText = "SWUPD12.TXT,30\r\nVLSECR.EXE,300000";
  ParseHttpListing(ctx);
  FilterHttpListing(ctx);
  std::vector<std::string> names;
  std::vector<std::int32_t> kb;
  for (const auto& e : state.LUF.entries()) {
    names.push_back(e.UPDATEFILE.str());
    kb.push_back(e.REMOTEKBCOUNT);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"VLSECR.EXE", "BIG.UPD", "MID.UPD", "SMALL.UPD", "POSID12.TPS",
                                             "SWUPD12.TXT"}));
  EXPECT_EQ(kb, (std::vector<std::int32_t>{292, 2, 1, 1, 1, 1}));
  EXPECT_EQ(state.LUF.at(2).FTPDIRECTORY, kDatabase);
  EXPECT_EQ(state.LUF.at(1).FTPDIRECTORY, kSoftware);
  EXPECT_EQ(ctx.remoteBytes, 1024 + 2048 + 1025 + 1057 + 30 + 300000);
}

}  // namespace
}  // namespace vl::http
