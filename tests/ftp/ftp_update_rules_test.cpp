#include "ftp/ftp_update_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace vl::ftp {
namespace {

// Options as letters: D database files, E ECR programs, L ECR loader, B DLLs.
ProgramState stateWith(std::string_view options, std::uint8_t rdbms = kRdbmsIsam, std::int16_t location = 12) {
  ProgramState state;
  state.BDATA = options.find('D') != std::string_view::npos;
  state.BECR = options.find('E') != std::string_view::npos;
  state.BLOADER = options.find('L') != std::string_view::npos;
  state.BDLLS = options.find('B') != std::string_view::npos;
  state.POSRDBMS = rdbms;
  state.LOCATIONID = location;
  return state;
}

TEST(FtpFolderLayout, FoldersAndFlagsOfALocation) {
  const FtpFolders f = FtpFolderLayout(FixedText<80>("Client/Store"), 12);
  EXPECT_EQ(f.softwareBase, "CLIENT/BIN");
  EXPECT_EQ(f.softwareFolder, "/FTP/ASP/CLIENT/BIN/");
  EXPECT_EQ(f.databaseFolder, "/FTP/ASP/Client/Store/Updates/");
  EXPECT_EQ(f.logFolder, "/FTP/ASP/Client/Store/FTPLog/");
  EXPECT_EQ(f.softwareFlag, "SWUPD12.TXT");
  EXPECT_EQ(f.databaseFlag, "POSID12.TPS");
  EXPECT_EQ(FtpFolderLayout(FixedText<80>("Client/Store"), 7).softwareFlag, "SWUPD7.TXT");
}

TEST(FtpFolderLayout, FolderBeginningWithASlashHasAnEmptyClient) {
  EXPECT_EQ(FtpFolderLayout(FixedText<80>("/Store"), 12).softwareFolder, "/FTP/ASP//BIN/");
}

TEST(FtpFolderLayout, FolderWithoutASlashKeepsTheWholeFieldSoItsListingFails) {
  const FtpFolders f = FtpFolderLayout(FixedText<80>("Client"), 12);
  EXPECT_EQ(f.softwareFolder, "/FTP/ASP/CLIENT" + std::string(74, ' ') + "/BIN/");
  EXPECT_EQ(f.databaseFolder, "/FTP/ASP/Client/Updates/");
}

TEST(NameExtension, FourCharactersFromTheFirstDot) {
  EXPECT_EQ(NameExtension("VLSECR.EXE"), ".EXE");
  EXPECT_EQ(NameExtension("A.B.ZIP"), ".B.Z");
  EXPECT_EQ(NameExtension("X.Z"), ".Z  ");
  EXPECT_EQ(NameExtension("NODOT"), "    ");
}

TEST(JudgeListedEntry, WhatTheListingKeeps) {
  struct Case {
    std::string name;
    std::uint64_t size;
    ListedEntry expected;
  } cases[] = {
      {"VLSECR.EXE", 100, ListedEntry::Kept},
      {"BACKUP", 4096, ListedEntry::Ignored},           // a folder: no dot
      {"CUSTOMER.TPS", 40960, ListedEntry::Ignored},    // another file's records
      {"A.TPS.ZIP", 10, ListedEntry::Ignored},          // ".TPS" anywhere
      {"POSID12.TPS", 1057, ListedEntry::Kept},
      {"POSID7.TPS", 1057, ListedEntry::Kept},          // the filter drops it later
      {"MENU.ZIP", 0, ListedEntry::InvalidSize},
      {"MENU.ZIP", 0x7FFFFFFFull, ListedEntry::Kept},
      {"MENU.ZIP", 0x80000000ull, ListedEntry::InvalidSize},  // would wrap negative
      {"MENU.ZIP", 0x100000010ull, ListedEntry::InvalidSize}, // would wrap to 16
      {"../../BIN/EVIL.EXE", 10, ListedEntry::InvalidName},
      {"..\\EVIL.EXE", 10, ListedEntry::InvalidName},
      {"C:EVIL.EXE", 10, ListedEntry::InvalidName},
      {"EVIL\x01.EXE", 10, ListedEntry::InvalidName},
      {"A|B.ZIP", 10, ListedEntry::InvalidName},
      {"../EVIL.EXE", 0, ListedEntry::InvalidName},     // the name is judged first
  };
  for (const Case& c : cases)
    EXPECT_EQ(JudgeListedEntry(c.name, c.size), c.expected) << c.name << " " << c.size;
}

struct FilterCase {
  const char* name;
  int mode;
  const char* options;
  std::uint8_t rdbms;
  std::uint8_t expected;
};

constexpr int S = kListingSoftware;
constexpr int DB = kListingDatabase;
constexpr std::uint8_t I = kRdbmsIsam;
constexpr std::uint8_t Q = kRdbmsSql;

TEST(ChooseFtpUpdate, RulesByExtensionOptionsDatabaseKindAndLocation) {
  const FilterCase cases[] = {
      // Rule 1: each folder holds only its own kinds.
      {"VORPOS12.INI", S, "DELB", I, kSkip},
      {"UPDFLAGS.INI", S, "DELB", I, kSkip},
      {"POSID12.TPS", S, "DELB", I, kSkip},
      {"VLSECR.EXE", DB, "DELB", I, kSkip},
      {"C55RUNX.DLL", DB, "DELB", I, kSkip},
      // Rule 2: record files and .UPD follow the database option; only this location's POSID.
      {"POSID12.TPS", DB, "D", I, kDatabaseFlag},
      {"POSID12.TPS", DB, "ELB", I, kSkip},
      {"POSID7.TPS", DB, "D", I, kSkip},
      {"POSID123.TPS", DB, "D", I, kSkip},
      {"ITEMS.UPD", DB, "D", I, kOrdinaryFile},
      {"ITEMS.UPD", DB, "ELB", I, kSkip},
      {"ITEMS.UPD", S, "D", I, kOrdinaryFile},
      {"POSIDX.UPD", DB, "D", I, kSkip},
      // Rule 3: libraries.
      {"C55RUNX.DLL", S, "B", I, kOrdinaryFile},
      {"C55RUNX.DLL", S, "DEL", I, kSkip},
      {"C60TPSX.DLL", S, "B", I, kOrdinaryFile},
      {"FBCLIENT.DLL", S, "E", I, kOrdinaryFile},
      {"FBCLIENT.DLL", S, "B", I, kSkip},
      {"MSVCR71.DLL", S, "E", I, kOrdinaryFile},
      {"CLAXYZ.DLL", S, "B", I, kOrdinaryFile},
      {"CLAXYZ.DLL", S, "E", I, kSkip},
      {"OTHER.DLL", S, "DELB", I, kSkip},
      // A name inside the joined list counts as listed, as it always has.
      {"RUNX.DLL", S, "E", I, kOrdinaryFile},
      // Rule 4: known programs by option group and database kind.
      {"VLSECR.EXE", S, "E", I, kOrdinaryFile},
      {"VLSECR.EXE", S, "E", Q, kSkip},
      {"VLSECR_SQL.EXE", S, "E", I, kSkip},
      {"VLSECR_SQL.EXE", S, "E", Q, kOrdinaryFile},
      {"HVLSECR.EXE", S, "E", I, kOrdinaryFile},
      {"HVLSECR.EXE", S, "E", Q, kOrdinaryFile},
      {"VLSECR.EXE", S, "DLB", I, kSkip},
      {"VLTASKMGR.EXE", S, "E", I, kOrdinaryFile},
      {"VLEFTMGR.EXE", S, "E", I, kOrdinaryFile},
      {"DBSTRESS.EXE", S, "E", I, kOrdinaryFile},
      {"VLSPOOLER.EXE", S, "E", I, kOrdinaryFile},
      {"VLPRODMON.EXE", S, "E", I, kOrdinaryFile},
      {"HQUENTA.EXE", S, "E", I, kOrdinaryFile},
      {"TERMWATCH.EXE", S, "E", I, kOrdinaryFile},
      {"FILEZIP.EXE", S, "E", I, kOrdinaryFile},
      {"FILEZIP.EXE", S, "L", I, kSkip},
      {"QUENTA.EXE", S, "L", I, kOrdinaryFile},
      {"QUENTA.EXE", S, "E", I, kSkip},
      {"TPSFIX.EXE", S, "B", I, kOrdinaryFile},
      {"TPSFIX.EXE", S, "E", I, kSkip},
      {"SETUP.EXE", S, "DELB", I, kSkip},
      // Rule 5: only this location's VORPOS and UPDFLAGS.INI.
      {"VORPOS12.INI", DB, "", I, kOrdinaryFile},
      {"UPDFLAGS.INI", DB, "", I, kOrdinaryFile},
      {"VORPOS7.INI", DB, "DELB", I, kSkip},
      {"OTHER.INI", DB, "DELB", I, kSkip},
      // Rule 6.
      {"MAIN.SCN", S, "DELB", I, kSkip},
      // Rule 7: only this location's software flag, last in the list.
      {"SWUPD12.TXT", S, "", I, kSoftwareFlag},
      {"SWUPD7.TXT", S, "DELB", I, kSkip},
      {"README.TXT", S, "DELB", I, kSkip},
      {"POSID12.TXT", S, "DELB", I, kSkip},
      // Rule 8: anything else is taken whatever the options.
      {"MENU.ZIP", DB, "", I, kOrdinaryFile},
      {"DRIVER.SYS", S, "", I, kOrdinaryFile},
      {"A.B.ZIP", S, "", I, kOrdinaryFile},
  };
  for (const FilterCase& c : cases)
    EXPECT_EQ(ChooseFtpUpdate(c.name, c.mode, stateWith(c.options, c.rdbms)), c.expected)
        << c.name << " mode " << c.mode << " options '" << c.options << "' rdbms " << int(c.rdbms);
}

TEST(ChooseFtpUpdate, FlagNamesFollowTheLocationId) {
  EXPECT_EQ(ChooseFtpUpdate("SWUPD7.TXT", S, stateWith("", I, 7)), kSoftwareFlag);
  EXPECT_EQ(ChooseFtpUpdate("POSID7.TPS", DB, stateWith("D", I, 7)), kDatabaseFlag);
  EXPECT_EQ(ChooseFtpUpdate("VORPOS7.INI", DB, stateWith("", I, 7)), kOrdinaryFile);
  EXPECT_EQ(ChooseFtpUpdate("POSID12.TPS", DB, stateWith("D", I, 7)), kSkip);
}

TEST(KilobyteCount, OneUpToAKilobyteThenWholeKilobytes) {
  EXPECT_EQ(KilobyteCount(1), 1);
  EXPECT_EQ(KilobyteCount(1024), 1);
  EXPECT_EQ(KilobyteCount(1500), 1);
  EXPECT_EQ(KilobyteCount(2048), 2);
  EXPECT_EQ(KilobyteCount(2047), 1);
}

}  // namespace
}  // namespace vl::ftp
