#include "platform/fs/paths.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/fs/files.h"

#include "platform/base/errors.h"
#include "support/sandbox.h"

namespace {

using vl::test::Sandbox;

TEST(WindowsPaths, FullPathFoldsSeparatorsDotsAndRelativeParts) {
  Sandbox box;
  std::filesystem::create_directories(box.driveC() / "VORLAN" / "T1");
  ASSERT_TRUE(vl::fs::setCurrentDirectory("C:\\VORLAN\\T1"));
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"C:\\VORLAN\\T1\\INBOX\\", "C:\\VORLAN\\T1\\INBOX"},
      {"c:/vorlan/t1/./inbox/../sent", "C:\\vorlan\\t1\\sent"},
      {"INBOX\\X.TXT", "C:\\VORLAN\\T1\\INBOX\\X.TXT"},
      {"\\VORLAN\\BIN", "C:\\VORLAN\\BIN"},
      {"..\\BIN", "C:\\VORLAN\\BIN"},
      {"C:\\..\\..", "C:\\"},
      {"\\\\server\\share\\dir", "\\\\server\\share\\dir"},
  };
  for (const auto& c : cases) EXPECT_EQ(vl::fs::fullPath(c.in), c.out) << c.in;
}

TEST(WindowsPaths, ExistingComponentsResolveWithoutRegardToCase) {
  Sandbox box;
  box.writeFile("drive_c/VORLAN/T1/INBOX/X.TXT", "x");
  EXPECT_EQ(vl::fs::toHostPath("C:\\Vorlan\\T1\\Inbox\\x.txt"), box.driveC() / "VORLAN/T1/INBOX/X.TXT");
  // A missing tail is kept as written, below the resolved part.
  EXPECT_EQ(vl::fs::toHostPath("c:\\vorlan\\t1\\Outbox\\New.txt"), box.driveC() / "VORLAN/T1/Outbox/New.txt");
}

TEST(WindowsPaths, DrivesMapToTheirHostFolders) {
  Sandbox box;
  EXPECT_EQ(vl::fs::toHostPath("Z:\\etc\\hostname"), std::filesystem::path("/etc/hostname"));
  EXPECT_EQ(vl::fs::toHostPath("\\\\srv\\share\\d"), box.prefix() / "unc/srv/share/d");
  EXPECT_EQ(vl::fs::toWindowsPath(box.driveC() / "VORLAN"), "C:\\VORLAN");
  EXPECT_EQ(vl::fs::toWindowsPath("/usr/bin"), "Z:\\usr\\bin");
}

TEST(WindowsPaths, PlatformIniMovesDriveC) {
  Sandbox box;
  std::filesystem::create_directories(box.prefix() / "elsewhere");
  box.writePlatformIni("[Drives]\r\nC=elsewhere\r\n");
  EXPECT_EQ(vl::fs::toHostPath("C:\\A"), box.prefix() / "elsewhere/A");
}

TEST(WindowsPaths, SetCurrentDirectoryReportsWindowsErrors) {
  Sandbox box;
  box.writeFile("drive_c/FILE", "x");
  std::string before = vl::fs::currentDirectory();
  EXPECT_FALSE(vl::fs::setCurrentDirectory("C:\\MISSING"));
  EXPECT_EQ(vl::platform::lastWinError(), 2u);
  EXPECT_FALSE(vl::fs::setCurrentDirectory("C:\\MISSING\\DEEPER"));
  EXPECT_EQ(vl::platform::lastWinError(), 3u);
  EXPECT_FALSE(vl::fs::setCurrentDirectory("C:\\FILE"));
  EXPECT_EQ(vl::platform::lastWinError(), 267u);
  EXPECT_EQ(vl::fs::currentDirectory(), before);
}


// The folder's names are remembered between lookups; whatever changes the
// folder, this process through std::filesystem or anyone else, the next
// lookup must see it.
TEST(WindowsPaths, CaseBlindLookupSeesChangesMadeBehindItsBack) {
  Sandbox box;
  namespace stdfs = std::filesystem;
  const stdfs::path c = box.driveC();
  box.writeFile("drive_c/INBOX/A.TXT", "a");
  struct Step {
    const char* what;
    std::function<void()> change;
    const char* path;
    const char* host;  // below drive_c
  } steps[] = {
      {"missing name", [] {}, "C:\\inbox\\new.ftp", "INBOX/new.ftp"},
      {"created", [&] { box.writeFile("drive_c/INBOX/NEW.FTP", "n"); }, "C:\\inbox\\new.ftp", "INBOX/NEW.FTP"},
      {"renamed away", [&] { stdfs::rename(c / "INBOX/NEW.FTP", c / "INBOX/Final.Upd"); }, "C:\\INBOX\\new.ftp",
       "INBOX/new.ftp"},
      {"renamed to", [] {}, "C:\\INBOX\\FINAL.UPD", "INBOX/Final.Upd"},
      {"deleted", [&] { stdfs::remove(c / "INBOX/Final.Upd"); }, "C:\\INBOX\\final.upd", "INBOX/final.upd"},
      {"folder replaced",
       [&] {
         stdfs::rename(c / "INBOX", c / "OLD");
         box.writeFile("drive_c/INBOX/B.TXT", "b");
       },
       "C:\\inbox\\a.txt", "INBOX/a.txt"},
      {"new folder's name", [] {}, "C:\\inbox\\b.txt", "INBOX/B.TXT"},
      {"folder renamed in case",
       [&] {
         stdfs::rename(c / "INBOX", c / "Inbox");
         box.writeFile("drive_c/Inbox/sub/x.txt", "x");
       },
       "C:\\INBOX\\SUB\\X.TXT", "Inbox/sub/x.txt"},
      {"both spellings: the exact one", [&] { box.writeFile("drive_c/Inbox/sub/X.TXT", "X"); }, "C:\\INBOX\\SUB\\X.TXT",
       "Inbox/sub/X.TXT"},
      {"both spellings: the other exact one", [] {}, "C:\\INBOX\\SUB\\x.txt", "Inbox/sub/x.txt"},
  };
  for (const auto& step : steps) {
    step.change();
    EXPECT_EQ(vl::fs::toHostPath(step.path), c / step.host) << step.what;
  }
  // A search for one name lists every spelling of it.
  auto found = vl::fs::listFolder("C:\\INBOX\\SUB\\X.txt");
  ASSERT_EQ(found.size(), 2u);
  EXPECT_NE(found[0].longName, found[1].longName);
}

// More folders than are remembered at once: the ones let go of and taken up
// again still show what was made in them meanwhile.
TEST(WindowsPaths, CaseBlindLookupOverManyFolders) {
  Sandbox box;
  const int kFolders = 100;
  for (int i = 0; i < kFolders; ++i) {
    std::filesystem::create_directories(box.driveC() / ("D" + std::to_string(i)));
    EXPECT_FALSE(vl::fs::exists("C:\\D" + std::to_string(i) + "\\file.txt"));
  }
  for (int i = 0; i < kFolders; ++i) box.writeFile("drive_c/D" + std::to_string(i) + "/FILE.TXT", "f");
  for (int i = 0; i < kFolders; ++i) {
    std::string path = "C:\\d" + std::to_string(i) + "\\file.txt";
    EXPECT_EQ(vl::fs::toHostPath(path), box.driveC() / ("D" + std::to_string(i)) / "FILE.TXT") << path;
  }
}

}  // namespace
