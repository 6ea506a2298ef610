#include "services/directory_path.h"

#include <gtest/gtest.h>

#include "platform/fs/paths.h"
#include "recording_message_boxes.h"
#include "support/sandbox.h"

namespace {

namespace stdfs = std::filesystem;
using vl::services::MakeDirectoryPath;
using vl::test::RecordingMessageBoxes;
using vl::test::Sandbox;
using vl::ui::Icon;

// A sandbox whose current directory is C:\WORK, so that a restored current
// directory can be told apart from one left at some level.
struct DirectoryPathTest : ::testing::Test {
  void SetUp() override {
    stdfs::create_directories(box.driveC() / "WORK");
    ASSERT_TRUE(vl::fs::setCurrentDirectory("C:\\WORK"));
  }
  void expectCurrentDirectoryUnchanged() { EXPECT_EQ(vl::fs::currentDirectory(), "C:\\WORK"); }

  Sandbox box;
  RecordingMessageBoxes boxes;
};

TEST_F(DirectoryPathTest, ExistingPathGivesZeroWithoutMessage) {
  stdfs::create_directories(box.driveC() / "VORLAN" / "T1");
  const auto before = stdfs::last_write_time(box.driveC() / "VORLAN" / "T1");
  EXPECT_EQ(MakeDirectoryPath("C:\\Vorlan\\T1\\"), 0);
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(stdfs::last_write_time(box.driveC() / "VORLAN" / "T1"), before);
  expectCurrentDirectoryUnchanged();
}

TEST_F(DirectoryPathTest, MissingLevelsAreMadeFromTheDriveDown) {
  stdfs::create_directories(box.driveC() / "VORLAN");
  for (const char* path : {"C:\\VORLAN\\T1\\INBOX\\", "C:\\VORLAN\\T1\\SQL\\Template", "C:\\Vorlan\\T1\\ZedBackUp   "}) {
    EXPECT_EQ(MakeDirectoryPath(path), 0) << path;
    expectCurrentDirectoryUnchanged();
  }
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_TRUE(stdfs::is_directory(box.driveC() / "VORLAN/T1/INBOX"));
  EXPECT_TRUE(stdfs::is_directory(box.driveC() / "VORLAN/T1/SQL/Template"));
  // Existing levels are found whatever their case; no second VORLAN appears.
  EXPECT_TRUE(stdfs::is_directory(box.driveC() / "VORLAN/T1/ZedBackUp"));
  EXPECT_FALSE(stdfs::exists(box.driveC() / "Vorlan"));
}

TEST_F(DirectoryPathTest, PathOfNeitherFormGivesInvalidSyntaxWarning) {
  for (const char* path : {"VORLAN\\T1", "C:VORLAN\\T1", "C:NEWDIR", "/VORLAN/T1"}) {
    RecordingMessageBoxes perCase;
    EXPECT_EQ(int{MakeDirectoryPath(path)}, 255) << path;
    ASSERT_EQ(perCase.boxes.size(), 1u) << path;
    const auto& msg = perCase.boxes[0];
    EXPECT_EQ(msg.text, std::string("Error creating new directory ") + path + "||Invalid path syntax.");
    EXPECT_EQ(msg.caption, "Message");
    EXPECT_EQ(msg.icon, Icon::Exclamation);
    EXPECT_TRUE(msg.beep);
    expectCurrentDirectoryUnchanged();
  }
  EXPECT_FALSE(stdfs::exists(box.driveC() / "WORK" / "VORLAN"));
  EXPECT_FALSE(stdfs::exists(box.driveC() / "WORK" / "NEWDIR"));
  EXPECT_FALSE(stdfs::exists(box.driveC() / "VORLAN"));
}

TEST_F(DirectoryPathTest, LevelThatIsAFileStopsWithItsErrorNumber) {
  box.writeFile("drive_c/VORLAN", "not a folder");
  EXPECT_EQ(MakeDirectoryPath("C:\\VORLAN\\T1\\INBOX\\"), 255);
  ASSERT_EQ(boxes.boxes.size(), 1u);  // the deeper levels are not tried
  const auto& msg = boxes.boxes[0];
  EXPECT_EQ(msg.text, "Could not create the directory: C:\\VORLAN||Error: 183");
  EXPECT_EQ(msg.caption, "Message");
  EXPECT_EQ(msg.icon, Icon::Information);
  EXPECT_FALSE(msg.beep);
  EXPECT_TRUE(stdfs::is_regular_file(box.driveC() / "VORLAN"));
  expectCurrentDirectoryUnchanged();
}

TEST_F(DirectoryPathTest, MissingDriveIsReportedAtItsFirstLevel) {
  EXPECT_EQ(MakeDirectoryPath("Q:\\VORLAN\\T1"), 255);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text.rfind("Could not create the directory: Q:\\VORLAN||Error: ", 0), 0u)
      << boxes.boxes[0].text;
  expectCurrentDirectoryUnchanged();
}

TEST_F(DirectoryPathTest, NetworkPathSkipsTheServerAndEntersTheShare) {
  stdfs::create_directories(box.prefix() / "unc" / "tillserver" / "pos");
  EXPECT_EQ(MakeDirectoryPath("\\\\tillserver\\pos\\T1"), 0);
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_TRUE(stdfs::is_directory(box.prefix() / "unc" / "tillserver" / "pos" / "T1"));
  expectCurrentDirectoryUnchanged();
}

TEST_F(DirectoryPathTest, LevelsAreHeldIn79Characters) {
  const std::string first = "C:\\" + std::string(40, 'A');           // 43 characters
  const std::string second = first + "\\" + std::string(35, 'B');     // 79: still fits
  const std::string third = second + "\\" + std::string(20, 'C');     // 100: does not
  // A whole path of 79 characters plus its trailing backslash is made.
  EXPECT_EQ(MakeDirectoryPath(second + "\\"), 0);
  EXPECT_TRUE(boxes.boxes.empty());

  // One level too long is not made under a cut name, nor reported as made.
  EXPECT_EQ(MakeDirectoryPath(third + "\\D"), 255);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Could not create the directory: " + third.substr(0, 79) + "||Error: 206");
  const stdfs::path secondHost = box.driveC() / std::string(40, 'A') / std::string(35, 'B');
  EXPECT_TRUE(stdfs::is_directory(secondHost));
  EXPECT_TRUE(stdfs::is_empty(secondHost));
  expectCurrentDirectoryUnchanged();
}

}  // namespace
