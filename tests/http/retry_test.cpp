// An Internet error in the middle of a whole HTTP run: a download whose
// connection keeps being reset is tried four times, then the retry question
// is asked. Yes tries again; No ends the run with result 2 and nothing put
// in place.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "host_files.h"
#include "http/http_run.h"
#include "http_run_fixture.h"

namespace vl::http {
namespace {

constexpr const char* kResetFourTimes =
    R"([{"fault": "reset", "op": "getFile", "match": "*/VLSECR.EXE", "times": 4},)"
    R"( {"fault": "reset", "op": "getFile", "match": "*/MENU.ZIP", "times": 3}])";

// The question as a technician sees it: reset detail, the built-in host as
// stored in the settings, the run's working directory.
const std::string kRetryQuestion =
    "An Internet connection error has been detected:||Error: 12031 HTTPSendRequest|"
    "The internet connection was reset.|Server address:ftp.vorlanpos.net||Currrent database directory:|"
    "C:\\VORLAN\\T1||Do you want to retry the internet operation?|";

class HttpRetryTest : public HttpRunTest {
 protected:
  // getFile requests for the file, and how many of them the server reset.
  std::pair<int, int> getFileRequests(const std::string& name) const {
    int all = 0;
    int reset = 0;
    for (const std::string& line : sim->requestLog()) {
      if (line.find("getFile.pyc?fullpath=") == std::string::npos || line.find("/" + name + "\"") == std::string::npos)
        continue;
      ++all;
      reset += line.find("\"reset\"") != std::string::npos;
    }
    return {all, reset};
  }
  // Runs with the resets in force and the question answered `answer`;
  // checks that it was asked once, as the technician reads it.
  int runAnswering(ui::Button answer) {
    sim->setFaults(kResetFourTimes);
    boxes.answers = {answer};
    const int result = RunHttpTransfer(state);
    std::vector<ui::MessageBoxRequest> questions;
    for (const ui::MessageBoxRequest& box : boxes.shown)
      if (box.text.find("Do you want to retry") != std::string::npos) questions.push_back(box);
    EXPECT_EQ(questions.size(), 1u);
    if (questions.empty()) return result;
    EXPECT_EQ(questions[0].text, kRetryQuestion);
    EXPECT_EQ(questions[0].caption, "Message");
    EXPECT_EQ(questions[0].buttons, (std::vector<ui::Button>{ui::Button::Yes, ui::Button::No}));
    EXPECT_EQ(questions[0].defaultButton, ui::Button::Yes);
    return result;
  }
};

TEST_F(HttpRetryTest, YesAfterTheFourthResetFetchesTheFile) {
  EXPECT_EQ(runAnswering(ui::Button::Yes), 0);
  // Four resets, then the try after Yes; three resets are retried unasked.
  EXPECT_EQ(getFileRequests("VLSECR.EXE"), std::make_pair(5, 4));
  EXPECT_EQ(getFileRequests("MENU.ZIP"), std::make_pair(4, 3));
  EXPECT_EQ(test::ReadHostFile(inbox() / "VLSECR.EXE"), test::ReadHostFile(remote("CLIENT/BIN/VLSECR.EXE")));
  EXPECT_EQ(test::ReadHostFile(inbox() / "MENU.ZIP"), test::ReadHostFile(remote("Client/Store/Updates/MENU.ZIP")));
  EXPECT_FALSE(fsys::exists(inbox() / "VLSECR.FTP"));
  // The run went on to its end: log uploaded, flags removed, totals shown.
  EXPECT_EQ(test::NamesIn(remote("Client/Store/FTPLog")).size(), 1u);
  EXPECT_FALSE(fsys::exists(remote("CLIENT/BIN/SWUPD12.TXT")));
  EXPECT_EQ(boxes.shown.back().text.substr(0, 25), "Successfully downloaded: ");
}

TEST_F(HttpRetryTest, NoEndsTheRunWithResultTwo) {
  EXPECT_EQ(runAnswering(ui::Button::No), 2);
  EXPECT_EQ(boxes.shown.back().text, kRetryQuestion);
  EXPECT_EQ(getFileRequests("VLSECR.EXE"), std::make_pair(4, 4));
  EXPECT_FALSE(fsys::exists(inbox() / "VLSECR.EXE"));
  EXPECT_FALSE(fsys::exists(inbox() / "VLSECR.FTP"));
  // Nothing after the downloads took place.
  EXPECT_TRUE(test::NamesIn(remote("Client/Store/FTPLog")).empty());
  EXPECT_TRUE(fsys::exists(remote("CLIENT/BIN/SWUPD12.TXT")));
  EXPECT_FALSE(fsys::exists(inbox() / "UPDOK.TXT"));
}

}  // namespace
}  // namespace vl::http
