// The transfer window: its description, what a run gets when it opens it,
// and what the window keeps between runs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/transfer_window.h"
#include "inet_fixture.h"

namespace vl {
namespace {

using namespace vl::transfer;
using ::testing::HasSubstr;

class TransferWindowTest : public test::InetTest {
 protected:
  ui::Window& w() { return TransferWindowOf(state); }
  void addFile(const char* name, std::int32_t kb, std::int16_t icon = 0) {
    state.LUF.current = {};
    state.LUF.current.UPDATEFILE = name;
    state.LUF.current.REMOTEKBCOUNT = kb;
    state.LUF.current.ICON = icon;
    state.LUF.add();
  }
  std::vector<int> shownControls() {
    std::vector<int> shown;
    for (int n = 1; n <= w().count(); ++n) {
      if (w().visible(n)) shown.push_back(n);
    }
    return shown;
  }
  const std::vector<int> kShownAtStart{kHeading, kTransferStatusPrompt, kStatus, kOverallProgress,
                                       kConnectionStatusPrompt, kCallbackStatus, kFileProgress, kPicture,
                                       kFileList};
};

TEST_F(TransferWindowTest, PreparedWithEveryControlInItsInitialState) {
  PrepareTransferWindow(state);
  const ui::WindowDesc& d = kTransferWindow;
  EXPECT_EQ(d.name, "$FTPWINDOW");
  EXPECT_EQ(d.caption, "Internet Data Transfer");
  EXPECT_EQ(d.width, 406);
  EXPECT_EQ(d.height, 349);
  ASSERT_EQ(w().count(), 18);
  const char* ids[] = {"?STRHEADINGFTPWINDOW", "?PRMTRANSFERSTATUS", "?STRFTPSTATUS", "?PRGFTP",
                       "?PRMCONNECTIONSTATUS", "?FTPCALLBACKSTATUSIMG", "?FTPCALLBACKSTATUS", "?PRGFILE",
                       "?CMDCONTINUE", "?CMDCANCEL", "?IMGFTP1", "?LSTTRANSFERFILES", "?BMULTIPLESELECTION",
                       "?CMDSELECTALL", "?CMDDESELECTALL", "?BSORTORDER", "?SORTORDER:RADIO1",
                       "?SORTORDER:RADIO2"};
  for (int n = 1; n <= 18; ++n) EXPECT_EQ(w().number(ids[n - 1]), n);
  EXPECT_EQ(shownControls(), kShownAtStart);
  EXPECT_TRUE(w().control(kSelectAll).has(ui::kDisabled));
  EXPECT_TRUE(w().control(kDeselectAll).has(ui::kDisabled));
  EXPECT_EQ(w().text(kHeading), "Internet Data Transfer");
  EXPECT_EQ(w().control(kCallbackImage).icon, "BluBall.ico");

  const auto columns = w().control(kFileList).desc->columns;
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_TRUE(columns[0].icon);
  EXPECT_EQ(columns[0].width, 10);
  EXPECT_EQ(columns[1].heading, "Remote File");
  EXPECT_EQ(columns[1].width, 100);
  EXPECT_EQ(columns[2].heading, "Size (Kb)");
  EXPECT_EQ(columns[2].width, 20);
  EXPECT_EQ(w().control(kSizeRadio).desc->value, 1);
  EXPECT_EQ(w().control(kNameRadio).desc->value, 2);
}

TEST_F(TransferWindowTest, OpensForEachProtocolWithItsVariablesAndList) {
  addFile("VLSECR.EXE", 2048, 1);
  addFile("POSID12.TPS", 1, 2);
  state.STRFTPSTATUS = "Connecting...";
  state.PRGFTP = 40;
  ui::Window& open = OpenTransferWindow(state, TransferProtocol::Http);
  EXPECT_TRUE(open.isOpen());
  EXPECT_EQ(&open, &w());
  EXPECT_EQ(open.text(kHeading), "Internet Data Transfer - HTTP");
  EXPECT_TRUE(open.visible(kCallbackImage));
  EXPECT_EQ(open.text(kStatus), "Connecting...");
  EXPECT_EQ(open.control(kOverallProgress).value, 40);
  EXPECT_EQ(open.control(kFileList).listIcons,
            (std::vector<std::string>{"~C:\\VLSDev\\Images\\BArrow4.ICO", "~C:\\VLSDev\\Images\\lstCheckON.ICO"}));
  const auto& rows = open.control(kFileList).rows;
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].icon, 1);
  EXPECT_EQ(rows[0].columns, (std::vector<std::string>{"", "VLSECR.EXE", "2048"}));
  EXPECT_EQ(rows[1].icon, 2);
  EXPECT_EQ(rows[1].columns, (std::vector<std::string>{"", "POSID12.TPS", "1"}));
  EXPECT_THAT(transcriptText(), HasSubstr(R"("event":"open","window":"$FTPWINDOW")"));

  ShowTransferStatus(state, "Downloading updates...");
  EXPECT_EQ(open.text(kStatus), "Downloading updates...");
  CloseTransferWindow(state);
  EXPECT_FALSE(w().isOpen());
  EXPECT_THAT(transcriptText(), HasSubstr(R"("event":"close","window":"$FTPWINDOW")"));

  OpenTransferWindow(state, TransferProtocol::Ftp);
  EXPECT_EQ(w().text(kHeading), "Internet Data Transfer - FTP");
  EXPECT_FALSE(w().visible(kCallbackImage)) << "an HTTP run before does not show it to an FTP run";
}

TEST_F(TransferWindowTest, KeepsItsStateBetweenRunsButEachRunGetsTheStateItNeeds) {
  OpenTransferWindow(state, TransferProtocol::Http);
  ShowTransferReview(state, true);
  SetTransferListMarks(state, true);
  w().setIcon(kCallbackImage, std::string(kRedBall));
  EXPECT_TRUE(w().visible(kContinue));
  EXPECT_TRUE(w().visible(kNameRadio));
  EXPECT_TRUE(w().enabled(kSelectAll));
  CloseTransferWindow(state);

  // Closed, the object keeps what the run left.
  EXPECT_TRUE(w().visible(kContinue));
  EXPECT_EQ(w().control(kCallbackImage).icon, std::string(kRedBall));

  // A second run without preview: review controls hidden for the whole run,
  // heading not suffixed twice, the list of this run only.
  addFile("OLD.ZIP", 3);
  state.LUF.free();
  addFile("NEW.ZIP", 4);
  OpenTransferWindow(state, TransferProtocol::Http);
  EXPECT_EQ(w().text(kHeading), "Internet Data Transfer - HTTP");
  for (int n : {kContinue, kCancel, kMultipleSelection, kSelectAll, kDeselectAll, kSortOrder, kSizeRadio,
                kNameRadio}) {
    EXPECT_FALSE(w().visible(n)) << n;
  }
  EXPECT_FALSE(w().control(kFileList).marksOn);
  EXPECT_EQ(w().control(kCallbackImage).icon, std::string(kRedBall)) << "the picture stays until the callback sets it";
  ASSERT_EQ(w().control(kFileList).rows.size(), 1u);
  EXPECT_EQ(w().control(kFileList).rows[0].columns[1], "NEW.ZIP");
}

TEST_F(TransferWindowTest, RowMarksAreTheEntriesMarks) {
  addFile("A.ZIP", 1);
  addFile("B.ZIP", 2);
  OpenTransferWindow(state, TransferProtocol::Http);
  ShowTransferReview(state, true);
  SetTransferListMarks(state, true);
  EXPECT_EQ(w().userMarkRow(kFileList, 2, true), "");
  EXPECT_EQ(state.LUF.at(1).MARK, 0);
  EXPECT_EQ(state.LUF.at(2).MARK, 1);

  SetTransferListMarks(state, false);
  EXPECT_FALSE(w().enabled(kSelectAll));
  EXPECT_FALSE(w().enabled(kDeselectAll));
  EXPECT_EQ(w().selectedRow(kFileList), 1);
}

TEST_F(TransferWindowTest, EachProgramStateHasItsOwnWindow) {
  ProgramState other;
  TransferWindowLifetime lifetime(other);
  EXPECT_NE(&TransferWindowOf(other), &w());
  OpenTransferWindow(state, TransferProtocol::Ftp);
  EXPECT_EQ(OpenTransferWindowOf(other), nullptr);
  ShowTransferStatus(other, "only the variable");
  EXPECT_EQ(other.STRFTPSTATUS.str(), "only the variable");
  EXPECT_EQ(w().text(kStatus), "");
}

}  // namespace
}  // namespace vl
