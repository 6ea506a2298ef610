#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/errors.h"
#include "platform/fs/files.h"
#include "support/sandbox.h"

namespace {

namespace fs = vl::fs;
namespace stdfs = std::filesystem;
using vl::platform::lastWinError;
using vl::test::Sandbox;

TEST(Wildcards, MatchAsWindowsSearchesDo) {
  struct Case {
    const char* pattern;
    const char* name;
    bool match;
  } cases[] = {
      {"*.*", "README", true},         {"*.*", "A.TXT", true},           {"*.*", ".profile", true},
      {"*", "A.B.C", true},            {"*.TXT", "a.txt", true},         {"*.TXT", "A.B.TXT", true},
      {"*.TXT", "A.TXTX", false},      {"*.TXT", "TXT", false},          {"*.", "README", true},
      {"*.", "A.TXT", false},          {"?.TXT", "A.TXT", true},         {"?.TXT", "AB.TXT", false},
      {"AB??.TXT", "AB.TXT", true},    {"AB??.TXT", "ABCD.TXT", true},   {"AB??.TXT", "ABCDE.TXT", false},
      {"SWUPD*.TXT", "swupd12.txt", true}, {"POSID*.TPS", "POSID.TPS", true}, {"X*Y", "XabcY", true},
      {"X*Y", "XabcZ", false},         {"FILE.TXT", "file.txt", true},   {"FILE.TXT", "FILE.TX", false},
      {"*.T?T", "A.TXT", true},        {"*.T?T", "A.TT", false},          {"A*", "B", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(fs::matchesWildcard(c.pattern, c.name), c.match) << c.pattern << " vs " << c.name;
}

TEST(Wildcards, ShortNamesAreTheLongNameWhenItFits) {
  EXPECT_EQ(fs::shortNameOf("VLSECR.EXE"), "VLSECR.EXE");
  EXPECT_EQ(fs::shortNameOf("readme"), "readme");
  EXPECT_EQ(fs::shortNameOf("LongFileName.txt"), "");
  EXPECT_EQ(fs::shortNameOf("A.HTML"), "");
  EXPECT_EQ(fs::shortNameOf("A B.TXT"), "");
  EXPECT_EQ(fs::shortNameOf("A.B.C"), "");
  EXPECT_EQ(fs::shortNameOf(".profile"), "");
}

TEST(FolderSearch, ListsMatchesWithSizesAndAttributes) {
  Sandbox box;
  box.writeFile("drive_c/INBOX/b.dll", "12345");
  box.writeFile("drive_c/INBOX/A.TXT", "1");
  box.writeFile("drive_c/INBOX/.hidden", "");
  box.writeFile("drive_c/INBOX/LongName.Data", "xy");
  stdfs::create_directories(box.driveC() / "INBOX/SUB");
  stdfs::permissions(box.driveC() / "INBOX/A.TXT", stdfs::perms::owner_write, stdfs::perm_options::remove);
  auto entries = fs::listFolder("c:\\inbox\\*.*");
  ASSERT_EQ(lastWinError(), 0u);
  struct Want {
    const char* name;
    const char* shortName;
    std::uint64_t size;
    std::uint8_t attributes;
  } want[] = {
      {".hidden", "", 0, 2 | 32}, {"A.TXT", "A.TXT", 1, 1 | 32}, {"b.dll", "b.dll", 5, 32},
      {"LongName.Data", "", 2, 32}, {"SUB", "SUB", 0, 16},
  };
  ASSERT_EQ(entries.size(), std::size(want));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].longName, want[i].name);
    EXPECT_EQ(entries[i].shortName, want[i].shortName) << want[i].name;
    EXPECT_EQ(entries[i].size, want[i].size) << want[i].name;
    EXPECT_EQ(entries[i].attributes, want[i].attributes) << want[i].name;
    EXPECT_GT(entries[i].lastWrite.seconds, 1600000000) << want[i].name;
  }
  auto dlls = fs::listFolder("C:\\INBOX\\*.DLL");
  ASSERT_EQ(dlls.size(), 1u);
  EXPECT_EQ(dlls[0].longName, "b.dll");
}

TEST(FolderSearch, FindFirstAndNextWalkTheListing) {
  Sandbox box;
  box.writeFile("drive_c/D/ONE.TXT", "1");
  box.writeFile("drive_c/D/TWO.TXT", "22");
  fs::FindState state;
  fs::FindEntry entry;
  std::vector<std::string> names;
  for (bool more = fs::findFirst("C:\\D\\*.TXT", state, entry); more; more = fs::findNext(state, entry))
    names.push_back(entry.longName);
  EXPECT_EQ(names, (std::vector<std::string>{"ONE.TXT", "TWO.TXT"}));
  EXPECT_EQ(lastWinError(), 18u);
  // A plain name finds that one file, as a details lookup uses it.
  ASSERT_TRUE(fs::findFirst("c:\\d\\two.txt", state, entry));
  EXPECT_EQ(entry.size, 2u);
}

TEST(FolderSearch, ReportsNoMatchAndMissingFolder) {
  Sandbox box;
  stdfs::create_directories(box.driveC() / "EMPTY");
  box.writeFile("drive_c/FILE", "x");
  struct Case {
    const char* pattern;
    std::uint32_t error;
  } cases[] = {
      {"C:\\EMPTY\\*.*", 2},
      {"C:\\NONE\\*.*", 3},
      {"C:\\FILE\\*.*", 3},
      {"\\\\nosrv\\share\\*.*", 53},
  };
  for (const auto& c : cases) {
    fs::FindState state;
    fs::FindEntry entry;
    EXPECT_FALSE(fs::findFirst(c.pattern, state, entry)) << c.pattern;
    EXPECT_EQ(lastWinError(), c.error) << c.pattern;
  }
}

}  // namespace
