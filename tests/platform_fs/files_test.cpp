#include "platform/fs/files.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "platform/base/errors.h"
#include "platform/fs/paths.h"
#include "support/sandbox.h"

namespace {

namespace fs = vl::fs;
namespace stdfs = std::filesystem;
using vl::platform::lastFileError;
using vl::platform::lastWinError;
using vl::test::Sandbox;

TEST(FileOperations, NamesResolveWithoutRegardToCase) {
  Sandbox box;
  box.writeFile("drive_c/VORLAN/T1/INBOX/X.TXT", "hello");
  EXPECT_TRUE(fs::exists("C:\\Vorlan\\T1\\Inbox\\x.txt"));
  EXPECT_TRUE(fs::isDirectory("c:\\vorlan\\t1\\inbox"));
  EXPECT_EQ(fs::fileSize("C:\\Vorlan\\T1\\Inbox\\x.txt"), 5u);
  ASSERT_TRUE(fs::copyFile("c:\\vorlan\\t1\\inbox\\X.txt", "C:\\VORLAN\\T1\\Y.TXT", true));
  EXPECT_EQ(box.readFile("drive_c/VORLAN/T1/Y.TXT"), "hello");
  ASSERT_TRUE(fs::deleteFile("C:\\vorlan\\T1\\inbox\\x.TXT"));
  EXPECT_FALSE(stdfs::exists(box.driveC() / "VORLAN/T1/INBOX/X.TXT"));
}

// Each failing call and the number Windows gives for it.
TEST(FileOperations, FailuresSetTheWindowsErrorNumber) {
  Sandbox box;
  box.writeFile("drive_c/DIR/FILE.TXT", "x");
  box.writeFile("drive_c/FULL/A", "x");
  stdfs::create_directories(box.prefix() / "unc/srv/share");
  struct Case {
    const char* what;
    std::function<bool()> call;
    std::uint32_t error;
  } cases[] = {
      {"exists, missing file", [] { return fs::exists("C:\\DIR\\NONE.TXT"); }, 2},
      {"exists, missing folder", [] { return fs::exists("C:\\NODIR\\NONE.TXT"); }, 3},
      {"exists, below a file", [] { return fs::exists("C:\\DIR\\FILE.TXT\\X"); }, 3},
      {"isDirectory on a file", [] { return fs::isDirectory("C:\\DIR\\FILE.TXT"); }, 267},
      {"create existing folder", [] { return fs::createDirectory("C:\\DIR"); }, 183},
      {"create over a file", [] { return fs::createDirectory("C:\\DIR\\FILE.TXT"); }, 183},
      {"create below a file", [] { return fs::createDirectory("C:\\DIR\\FILE.TXT\\SUB"); }, 3},
      {"create, parent missing", [] { return fs::createDirectory("C:\\NODIR\\SUB"); }, 3},
      {"create a drive root", [] { return fs::createDirectory("C:\\"); }, 5},
      {"create an existing share", [] { return fs::createDirectory("\\\\srv\\share"); }, 5},
      {"create a missing share", [] { return fs::createDirectory("\\\\srv\\other"); }, 67},
      {"create on a missing server", [] { return fs::createDirectory("\\\\nosrv\\share"); }, 53},
      {"remove a non-empty folder", [] { return fs::removeDirectory("C:\\FULL"); }, 145},
      {"remove a file as folder", [] { return fs::removeDirectory("C:\\DIR\\FILE.TXT"); }, 267},
      {"remove a missing folder", [] { return fs::removeDirectory("C:\\NODIR"); }, 2},
      {"delete a missing file", [] { return fs::deleteFile("C:\\DIR\\NONE.TXT"); }, 2},
      {"delete in a missing folder", [] { return fs::deleteFile("C:\\NODIR\\NONE.TXT"); }, 3},
      {"delete a folder", [] { return fs::deleteFile("C:\\FULL"); }, 5},
      {"copy a missing file", [] { return fs::copyFile("C:\\DIR\\NONE.TXT", "C:\\B", false); }, 2},
      {"copy into a missing folder", [] { return fs::copyFile("C:\\DIR\\FILE.TXT", "C:\\NODIR\\B", false); }, 3},
      {"copy onto an existing file", [] { return fs::copyFile("C:\\DIR\\FILE.TXT", "C:\\FULL\\A", true); }, 80},
      {"copy onto a folder", [] { return fs::copyFile("C:\\DIR\\FILE.TXT", "C:\\FULL", false); }, 5},
      {"copy a file onto itself", [] { return fs::copyFile("C:\\DIR\\FILE.TXT", "c:\\dir\\file.txt", false); }, 32},
      {"move onto an existing file", [] { return fs::moveFile("C:\\DIR\\FILE.TXT", "C:\\FULL\\A"); }, 183},
      {"rename a missing file", [] { return fs::renameFile("C:\\DIR\\NONE.TXT", "C:\\DIR\\B"); }, 2},
      {"size of a missing file", [] { return fs::fileSize("C:\\DIR\\NONE").has_value(); }, 2},
      {"time in a missing folder", [] { return fs::lastWriteTime("C:\\NODIR\\NONE").has_value(); }, 3},
  };
  for (const auto& c : cases) {
    vl::platform::setLastWinError(12345);
    EXPECT_FALSE(c.call()) << c.what;
    EXPECT_EQ(lastWinError(), c.error) << c.what;
  }
  EXPECT_EQ(box.readFile("drive_c/FULL/A"), "x");
  EXPECT_TRUE(fs::exists("C:\\DIR\\FILE.TXT"));
}

TEST(FileOperations, SuccessClearsTheErrorNumber) {
  Sandbox box;
  vl::platform::setLastWinError(5);
  EXPECT_TRUE(fs::createDirectory("C:\\NEW"));
  EXPECT_EQ(lastWinError(), 0u);
  vl::platform::setLastWinError(5);
  EXPECT_TRUE(fs::removeDirectory("c:\\new"));
  EXPECT_EQ(lastWinError(), 0u);
}

TEST(FileOperations, ShareLevelIsEnteredNotCreated) {
  Sandbox box;
  stdfs::create_directories(box.prefix() / "unc/Srv/Share");
  EXPECT_TRUE(fs::setCurrentDirectory("\\\\srv\\share"));
  EXPECT_TRUE(fs::createDirectory("\\\\SRV\\SHARE\\Dir"));
  EXPECT_TRUE(stdfs::is_directory(box.prefix() / "unc/Srv/Share/Dir"));
}

// The runtime's copy, rename and remove leave a describable file error.
TEST(FileOperations, RuntimeOperationsSetTheFileError) {
  Sandbox box;
  box.writeFile("drive_c/A.TXT", "a");
  EXPECT_FALSE(fs::copyFile("C:\\NONE.TXT", "C:\\B.TXT", false));
  EXPECT_EQ(lastFileError().code, 2);
  EXPECT_EQ(lastFileError().description, "The system cannot find the file specified.");
  EXPECT_FALSE(fs::renameFile("C:\\A.TXT", "C:\\NODIR\\B.TXT"));
  EXPECT_EQ(lastFileError().code, 3);
  EXPECT_EQ(lastFileError().description, "The system cannot find the path specified.");
  EXPECT_TRUE(fs::renameFile("C:\\A.TXT", "C:\\B.TXT"));
  EXPECT_EQ(lastFileError().code, 0);
  EXPECT_EQ(box.readFile("drive_c/B.TXT"), "a");
}

TEST(FileOperations, CopyReplacesTheTargetAndKeepsTheSourceTime) {
  Sandbox box;
  box.writeFile("drive_c/IN/NEW.EXE", "new program");
  box.writeFile("drive_c/BIN/new.exe", "old");
  auto stamp = stdfs::file_time_type::clock::now() - std::chrono::hours(48);
  stdfs::last_write_time(box.driveC() / "IN/NEW.EXE", stamp);
  ASSERT_TRUE(fs::copyFile("C:\\IN\\NEW.EXE", "C:\\BIN\\NEW.EXE", false));
  EXPECT_EQ(box.readFile("drive_c/BIN/new.exe"), "new program");
  EXPECT_EQ(stdfs::last_write_time(box.driveC() / "BIN/new.exe"), stamp);
  // No temporary is left beside the target.
  EXPECT_EQ(std::distance(stdfs::directory_iterator(box.driveC() / "BIN"), stdfs::directory_iterator()), 1);
}

// A copy that fails half-way (the file-size limit stands in for a full disk)
// leaves the old target whole and no temporary behind.
TEST(FileOperations, FailedCopyKeepsTheOldTarget) {
  Sandbox box;
  box.writeFile("drive_c/IN/BIG.DLL", std::string(256 * 1024, 'n'));
  box.writeFile("drive_c/BIN/BIG.DLL", "old library");
  struct rlimit saved {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 64 * 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  bool copied = fs::copyFile("C:\\IN\\BIG.DLL", "C:\\BIN\\BIG.DLL", false);
  std::uint32_t error = lastWinError();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(copied);
  EXPECT_EQ(error, 112u);
  EXPECT_EQ(lastFileError().description, "There is not enough space on the disk.");
  EXPECT_EQ(box.readFile("drive_c/BIN/BIG.DLL"), "old library");
  EXPECT_EQ(std::distance(stdfs::directory_iterator(box.driveC() / "BIN"), stdfs::directory_iterator()), 1);
}

TEST(FileOperations, MoveReplacesOnlyWhenAsked) {
  Sandbox box;
  box.writeFile("drive_c/A.FTP", "fresh");
  box.writeFile("drive_c/A.TXT", "stale");
  EXPECT_FALSE(fs::moveFile("C:\\A.FTP", "C:\\a.txt"));
  EXPECT_EQ(lastWinError(), 183u);
  ASSERT_TRUE(fs::moveFile("C:\\A.FTP", "C:\\a.txt", true));
  EXPECT_EQ(box.readFile("drive_c/A.TXT"), "fresh");
  EXPECT_FALSE(fs::exists("C:\\A.FTP"));
  // Renaming to another spelling of the same name changes its case.
  ASSERT_TRUE(fs::renameFile("C:\\A.TXT", "C:\\a.txt"));
  EXPECT_TRUE(stdfs::exists(box.driveC() / "a.txt"));
  EXPECT_FALSE(stdfs::exists(box.driveC() / "A.TXT"));
}

TEST(FileOperations, ReadOnlyFilesAreNotDeletedOrReplaced) {
  Sandbox box;
  box.writeFile("drive_c/RO.TXT", "keep");
  box.writeFile("drive_c/NEW.TXT", "new");
  stdfs::permissions(box.driveC() / "RO.TXT", stdfs::perms::owner_write, stdfs::perm_options::remove);
  EXPECT_FALSE(fs::deleteFile("C:\\RO.TXT"));
  EXPECT_EQ(lastWinError(), 5u);
  EXPECT_FALSE(fs::copyFile("C:\\NEW.TXT", "C:\\RO.TXT", false));
  EXPECT_EQ(lastWinError(), 5u);
  EXPECT_EQ(box.readFile("drive_c/RO.TXT"), "keep");
}

TEST(FileOperations, HostPathForFileNeedsItsFolder) {
  Sandbox box;
  stdfs::create_directories(box.driveC() / "VORLAN/T1");
  EXPECT_EQ(fs::hostPathForFile("c:\\vorlan\\t1\\VLSInet.TPS"), box.driveC() / "VORLAN/T1/VLSInet.TPS");
  EXPECT_EQ(lastWinError(), 0u);
  EXPECT_TRUE(fs::hostPathForFile("C:\\VORLAN\\NONE\\X.TPS").empty());
  EXPECT_EQ(lastWinError(), 3u);
}

TEST(FileOperations, ReplaceFileContentsWritesWholeFiles) {
  Sandbox box;
  box.writeFile("drive_c/T/LOG.TXT", "old");
  ASSERT_TRUE(fs::replaceFileContents("C:\\t\\log.txt", "new\r\n"));
  EXPECT_EQ(box.readFile("drive_c/T/LOG.TXT"), "new\r\n");
  EXPECT_FALSE(fs::replaceFileContents("C:\\NONE\\LOG.TXT", "x"));
  EXPECT_EQ(lastWinError(), 3u);
}

TEST(FileTimes, ConvertToCalendarFields) {
  // 2023-03-07 14:05:09.250 UTC
  fs::FileTime t{1678197909, 250000000};
  EXPECT_EQ(fs::utcCalendar(t), (fs::CalendarTime{2023, 3, 7, 2, 14, 5, 9, 250}));
  const char* oldTz = std::getenv("TZ");
  std::string saved = oldTz ? oldTz : "";
  setenv("TZ", "UTC-2", 1);
  auto local = fs::localTimeFromUtc(t);
  oldTz ? setenv("TZ", saved.c_str(), 1) : unsetenv("TZ");
  EXPECT_EQ(local, (fs::CalendarTime{2023, 3, 7, 2, 16, 5, 9, 250}));
}

}  // namespace
