#include "platform/fs/paths.h"

#include <gtest/gtest.h>

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

}  // namespace
