#include "data/program_state.h"

#include <gtest/gtest.h>

#include <memory>

#include "data/builtin_account.h"
#include "data/fixed_paths.h"
#include "data/ini_keys.h"

namespace vl {
namespace {

TEST(ProgramState, StartsWithTheProgramsInitialValues) {
  auto state = std::make_unique<ProgramState>();
  const ProgramState& s = *state;

  for (const auto& picture : s.StatusPictures) EXPECT_EQ(picture, "~C:\\VLSDev\\Images\\greball.ico");
  EXPECT_EQ(s.BREMOVEUPDTOKENS, 1);
  EXPECT_EQ(s.BUSESSL, 1);
  EXPECT_EQ(s.BSORTORDER, kSortBySize);
  EXPECT_EQ(s.BPROTOCOLTYPE, kProtocolHttp);
  EXPECT_EQ(s.BSTOREOWNER, kStoreOwnerUndetermined);
  EXPECT_EQ(s.transferPhase, kPhaseIdle);

  for (auto flag : {s.BDATA, s.BECR, s.BLOADER, s.BDLLS, s.AUXTRUSTEDMODE, s.FTPPASSIVEMODE,
                    s.BPREVIEWUPDATELIST, s.POSRDBMS, s.PRGFTP, s.PRGFILE})
    EXPECT_EQ(flag, 0);
  EXPECT_EQ(s.LOCATIONID, 0);
  EXPECT_EQ(s.TERMID, 0);
  EXPECT_EQ(s.WindowResult, 0);
  EXPECT_EQ(s.bytesSoFar, 0);
  EXPECT_EQ(s.bytesExpected, 0);

  EXPECT_TRUE(s.USERNAME.blank());
  EXPECT_TRUE(s.ProgramVersion.blank());
  EXPECT_TRUE(s.ComputerName.blank());
  EXPECT_TRUE(s.FTP.ADDRESS.blank());
  EXPECT_TRUE(s.FTP.LOCALFTP.blank());
  EXPECT_EQ(s.LUF.count(), 0u);
  EXPECT_EQ(s.inboxListing.count(), 0u);
}

TEST(ProgramState, ValuesTheStartupCopiesFitTheirFields) {
  ProgramState s;
  s.ProgramVersion = kProgramVersion;
  s.STRVERSION = std::string(kVersionPrefix) + s.ProgramVersion.str();
  EXPECT_EQ(s.STRVERSION, "VLSInet v.2307.18.1");

  s.FTP.ADDRESS = kBuiltInAddress;
  s.FTP.USERNAME = kBuiltInUserName;
  s.FTP.PASSWORD = kBuiltInPassword;
  s.STRFTPADDRESS = s.FTP.ADDRESS.trimmed();
  EXPECT_EQ(s.STRFTPADDRESS, kBuiltInAddress);
  EXPECT_EQ(s.FTP.PASSWORD, kBuiltInPassword);

  for (auto picture : {kGreenBall, kBlueBall, kRedBall, kYellowBall}) {
    s.StatusPictures[0] = picture;
    EXPECT_EQ(s.StatusPictures[0], picture) << "a picture name must not be cut";
  }
}

TEST(FixedPaths, FoldersEndInABackslashAndLieBelowTheTerminalDirectory) {
  for (auto folder : {paths::kInboxDir, paths::kOutboxDir, paths::kSentDir}) {
    EXPECT_TRUE(folder.starts_with(paths::kTerminalDir)) << folder;
    EXPECT_TRUE(folder.ends_with("\\")) << folder;
  }
  EXPECT_EQ(paths::kTerminalDir, "C:\\VORLAN\\T1\\");
  EXPECT_EQ(ini::kSectionAppKeyName, "AppKeyName");
}

}  // namespace
}  // namespace vl
