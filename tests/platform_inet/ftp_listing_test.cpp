#include "platform/inet/ftp_listing.h"

#include <gtest/gtest.h>

namespace vl::net::detail {
namespace {

struct LineCase {
  const char* line;
  bool entry;
  const char* name;
  std::uint64_t size;
  bool directory;
};

TEST(FtpListing, ReadsTheLineFormsServersSend) {
  const LineCase cases[] = {
      // Unix ls -l, with and without a group, time or year, blanks in names.
      {"-rw-r--r--   1 owner    group        1234 Mar 15 09:30 VLSECR.EXE", true, "VLSECR.EXE", 1234, false},
      {"-rw-r--r--   1 owner  5000000000 Jan  1  2020 BIG.ZIP", true, "BIG.ZIP", 5000000000ULL, false},
      {"drwxr-xr-x   2 owner    group        4096 Mar 15 09:30 BACKUP", true, "BACKUP", 0, true},
      {"-rw-r--r--   1 owner    group          10 Mar 15 09:30 two  blanks.txt", true, "two  blanks.txt", 10, false},
      {"lrwxrwxrwx   1 owner    group           7 Mar 15 09:30 link.txt -> a.txt", true, "link.txt", 7, false},
      {"-rw-r--r--   1 1000     1000           12 Dec 31 23:59 A.TXT\r", true, "A.TXT", 12, false},
      // DOS / IIS.
      {"03-15-24  09:30AM                 1234 SWUPD12.TXT", true, "SWUPD12.TXT", 1234, false},
      {"03-15-2024  09:30PM       <DIR>          Updates", true, "Updates", 0, true},
      {"03-15-24  09:30AM                 1234 name with blanks.TPS", true, "name with blanks.TPS", 1234, false},
      // MLSD facts.
      {"type=file;size=2048;modify=20240315093000; POSID12.TPS", true, "POSID12.TPS", 2048, false},
      {"type=dir;modify=20240315093000; FTPLog", true, "FTPLog", 0, true},
      {"type=cdir;modify=20240315093000; .", false, "", 0, false},
      // No entries.
      {"total 12", false, "", 0, false},
      {"", false, "", 0, false},
      {"drwxr-xr-x   2 owner    group        4096 Mar 15 09:30 ..", false, "", 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    FindData entry;
    ASSERT_EQ(parseListingLine(c.line, entry), c.entry);
    if (!c.entry) continue;
    EXPECT_EQ(entry.name, c.name);
    EXPECT_EQ(entry.size, c.size);
    EXPECT_EQ(entry.attributes, c.directory ? kAttributeDirectory : kAttributeNormal);
  }
}

TEST(FtpListing, SplitsAListingIntoEntries) {
  auto entries = parseListing(
      "total 8\r\n-rw-r--r-- 1 u g 5 Mar 15 09:30 A.TXT\r\n"
      "drwxr-xr-x 2 u g 4096 Mar 15 09:30 SUB\n-rw-r--r-- 1 u g 7 Mar 15 09:30 B.ZIP");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "A.TXT");
  EXPECT_EQ(entries[1].attributes, kAttributeDirectory);
  EXPECT_EQ(entries[2].size, 7u);
}

TEST(FtpListing, MatchesWindowsWildcards) {
  struct Case {
    const char* name;
    const char* pattern;
    bool match;
  };
  const Case cases[] = {
      {"VLSECR.EXE", "*.*", true},   {"BACKUP", "*.*", true},       {"BACKUP", "", true},
      {"vlsecr.exe", "VLSECR.EXE", true}, {"VLSECR.EXE", "*.DLL", false}, {"SWUPD12.TXT", "SWUPD??.TXT", true},
      {"SWUPD7.TXT", "SWUPD??.TXT", false}, {"README", "README.*", true}, {"A.B.ZIP", "*.ZIP", true},
      {"A.TXT", "B*", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(matchesPattern(c.name, c.pattern), c.match) << c.name << " / " << c.pattern;
}

}  // namespace
}  // namespace vl::net::detail
