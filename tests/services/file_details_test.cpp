#include "services/file_details.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>

#include <gtest/gtest.h>

#include "recording_message_boxes.h"
#include "support/sandbox.h"

namespace {

namespace stdfs = std::filesystem;
using vl::services::GetFileDetails;
using vl::test::RecordingMessageBoxes;
using vl::test::Sandbox;
using vl::ui::Icon;

// Sets a file's last write to a local calendar time.
void setLocalWriteTime(const stdfs::path& file, int year, int month, int day, int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  const timespec times[2] = {{std::mktime(&tm), 0}, {std::mktime(&tm), 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
}

TEST(GetFileDetails, SingleDigitPartsHaveNoLeadingZeros) {
  Sandbox box;
  RecordingMessageBoxes boxes;
  box.writeFile("drive_c/VORLAN/T1/INBOX/POSID.TPS", "12345");
  setLocalWriteTime(box.driveC() / "VORLAN/T1/INBOX/POSID.TPS", 2023, 3, 7, 4, 5, 9);
  std::string date, time;
  std::uint32_t size = 99;
  ASSERT_TRUE(GetFileDetails("C:\\Vorlan\\T1\\Inbox\\posid.tps   ", date, time, size));
  EXPECT_EQ(date, "7/3/2023");
  EXPECT_EQ(time, "4:5:9");
  EXPECT_EQ(size, 5u);
  EXPECT_TRUE(boxes.boxes.empty());

  setLocalWriteTime(box.driveC() / "VORLAN/T1/INBOX/POSID.TPS", 2024, 12, 31, 23, 59, 58);
  vl::FixedText<20> dateField, timeField;
  ASSERT_TRUE(GetFileDetails("C:\\VORLAN\\T1\\INBOX\\POSID.TPS", dateField, timeField, size));
  EXPECT_EQ(dateField, "31/12/2024");
  EXPECT_EQ(timeField, "23:59:58");
}

TEST(GetFileDetails, MissingFileIsReportedAndOutputsAreCleared) {
  struct Case {
    const char* name;
    const char* text;
  } cases[] = {
      {"C:\\VORLAN\\NOFILE.TXT", "Unable to find file.|Calling function: FindFirstFile()|Error: 2"},
      {"C:\\NOFOLDER\\NOFILE.TXT", "Unable to find file.|Calling function: FindFirstFile()|Error: 3"},
  };
  for (const auto& c : cases) {
    Sandbox box;
    RecordingMessageBoxes boxes;
    stdfs::create_directories(box.driveC() / "VORLAN");
    vl::FixedText<20> date("1/1/2020"), time("1:1:1");
    std::uint32_t size = 1234;
    EXPECT_FALSE(GetFileDetails(c.name, date, time, size));
    EXPECT_TRUE(date.blank());
    EXPECT_TRUE(time.blank());
    EXPECT_EQ(size, 0u);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    const auto& msg = boxes.boxes[0];
    EXPECT_EQ(msg.caption, "GetFileDetails");
    EXPECT_EQ(msg.text, c.text);
    EXPECT_EQ(msg.icon, Icon::Information);
    EXPECT_TRUE(msg.beep);
    EXPECT_EQ(msg.buttons, std::vector<vl::ui::Button>{vl::ui::Button::Ok});
  }
}

TEST(GetFileDetails, WildcardGivesTheFirstMatch) {
  Sandbox box;
  RecordingMessageBoxes boxes;
  box.writeFile("drive_c/IN/B.TXT", "bbbbb");
  box.writeFile("drive_c/IN/A.TXT", "aaa");
  box.writeFile("drive_c/IN/C.DAT", "c");
  std::string date, time;
  std::uint32_t size = 0;
  ASSERT_TRUE(GetFileDetails("C:\\IN\\*.TXT", date, time, size));
  EXPECT_EQ(size, 3u);
  EXPECT_FALSE(date.empty());
}

TEST(GetFileDetails, SizeOfFourGigabytesOrMoreIsItsLow32Bits) {
  Sandbox box;
  RecordingMessageBoxes boxes;
  box.writeFile("drive_c/BIG.BIN", "");
  stdfs::resize_file(box.driveC() / "BIG.BIN", (std::uint64_t{1} << 32) + 123);  // sparse
  std::string date, time;
  std::uint32_t size = 0;
  ASSERT_TRUE(GetFileDetails("C:\\BIG.BIN", date, time, size));
  EXPECT_EQ(size, 123u);
}

}  // namespace
