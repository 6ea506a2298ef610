#include "services/data_file_open.h"

#include <array>
#include <chrono>
#include <fstream>
#include <iterator>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "data/control_flow.h"
#include "platform/base/errors.h"
#include "platform/fs/paths.h"
#include "lock_holder.h"
#include "recording_message_boxes.h"
#include "support/sandbox.h"

namespace {

namespace stdfs = std::filesystem;
using vl::ProgramHalt;
using vl::records::Access;
using vl::records::DataFile;
using vl::records::Driver;
using vl::services::FileWarning;
using vl::services::OpenDataFile;
using vl::test::LockHolder;
using vl::test::RecordingMessageBoxes;
using vl::test::Sandbox;
using vl::ui::Button;
using vl::ui::Icon;

constexpr std::size_t kRecordSize = 16;
constexpr const char* kLayout = "TST:16:CODE,NAME";
constexpr const char* kPosId = "C:\\VORLAN\\T1\\INBOX\\POSID.TPS";
constexpr const char* kPosIdOnHost = "VORLAN/T1/INBOX/POSID.TPS";

std::string readHost(const stdfs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Runs OpenDataFile and says whether it ended the program (and with which code).
int openOrHalt(DataFile& file) {
  try {
    OpenDataFile(file);
    return -1;
  } catch (const ProgramHalt& halt) {
    return halt.exitCode;
  }
}

struct OpenDataFileTest : ::testing::Test {
  void SetUp() override {
    stdfs::create_directories(box.driveC() / "VORLAN" / "T1" / "INBOX");
    ASSERT_TRUE(vl::fs::setCurrentDirectory("C:\\VORLAN\\T1"));
    posId.setName(kPosId);
  }
  stdfs::path host(const std::string& relative) { return box.driveC() / relative; }

  // A keyed file holding one record of recognisable bytes, closed again.
  void makeKeyedFile(const char* name, const char* layout = kLayout) {
    DataFile file("POSID", Driver::Keyed, layout, kRecordSize);
    file.setName(name);
    ASSERT_TRUE(file.create()) << file.errorText();
    ASSERT_TRUE(file.open(Access::ReadWriteShared)) << file.errorText();
    std::array<std::uint8_t, kRecordSize> record;
    record.fill('Q');
    ASSERT_TRUE(file.add(record)) << file.errorText();
    file.close();
  }

  Sandbox box;
  RecordingMessageBoxes boxes;
  DataFile posId{"POSID", Driver::Keyed, kLayout, kRecordSize};
};

TEST_F(OpenDataFileTest, MissingFileIsCreatedAndOpenedSilently) {
  struct Case {
    Driver driver;
    const char* name;
    std::size_t size;
  } cases[] = {
      {Driver::Keyed, kPosId, kRecordSize},
      {Driver::Text, "C:\\VORLAN\\T1\\INBOX\\LOG.TXT", 2048},
      {Driver::Binary, "C:\\VORLAN\\T1\\INBOX\\DATA.FTP", 65536},
  };
  for (const auto& c : cases) {
    DataFile file("FILE", c.driver, kLayout, c.size);
    file.setName(c.name);
    EXPECT_EQ(openOrHalt(file), -1) << c.name;
    EXPECT_TRUE(file.isOpen()) << c.name;
    EXPECT_EQ(file.errorCode(), 0);
  }
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_TRUE(stdfs::exists(host(kPosIdOnHost)));
  EXPECT_TRUE(stdfs::exists(host("VORLAN/T1/INBOX/LOG.TXT")));
}

TEST_F(OpenDataFileTest, FileAlreadyOpenInThisProcessCountsAsOpen) {
  makeKeyedFile(kPosId);
  ASSERT_EQ(openOrHalt(posId), -1);
  DataFile second("POSID", Driver::Keyed, kLayout, kRecordSize);
  second.setName("c:\\vorlan\\t1\\inbox\\posid.tps");
  EXPECT_EQ(openOrHalt(second), -1);
  EXPECT_EQ(second.errorCode(), 52);
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(OpenDataFileTest, FileThatStaysLockedEndsWithTheFinalMessage) {
  makeKeyedFile("C:\\VORLAN\\T1\\VLSINET.TPS");
  LockHolder otherProcess(host("VORLAN/T1/VLSINET.TPS"));
  DataFile file("VLSINET", Driver::Keyed, kLayout, kRecordSize);
  file.setName("C:\\VORLAN\\T1\\VLSINET.TPS");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(openOrHalt(file), 0);
  // The one recovery attempt waits for the lock to go before giving up.
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(9));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  const auto& msg = boxes.boxes[0];
  EXPECT_EQ(msg.caption, "Database Access Error");
  EXPECT_EQ(msg.text,
            "Error: 32 File Is Already Locked|File: C:\\VORLAN\\T1\\VLSINET.TPS||Press OK to end this application.");
  EXPECT_EQ(msg.icon, Icon::Information);
  EXPECT_EQ(msg.buttons, std::vector<Button>{Button::Ok});
}

TEST_F(OpenDataFileTest, LockReleasedDuringRecoveryOpensTheFile) {
  makeKeyedFile(kPosId);
  LockHolder otherProcess(host(kPosIdOnHost), 2);
  EXPECT_EQ(openOrHalt(posId), -1);
  EXPECT_TRUE(posId.isOpen());
  EXPECT_TRUE(boxes.boxes.empty());
}

// Spoils the stored bytes of the record made by makeKeyedFile, so that its
// check fails and the file's keys must be rebuilt.
void damageRecord(const stdfs::path& file) {
  std::string bytes = readHost(file);
  const auto at = bytes.find(std::string(kRecordSize, 'Q'));
  ASSERT_NE(at, std::string::npos);
  bytes[at] = 'X';
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

TEST_F(OpenDataFileTest, DamagedKeysAndNoEndThroughTheHaltBox) {
  makeKeyedFile(kPosId);
  damageRecord(host(kPosIdOnHost));
  const std::string before = readHost(host(kPosIdOnHost));
  boxes.answer("key file is invalid", Button::No);
  EXPECT_EQ(openOrHalt(posId), 0);
  ASSERT_EQ(boxes.boxes.size(), 2u);
  const auto& ask = boxes.boxes[0];
  EXPECT_EQ(ask.caption, "Invalid Key");
  EXPECT_EQ(ask.text, std::string(kPosId) + " key file is invalid.  Do you want to rebuild the key?");
  EXPECT_EQ(ask.icon, Icon::Exclamation);
  EXPECT_EQ(ask.buttons, (std::vector<Button>{Button::Yes, Button::No}));
  EXPECT_EQ(ask.defaultButton, Button::Yes);
  EXPECT_EQ(boxes.boxes[1].caption, "Halt");
  EXPECT_EQ(boxes.boxes[1].text, "Invalid Key!");
  EXPECT_EQ(boxes.boxes[1].buttons, std::vector<Button>{Button::Ok});
  // Never repaired without the user's Yes.
  EXPECT_EQ(readHost(host(kPosIdOnHost)), before);
}

TEST_F(OpenDataFileTest, DamagedKeysAndYesRebuildAndOpen) {
  makeKeyedFile(kPosId);
  damageRecord(host(kPosIdOnHost));
  boxes.answer("key file is invalid", Button::Yes);
  EXPECT_EQ(openOrHalt(posId), -1);
  EXPECT_TRUE(posId.isOpen());
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].caption, "Invalid Key");
}

TEST_F(OpenDataFileTest, ForeignRecordLayoutEndsWithWarningOneAndLeavesTheFile) {
  makeKeyedFile(kPosId, "OTHER:16:X");
  const std::string before = readHost(host(kPosIdOnHost));
  EXPECT_EQ(openOrHalt(posId), 0);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  const auto& msg = boxes.boxes[0];
  EXPECT_EQ(msg.caption, "Invalid File");
  EXPECT_EQ(msg.text,
            "The system has detected an inconsistent data definition on the file: C:\\VORLAN\\T1\\INBOX\\POSID.TPS"
            "||Ensure that you have installed the latest software upgrade available from Vorlan."
            "||Note: If this error ocurred at a POS terminal, please ensure to:"
            "|1. Log off the Vorlan software from all POS terminals."
            "|2. Send a full update AND a software update to the entire POS terminal network."
            "||Press OK to end this application.");
  EXPECT_EQ(msg.icon, Icon::Information);
  EXPECT_EQ(msg.buttons, std::vector<Button>{Button::Ok});
  EXPECT_EQ(readHost(host(kPosIdOnHost)), before);
}

TEST_F(OpenDataFileTest, OtherCodesGoStraightToTheFinalMessage) {
  DataFile file("ASCIIEXP", Driver::Text, kLayout, 2048);
  file.setName("C:\\VORLAN\\T1\\NOFOLDER\\LOG.TXT");
  EXPECT_EQ(openOrHalt(file), 0);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].caption, "Database Access Error");
  EXPECT_EQ(boxes.boxes[0].text,
            "Error: 3 Path Not Found|File: C:\\VORLAN\\T1\\NOFOLDER\\LOG.TXT||Press OK to end this application.");
  EXPECT_FALSE(stdfs::exists(host("VORLAN/T1/NOFOLDER")));
}

TEST_F(OpenDataFileTest, FileThatCannotBeCreatedEndsWithWarningFour) {
  // Z: is the host's root; nothing can be created in /proc.
  DataFile file("POSID", Driver::Keyed, kLayout, kRecordSize);
  file.setName("Z:\\proc\\VLSTEST.TPS");
  EXPECT_EQ(openOrHalt(file), 0);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].caption, "File Creation Error");
  // The summary in the parentheses is whatever the file layer reported.
  EXPECT_THAT(boxes.boxes[0].text, testing::MatchesRegex(R"(Error: \(.+ \([0-9]+\)\) creating )"
                                                          R"(Z:\\proc\\VLSTEST\.TPS\.  Press OK to end this application\.)"));
}

// The warnings that follow a failed create, rebuild or re-open read the error
// state as the file layer left it; it is set here as the layer would.
TEST(FileWarning, TextsCaptionsAndSummaries) {
  const std::string longMessage(200, 'm');
  struct Case {
    int number;
    vl::platform::FileError error;
    const char* caption;
    std::string text;
  } cases[] = {
      {4, {90, "File System Error", "disk I/O error  ", "10 "}, "File Creation Error",
       "Error: (disk I/O error (10)) creating C:\\T1\\X.TPS.  Press OK to end this application."},
      {4, {5, "Access Denied", "", ""}, "File Creation Error",
       "Error: (Access Denied (5)) creating C:\\T1\\X.TPS.  Press OK to end this application."},
      {3, {90, "File System Error", "database disk image is malformed", "11"}, "Key Rebuild Error",
       "Error: (database disk image is malformed (11)) repairing key for C:\\T1\\X.TPS.  Press OK to end this "
       "application."},
      {5, {2, "File Not Found", "", ""}, "File Creation Error",
       "Error: (File Not Found (2)) opening created file:C:\\T1\\X.TPS.  Press OK to end this application."},
      {4, {90, "File System Error", longMessage, "10"}, "File Creation Error",
       "Error: (" + longMessage.substr(0, 150) + ") creating C:\\T1\\X.TPS.  Press OK to end this application."},
  };
  for (const auto& c : cases) {
    RecordingMessageBoxes boxes;
    vl::platform::setFileError(c.error);
    int exitCode = -1;
    try {
      FileWarning(c.number, "C:\\T1\\X.TPS     ");
    } catch (const ProgramHalt& halt) {
      exitCode = halt.exitCode;
    }
    EXPECT_EQ(exitCode, 0) << c.number;
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, c.caption);
    EXPECT_EQ(boxes.boxes[0].text, c.text);
    EXPECT_EQ(boxes.boxes[0].icon, Icon::Information);
    EXPECT_EQ(boxes.boxes[0].buttons, std::vector<Button>{Button::Ok});
  }
  vl::platform::clearFileError();
}

TEST(FileWarning, KeyRebuildQuestionReturnsNonZeroOnYes) {
  RecordingMessageBoxes boxes;
  boxes.answer("rebuild", Button::Yes);
  EXPECT_NE(FileWarning(2, "C:\\T1\\X.TPS  "), 0);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "C:\\T1\\X.TPS key file is invalid.  Do you want to rebuild the key?");
}

}  // namespace
